# Wine helpers for the tools scripts (sourced, not run).
#
# A prefix template is made once per build folder; each run works on a copy
# of it (cp -a takes about a second, wineboot about ten). The template has:
#   - Managed=N, so that hiding or closing a window does not wait for a
#     window manager that is not there;
#   - Wine's own fonts (fonts-wine: Tahoma, and Marlett for the title bar's
#     buttons) in C:\windows\Fonts, since this Wine does not find them in
#     its data folder;
#   - Arial replaced by its metric twin Liberation Sans (fonts-liberation2)
#     where installed, so that captions fit their labels as designed.
# Whoever starts a wineserver ends it: wine_end, or wine_run_own below.

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Bump when the recipe below changes: older templates are then made again.
WINE_TEMPLATE_RECIPE=3

# wine_arial_face: the installed face that stands in for Arial.
wine_arial_face() {
  local face
  for face in "Liberation Sans" "Arimo" "DejaVu Sans"; do
    if fc-list "$face" family 2>/dev/null | grep -q .; then echo "$face"; return; fi
  done
  echo "Tahoma"
}

# wine_template BUILD: makes BUILD/wine-template once (safe to call from
# several processes at once).
wine_template() {
  local template=$1/wine-template
  mkdir -p "$1"
  (
    flock 9
    [ "$(cat "$template/.ready" 2>/dev/null)" = "$WINE_TEMPLATE_RECIPE" ] && exit 0
    WINEPREFIX=$template "$WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$template"
    mkdir -p "$template"
    export WINEPREFIX=$template
    DISPLAY= "$WINE64" wineboot -i >/dev/null 2>&1 || true
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "$(wine_arial_face)" /f >/dev/null 2>&1
    cp /usr/share/wine/fonts/*.ttf "$template/drive_c/windows/Fonts/" 2>/dev/null || true
    "$WINESERVER" -w
    echo "$WINE_TEMPLATE_RECIPE" >"$template/.ready"
  ) 9>"$1/.wine-template.lock"
}

# wine_fresh_prefix BUILD NAME: prints the path of a new copy of the template.
wine_fresh_prefix() {
  local prefix=$1/wine-$2
  wine_template "$1"
  WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  cp -a "$1/wine-template" "$prefix"
  rm -f "$prefix/.ready"
  echo "$prefix"
}

# wine_headless PREFIX: windows, messages and dialogs without an X server
# (no screenshots). Never mix with X runs on one running wineserver.
wine_headless() {
  WINEPREFIX=$1 "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  WINEPREFIX=$1 "$WINESERVER" -k >/dev/null 2>&1 || true
}

# wine_set_dpi PREFIX DPI: the display's resolution (LogPixels), which Wine
# reads when the prefix's wineserver starts: the server is ended here.
wine_set_dpi() {
  WINEPREFIX=$1 "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$2" /f >/dev/null 2>&1
  wine_end "$1"
}

# wine_end PREFIX: ends the prefix's wineserver and every program in it.
wine_end() {
  WINEPREFIX=$1 "$WINESERVER" -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 "$WINESERVER" -w >/dev/null 2>&1 || true
}
