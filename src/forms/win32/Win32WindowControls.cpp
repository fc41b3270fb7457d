// What the dialogs read and set on a form's controls.
#include "forms/win32/Win32Window.h"

#include <commctrl.h>

#include "forms/KindTraits.h"
#include "forms/win32/NativeValues.h"
#include "forms/win32/TextTurn.h"
#include "win32/Convert.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

using forms::ControlId;
using forms::Kind;

namespace {

bool hasText(Kind kind) { return forms::traits(kind).hasText; }

bool hasValue(Kind kind) { return forms::traits(kind).hasValue; }

bool isExclusive(Kind kind) { return forms::traits(kind).exclusive; }

}  // namespace

Win32Kind win32Kind(Kind kind) noexcept {
  switch (kind) {
    case Kind::Label:
      return {.style = SS_NOTIFY};  // wrapping: see createChildWindow
    case Kind::TextBox:
      return {.windowClass = L"EDIT", .style = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
              .exStyle = WS_EX_CLIENTEDGE};
    case Kind::ComboBox:
      return {.windowClass = L"COMBOBOX",
              .style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
              .clickCode = CBN_SELCHANGE, .extraHeight = 150 * forms::kTwipsPerPixel};
    case Kind::CommandButton:
      return {.windowClass = L"BUTTON", .style = BS_PUSHBUTTON | WS_TABSTOP, .clickCode = BN_CLICKED};
    case Kind::OptionButton:  // exclusive per container: see selectOption
      return {.windowClass = L"BUTTON", .style = BS_RADIOBUTTON, .clickCode = BN_CLICKED};
    case Kind::CheckBox:
      return {.windowClass = L"BUTTON", .style = BS_AUTOCHECKBOX | WS_TABSTOP,
              .clickCode = BN_CLICKED};
    case Kind::TabStrip:
      return {.windowClass = WC_TABCONTROLW, .style = TCS_MULTILINE | WS_TABSTOP};
    case Kind::PictureBox:  // its own window class: see PictureBox
      return {.windowClass = nullptr, .style = WS_CLIPCHILDREN, .exStyle = WS_EX_CONTROLPARENT};
    case Kind::Line:
      return {.windowClass = nullptr};  // drawn by its container
  }
  return {};
}

std::optional<std::u16string> Win32Window::text(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !hasText(c->kind)) return std::nullopt;
  const TextTurn turn;
  return windowText(c->window);
}

bool Win32Window::setText(ControlId id, const std::u16string& text) noexcept {
  ControlState* c = find(id);
  if (!c || !hasText(c->kind)) return false;
  const TextTurn turn;
  return SetWindowTextW(c->window, wide(text));
}

std::optional<int> Win32Window::value(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !hasValue(c->kind)) return std::nullopt;
  return SendMessageW(c->window, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

bool Win32Window::setValue(ControlId id, int value) noexcept {
  ControlState* c = find(id);
  if (!c || !hasValue(c->kind) || (value != 0 && value != 1)) return false;
  if (isExclusive(c->kind) && value == 1) {
    selectOption(id);
  } else {
    SendMessageW(c->window, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (isExclusive(c->kind)) updateOptionTabStops(c->container);
  }
  return true;
}

void Win32Window::selectOption(ControlId id) noexcept {
  const ControlId container = controls_[static_cast<size_t>(id)].container;
  for (size_t i = 0; i < controls_.size(); ++i) {
    const ControlState& other = controls_[i];
    if (!isExclusive(other.kind) || other.container != container || !other.window)
      continue;
    const bool selected = static_cast<ControlId>(i) == id;
    SendMessageW(other.window, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  updateOptionTabStops(container);
}

// Tab reaches one option per container: the selected one, else the first.
void Win32Window::updateOptionTabStops(ControlId container) noexcept {
  HWND stop = nullptr;
  for (const ControlState& c : controls_) {
    if (!isExclusive(c.kind) || c.container != container || !c.window) continue;
    if (!stop) stop = c.window;
    if (SendMessageW(c.window, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      stop = c.window;
      break;
    }
  }
  for (const ControlState& c : controls_) {
    if (!isExclusive(c.kind) || c.container != container || !c.window) continue;
    const LONG_PTR style = GetWindowLongPtrW(c.window, GWL_STYLE);
    const LONG_PTR wanted =
        c.window == stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    // Reading is local; a change is a round with the window system.
    if (wanted != style) SetWindowLongPtrW(c.window, GWL_STYLE, wanted);
  }
}

std::optional<bool> Win32Window::isEnabled(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !c->window) return std::nullopt;
  return IsWindowEnabled(c->window) != FALSE;
}

bool Win32Window::setEnabled(ControlId id, bool enabled) noexcept {
  ControlState* c = find(id);
  if (!c || !c->window) return false;
  EnableWindow(c->window, enabled);  // answers the previous state, not success
  return true;
}

bool Win32Window::setFocus(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !focusableNow(*c) || !IsWindowVisible(c->window)) return false;
  // Through the dialog manager, so that the default button follows.
  SendMessageW(window_.get(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c->window), TRUE);
  const HWND now = GetFocus();
  return now == c->window || IsChild(c->window, now);
}

std::optional<ControlId> Win32Window::focus() noexcept {
  const ControlId id = controlOf(GetFocus());
  if (id < 0) return std::nullopt;
  return id;
}

bool Win32Window::addItem(ControlId id, const std::u16string& item) noexcept {
  ControlState* c = find(id, Kind::ComboBox);
  if (!c) return false;
  const TextTurn turn;
  const LRESULT at = SendMessageW(c->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
  return at != CB_ERR && at != CB_ERRSPACE;
}

std::optional<std::vector<std::u16string>> Win32Window::items(ControlId id) noexcept {
  ControlState* c = find(id, Kind::ComboBox);
  if (!c) return std::nullopt;
  const TextTurn turn;
  const LRESULT count = SendMessageW(c->window, CB_GETCOUNT, 0, 0);
  if (count == CB_ERR) return std::nullopt;
  std::vector<std::u16string> entries;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(c->window, CB_GETLBTEXTLEN, i, 0);
    if (length == CB_ERR) return std::nullopt;
    std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(c->window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entries.push_back(fromWide(entry.c_str(), static_cast<size_t>(got < 0 ? 0 : got)));
  }
  return entries;
}

// Colours: label text and background, line colour, picture box background.
std::optional<forms::Colour> Win32Window::foreColour(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).foreColour) return std::nullopt;
  return c->fore;
}

bool Win32Window::setForeColour(ControlId id, forms::Colour colour) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).foreColour || !isValidColour(colour)) return false;
  if (c->kind == Kind::Line) {
    c->fore = colour;
    HWND parent = c->container >= 0 ? controlWindow(c->container) : window_.get();
    InvalidateRect(parent, nullptr, TRUE);
    return true;
  }
  c->fore = colour;
  InvalidateRect(c->window, nullptr, TRUE);
  return true;
}

