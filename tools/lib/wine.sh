# Wine helpers for the tools scripts (sourced, not run).
# A prefix template is made once per build folder (Managed=N so hiding a
# window does not wait for a window manager, and Wine's fonts); each run works
# on a copy of it.

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_template BUILD: makes BUILD/wine-template once.
wine_template() {
  local template=$1/wine-template
  [ -f "$template/.ready" ] && return 0
  rm -rf "$template"
  mkdir -p "$template"
  WINEPREFIX=$template DISPLAY= "$WINE64" wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$template "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX=$template "$WINESERVER" -w
  touch "$template/.ready"
}

# wine_fresh_prefix BUILD NAME: prints the path of a new copy of the template.
wine_fresh_prefix() {
  local prefix=$1/wine-$2
  wine_template "$1"
  WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  cp -a "$1/wine-template" "$prefix"
  echo "$prefix"
}

# wine_end PREFIX: ends the prefix's wineserver.
wine_end() {
  WINEPREFIX=$1 "$WINESERVER" -k >/dev/null 2>&1 || true
}