std::optional<forms::Colour> Win32Window::backColour(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).backColour) return std::nullopt;
  return c->back;
}

bool Win32Window::setBackColour(ControlId id, forms::Colour colour) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).backColour || !isValidColour(colour)) return false;
  c->back = colour;
  c->backBrush.reset();  // made again, in the new colour, at the next paint
  InvalidateRect(c->window, nullptr, TRUE);
  return true;
}

std::optional<std::u16string> Win32Window::fontName(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).window) return std::nullopt;
  return c->font.name;
}

bool Win32Window::setFontName(ControlId id, const std::u16string& name) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).window || name.empty()) return false;
  forms::Font font = c->font;
  font.name = name;
  const auto index = fontIndexFor(font);
  if (!index) return false;
  c->fontIndex = *index;
  c->font = std::move(font);
  if (!fontsHeld_) applyFont(id, true);
  return true;
}

std::optional<forms::Rect> Win32Window::controlRect(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || c->kind == Kind::Line) return std::nullopt;  // a line has end points, no rectangle
  RECT r{};
  if (!GetWindowRect(c->window, &r)) return std::nullopt;
  MapWindowPoints(nullptr, GetParent(c->window), reinterpret_cast<POINT*>(&r), 2);
  return forms::Rect{twips(r.left), twips(r.top), twips(r.right - r.left), twips(r.bottom - r.top)};
}

bool Win32Window::moveControl(ControlId id, const forms::Rect& rect) noexcept {
  ControlState* c = find(id);
  if (!c || c->kind == Kind::Line) return false;
  c->rect = rect;
  return placeControl(*c);
}

bool Win32Window::placeControl(const ControlState& c) noexcept {
  const int extra = px(win32Kind(c.kind).extraHeight);
  if (!MoveWindow(c.window, px(c.rect.left), px(c.rect.top), px(c.rect.width),
                  px(c.rect.height) + extra, TRUE))
    return false;
  if (c.picture) c.picture->fitToClient(toColorRef(c.back));
  return true;
}

bool Win32Window::bringToFront(ControlId id) noexcept {
  ControlState* c = find(id);
  if (!c || !c->window ||
      !SetWindowPos(c->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE))
    return false;
  if (c->kind == Kind::PictureBox) coverSiblingPages(id);
  return true;
}

bool Win32Window::setBorder(ControlId id, bool border) noexcept {
  ControlState* c = find(id);
  if (!c || !forms::traits(c->kind).border) return false;
  LONG_PTR exStyle = GetWindowLongPtrW(c->window, GWL_EXSTYLE);
  exStyle = border ? (exStyle | WS_EX_CLIENTEDGE) : (exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  SetWindowLongPtrW(c->window, GWL_EXSTYLE, exStyle);
  SetWindowPos(c->window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  c->picture->fitToClient(toColorRef(c->back));
  return true;
}

bool Win32Window::clearPicture(ControlId id) noexcept {
  ControlState* c = find(id, Kind::PictureBox);
  return c && c->picture->clear(toColorRef(c->back));
}

bool Win32Window::refreshPicture(ControlId id) noexcept {
  ControlState* c = find(id, Kind::PictureBox);
  return c && c->picture->refresh();
}

bool Win32Window::drawIcon(ControlId id, int x, int y, forms::IconHandle icon) noexcept {
  ControlState* c = find(id, Kind::PictureBox);
  return c && icon != 0 &&
         c->picture->drawIcon(px(x), px(y), largeIconPixels(dpi_), toIcon(icon));
}

bool Win32Window::loadPicture(ControlId id, const std::u16string& path) noexcept {
  ControlState* c = find(id, Kind::PictureBox);
  return c && c->picture->loadPicture(path, toColorRef(c->back));
}

std::optional<int> Win32Window::currentTab(ControlId id) noexcept {
  ControlState* c = find(id, Kind::TabStrip);
  if (!c) return std::nullopt;
  const LRESULT tab = SendMessageW(c->window, TCM_GETCURSEL, 0, 0);
  if (tab < 0) return std::nullopt;
  return static_cast<int>(tab);
}

bool Win32Window::setCurrentTab(ControlId id, int tab) noexcept {
  ControlState* c = find(id, Kind::TabStrip);
  if (!c || tab < 0 || tab >= SendMessageW(c->window, TCM_GETITEMCOUNT, 0, 0)) return false;
  SendMessageW(c->window, TCM_SETCURSEL, tab, 0);  // raises no event, as a set from code should
  return true;
}

}  // namespace tollivor::forms::win32
