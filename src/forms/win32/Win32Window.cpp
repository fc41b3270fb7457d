// Building a form's window from its control table, and the messages that
// the window and its controls send back.
#include "forms/win32/Win32Window.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <string>
#include <utility>

#include "forms/KindTraits.h"
#include "forms/win32/NativeValues.h"
#include "forms/win32/PathCompletion.h"
#include "forms/win32/TextTurn.h"
#include "forms/win32/VisualStyles.h"
#include "win32/ThisModule.h"
#include "win32/Convert.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

using forms::ControlId;
using forms::Kind;

namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// An empty dialog template: the controls are added afterwards, from the table.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

// The height of one line of text in the font, in pixels.
int lineHeight(HFONT font) {
  const ScreenDc screen;
  if (!screen) return 0;
  TEXTMETRICW metrics{};
  SelectScope select(screen.get(), font);
  GetTextMetricsW(screen.get(), &metrics);
  return metrics.tmHeight;
}

// The width of the caption on one line in the font, access keys left out.
int captionWidth(HFONT font, const std::u16string& caption) {
  const ScreenDc screen;
  if (!screen) return 0;
  SelectScope select(screen.get(), font);
  RECT r{};
  DrawTextW(screen.get(), wide(caption), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right;
}

}  // namespace

// On a finer display a font is made at its point size for the DPI, then a
// pixel smaller at a time while its lines are taller than its lines at 96
// DPI scaled: text rounds up faster than the table's rectangles, and would
// outgrow the room they give it.
unique_hfont createFont(const forms::Font& font, int dpi) noexcept {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(font.points * kBaseDpi / 72.0));
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const size_t length = std::min<size_t>(font.name.size(), LF_FACESIZE - 1);
  std::wmemcpy(lf.lfFaceName, wide(font.name), length);
  unique_hfont made(CreateFontIndirectW(&lf));
  if (dpi == kBaseDpi || !made) return made;
  const int tallest = lineHeight(made.get()) * dpi / kBaseDpi;
  for (lf.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi / 72.0)); lf.lfHeight < 0;
       ++lf.lfHeight) {
    made.reset(CreateFontIndirectW(&lf));
    if (!made || lineHeight(made.get()) <= tallest) break;
  }
  return made;
}

Win32Window::Win32Window(const forms::FormTable& table, forms::FormEvents& events)
    : table_(table), events_(&events) {}

std::unique_ptr<Win32Window> Win32Window::create(const forms::FormTable& table,
                                                 forms::FormEvents& events) noexcept {
  try {
    std::unique_ptr<Win32Window> window(new Win32Window(table, events));
    const TextTurn turn;  // the captions go in as the windows are made
    if (!window->build()) return nullptr;
    return window;
  } catch (...) {
    return nullptr;  // out of memory while copying the table
  }
}

Win32Window::~Win32Window() {
  // Messages sent while the windows are torn down must not reach the form.
  events_ = nullptr;
  if (window_) SetWindowLongPtrW(window_.get(), DWLP_USER, 0);
}

bool Win32Window::build() noexcept {
  HWND owner = threadOwnerWindow();
  if (!owner || !pictureClass_.registered()) return false;
  // A control's window class is chosen when it is created: Common Controls
  // 6 for every control made inside this scope.
  const ActivationScope visualStyles;

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  EmptyDialogTemplate dialogTemplate{};
  dialogTemplate.header.style = kFormStyle;
  HWND form = CreateDialogIndirectParamW(thisModule(), &dialogTemplate.header, owner,
                                         &Win32Window::dialogProc,
                                         reinterpret_cast<LPARAM>(this));
  if (!form) return false;
  window_.reset(form);
  SetWindowTextW(form, wide(table_.caption));
  leaveRescalingToForm(form);
  dpi_ = windowDpi(form);
  sizeForm();

  if (fontIndexFor(table_.font) != std::optional<size_t>(0)) return false;  // the form's comes first
  SendMessageW(form, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0].handle.get()), FALSE);

  controls_.resize(table_.controls.size());
  for (size_t i = 0; i < controls_.size(); ++i) {
    const auto& row = table_.controls[i];
    ControlState& c = controls_[i];
    c.kind = row.kind;
    c.font = row.font.value_or(table_.font);
    c.fore = forms::traits(row.kind).fore;
    c.back = forms::traits(row.kind).back;
    if (!row.container.empty()) {
      for (size_t j = 0; j < table_.controls.size(); ++j) {
        const auto& other = table_.controls[j];
        if (other.kind == Kind::PictureBox && other.name == row.container &&
            other.index == row.containerIndex)
          c.container = static_cast<ControlId>(j);
      }
    }
  }
  // Named before the buttons exist: later the dialog manager would search
  // every window of the form for the previous default button.
  const ControlId defaultButton = table_.buttonWith(forms::kDefault);
  if (defaultButton >= 0) SendMessageW(form, DM_SETDEFID, commandId(defaultButton), 0);
  for (size_t i = 0; i < controls_.size(); ++i)
    if (!createControl(static_cast<ControlId>(i))) return false;

  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i].kind == Kind::PictureBox) updateOptionTabStops(static_cast<ControlId>(i));
  updateOptionTabStops(-1);

  // Explorer offers drops only to windows that asked for them.
  if (events_->acceptsFileDrops()) DragAcceptFiles(form, TRUE);
  ready_ = true;
  return true;
}

// The client area is the table's, at the window's DPI; the frame comes on
// top of it. The top left stays where it is.
void Win32Window::sizeForm() noexcept {
  HWND form = window_.get();
  const int width = px(table_.clientWidth), height = px(table_.clientHeight);
  RECT outer{0, 0, width, height};
  adjustForDpi(outer, form, dpi_);
  // A frame that keeps another DPI than the window's (a system with one
  // scale for all frames) shows in the client area: corrected once.
  for (int round = 0; round < 2; ++round) {
    SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    if (!GetClientRect(form, &client) || (client.right == width && client.bottom == height)) return;
    outer.right += width - client.right;
    outer.bottom += height - client.bottom;
  }
}

// Fonts and frame are made again at the new DPI and every control is put
// in its place; the old fonts go once no control uses them.
void Win32Window::rescale(int dpi) noexcept {
  if (dpi <= 0 || dpi == dpi_) return;
  const int from = std::exchange(dpi_, dpi);
  for (SharedFont& f : fonts_) {
    unique_hfont made = createFont(f.font, dpi);
    if (!made) continue;
    f.previous = std::exchange(f.handle, std::move(made));
    f.lineHeight = lineHeight(f.handle.get());
  }
  fitFontsToCaptions();
  sizeForm();
  // Fonts made again before the load has ended are given after it.
  if (fontsHeld_)
    for (ControlState& c : controls_) c.fontGiven = SIZE_MAX;
  for (size_t i = 0; i < controls_.size(); ++i) {
    const ControlState& c = controls_[i];
    if (!c.window) continue;
    if (c.picture) c.picture->rescale(from, dpi);
    placeControl(c);
    if (!fontsHeld_) applyFont(static_cast<ControlId>(i), false);
    if (c.kind == Kind::TabStrip) sizeTabs(static_cast<ControlId>(i));
  }
  for (SharedFont& f : fonts_) f.previous.reset();
  RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Glyphs round to whole pixels differently at each size, so a caption can
// grow faster than its control. On a finer display each font is made a
// pixel smaller at a time until every caption drawn in it is no wider than
// at 96 DPI scaled. No control may use a font that this replaces; the form
// is given its own font (the first) as it now stands.
void Win32Window::fitFontsToCaptions() noexcept {
  for (size_t f = 0; dpi_ != kBaseDpi && f < fonts_.size(); ++f) {
    SharedFont& shared = fonts_[f];
    const unique_hfont base = createFont(shared.font, kBaseDpi);
    LOGFONTW lf{};
    if (!base || !GetObjectW(shared.handle.get(), sizeof lf, &lf)) continue;
    const auto fits = [&](const std::u16string& caption) {
      return captionWidth(shared.handle.get(), caption) <=
             captionWidth(base.get(), caption) * dpi_ / kBaseDpi;
    };
    const auto allFit = [&] {
      for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].fontIndex != f || !controls_[i].window) continue;
        const auto& row = table_.controls[i];
        if (!fits(row.caption)) return false;
        for (const auto& tab : row.tabs)
          if (!fits(tab)) return false;
      }
      return true;
    };
    while (lf.lfHeight < -1 && !allFit()) {
      ++lf.lfHeight;
      unique_hfont smaller(CreateFontIndirectW(&lf));
      if (!smaller) break;
      shared.handle = std::move(smaller);
      shared.lineHeight = lineHeight(shared.handle.get());
    }
  }
  SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0].handle.get()), FALSE);
}

// Creates a control after its container, so that the table's order is the
// order of creation, and so the tab order, within each container.
bool Win32Window::createControl(ControlId id) noexcept {
  ControlState& c = controls_[static_cast<size_t>(id)];
  if (c.created) return true;
  if (c.creating) return false;  // a container inside itself
  c.creating = true;
  HWND parent = window_.get();
  if (c.container >= 0) {
    if (!createControl(c.container)) return false;
    parent = controls_[static_cast<size_t>(c.container)].window;
  }
  const auto& row = table_.controls[static_cast<size_t>(id)];
  if (!forms::traits(c.kind).window) {
    c.line = row.line;
  } else if (!createChildWindow(id, parent)) {
    return false;
  }
  c.creating = false;
  c.created = true;
  return true;
}

bool Win32Window::createChildWindow(ControlId id, HWND parent) noexcept {
  ControlState& c = controls_[static_cast<size_t>(id)];
  const auto& row = table_.controls[static_cast<size_t>(id)];

  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!(row.flags & forms::kHidden)) style |= WS_VISIBLE;
  if (row.flags & forms::kDisabled) style |= WS_DISABLED;
  // Arrow keys move within a run of option buttons; every other control
  // starts a group of its own.
  const bool continuesOptions = [&] {
    if (!forms::traits(c.kind).exclusive) return false;
    for (ControlId prev = id - 1; prev >= 0; --prev) {
      const ControlState& p = controls_[static_cast<size_t>(prev)];
      if (p.container != c.container || !p.created || p.kind == Kind::Line) continue;
      return forms::traits(p.kind).exclusive;
    }
    return false;
  }();
  if (!continuesOptions) style |= WS_GROUP;

  if (row.font) c.fontIndex = fontIndexFor(c.font).value_or(0);
  const Win32Kind kind = win32Kind(c.kind);
  style |= kind.style;
  DWORD exStyle = kind.exStyle;
  if (c.kind == Kind::Label) {
    // Text wraps at blanks where the label has room for more lines; a
    // one-line label clips a caption too long for it, as Windows does,
    // rather than breaking a word onto a line that cannot be seen.
    style |= px(row.rect.height) < 2 * lineHeightOf(c) ? SS_LEFTNOWORDWRAP : SS_LEFT;
  }
  if (row.flags & forms::kDefault) style |= BS_DEFPUSHBUTTON;
  if (row.flags & forms::kBorder) exStyle |= WS_EX_CLIENTEDGE;
  if (row.tabsPerRow > 0) style |= TCS_FIXEDWIDTH;

  c.rect = row.rect;
  const RECT r{px(row.rect.left), px(row.rect.top), px(row.rect.left) + px(row.rect.width),
               px(row.rect.top) + px(row.rect.height) + px(kind.extraHeight)};
  const int command = commandId(id);
  if (c.kind == Kind::PictureBox) {
    PictureBoxHost& host = *this;
    c.picture = std::make_unique<PictureBox>(host, id, toColorRef(c.back));
    if (!c.picture->create(parent, command, r, style, exStyle)) return false;
    c.window = c.picture->window();
  } else {
    c.window = CreateWindowExW(exStyle, kind.windowClass, wide(row.caption), style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(command)),
                               thisModule(), nullptr);
    if (!c.window) return false;
  }

  if (forms::traits(c.kind).hasValue && (row.flags & forms::kChecked))
    SendMessageW(c.window, BM_SETCHECK, BST_CHECKED, 0);
  if (c.kind == Kind::TabStrip) setUpTabStrip(id);
  // At the base DPI the table's font is final unless the load handler
  // changes it, so the control gets it now, as the dialog manager gives its
  // controls theirs, and is not laid out a second time after the load.
  if (dpi_ == kBaseDpi) applyFont(id, false);
  return true;
}

// Path completion works inside the edit line alone; the form hears of it
// only as of any other typing. It is attached just before the first key
// reaches the line: the shell's object and its list window cost a good part
// of a load, and most edits never type a path.
void Win32Window::offerPathCompletion(HWND target) noexcept {
  const ControlId id = controlOf(target);
  ControlState* c = find(id);
  if (!c || c->completionOffered) return;
  if (!(table_.controls[static_cast<size_t>(id)].flags & forms::kPathCompletion)) return;
  // A text box is its own edit line; a combo box's is its child.
  const HWND line = c->kind == Kind::TextBox ? c->window : nullptr;
  if (target != line && !(c->kind == Kind::ComboBox && GetParent(target) == c->window)) return;
  c->completionOffered = true;
  win32::offerPathCompletion(target);
}

namespace {
// What a closed combo box adds to the height of its selection field, as
// last measured and at which DPI: with it a load sets the field once.
std::atomic<std::uint64_t> g_comboFrame{0};  // DPI in the high half
}  // namespace

// A combo box's height follows its font; its selection field is sized so
// that the closed box is as tall as the table says. The field's height as
// read back need not be the one set, so each round corrects by the result;
// the frame measured after a setting lets later boxes start from it.
void Win32Window::fitComboHeight(HWND combo, int height) noexcept {
  LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const std::uint64_t known = g_comboFrame.load(std::memory_order_relaxed);
  for (int round = 0; round < 3 && field != CB_ERR; ++round) {
    RECT r{};
    if (!GetWindowRect(combo, &r)) return;
    const int now = r.bottom - r.top;
    if (round > 0)
      g_comboFrame.store(static_cast<std::uint64_t>(dpi_) << 32 | static_cast<std::uint32_t>(now - field),
                         std::memory_order_relaxed);
    if (now == height) return;
    if (round == 0 && known >> 32 == static_cast<std::uint64_t>(dpi_))
      field = height - static_cast<int>(static_cast<std::uint32_t>(known));
    else
      field += height - now;
    if (field <= 0) return;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void Win32Window::setUpTabStrip(ControlId id) noexcept {
  const ControlState& c = controls_[static_cast<size_t>(id)];
  const auto& row = table_.controls[static_cast<size_t>(id)];
  int index = 0;
  for (const auto& caption : row.tabs) {
    std::wstring text(wide(caption), caption.size());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(c.window, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
  }
  sizeTabs(id);
}

// Equal widths, just narrow enough for the wanted number per row, and as
// tall as the tab strip's font wants.
void Win32Window::sizeTabs(ControlId id) noexcept {
  const ControlState& c = controls_[static_cast<size_t>(id)];
  const int perRow = table_.controls[static_cast<size_t>(id)].tabsPerRow;
  if (perRow <= 0 || SendMessageW(c.window, TCM_GETITEMCOUNT, 0, 0) <= 0) return;
  RECT client{}, first{};
  GetClientRect(c.window, &client);
  SendMessageW(c.window, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  const int width = (client.right - 4) / perRow;
  SendMessageW(c.window, TCM_SETITEMSIZE, 0, MAKELPARAM(width, first.bottom - first.top));
}

// --- lookups ---------------------------------------------------------------

Win32Window::ControlState* Win32Window::find(ControlId id) noexcept {
  if (id < 0 || static_cast<size_t>(id) >= controls_.size()) return nullptr;
  ControlState& c = controls_[static_cast<size_t>(id)];
  return c.created ? &c : nullptr;
}

Win32Window::ControlState* Win32Window::find(ControlId id, Kind kind) noexcept {
  ControlState* c = find(id);
  return c && c->kind == kind ? c : nullptr;
}

HWND Win32Window::controlWindow(ControlId id) const noexcept {
  if (id < 0 || static_cast<size_t>(id) >= controls_.size()) return nullptr;
  return controls_[static_cast<size_t>(id)].window;
}

ControlId Win32Window::controlOf(HWND window) const noexcept {
  // A combo box's edit line is a child of the combo box: walk up.
  for (HWND w = window; w && w != window_.get(); w = GetParent(w)) {
    for (size_t i = 0; i < controls_.size(); ++i)
      if (controls_[i].window == w) return static_cast<ControlId>(i);
  }
  return -1;
}

std::optional<size_t> Win32Window::fontIndexFor(const forms::Font& font) noexcept {
  for (size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i].font == font) return i;
  try {
    unique_hfont handle = createFont(font, dpi_);
    if (!handle) return std::nullopt;
    const int height = lineHeight(handle.get());
    fonts_.push_back({font, std::move(handle), {}, height});
    return fonts_.size() - 1;
  } catch (...) {
    return std::nullopt;
  }
}

// A control is given its font once its load handler has chosen it, unless
// it already has that one (at the base DPI, from its creation): a font
// change makes a control measure and lay itself out again, and the settings
// form changes forty of them as it loads.
void Win32Window::loaded() noexcept {
  fontsHeld_ = false;
  fitFontsToCaptions();
  for (size_t i = 0; i < controls_.size(); ++i) {
    const ControlState& c = controls_[i];
    if (c.window && c.fontGiven != c.fontIndex) applyFont(static_cast<ControlId>(i), false);
  }
}

// A combo box's height follows its font: fitted to the table again.
void Win32Window::applyFont(ControlId id, bool redraw) noexcept {
  ControlState& c = controls_[static_cast<size_t>(id)];
  c.fontGiven = c.fontIndex;
  SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c)), redraw);
  if (c.kind == Kind::ComboBox)
    fitComboHeight(c.window, px(c.rect.height));
}

int Win32Window::lineHeightOf(const ControlState& control) const noexcept {
  return fonts_[control.fontIndex].lineHeight;
}

HFONT Win32Window::fontOf(const ControlState& control) const noexcept {
  return fonts_[control.fontIndex].handle.get();
}

void Win32Window::raise(ControlId id, forms::Event event) noexcept {
  if (ready_ && events_) events_->onControlEvent(id, event);
}

// --- messages --------------------------------------------------------------

INT_PTR CALLBACK Win32Window::dialogProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    return FALSE;  // no control yet to take the focus
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self || !self->events_) return FALSE;
  return self->handleMessage(message, wParam, lParam);
}

INT_PTR Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_COMMAND:
      return onCommand(wParam, lParam) || onDialogCommand(wParam, lParam);
    case DM_GETDEFID: {
      // Answered from the table, as the dialog manager answers its own.
      const ControlId defaultButton = table_.buttonWith(forms::kDefault);
      const LRESULT answer =
          defaultButton < 0 ? 0 : MAKELRESULT(commandId(defaultButton), DC_HASDEFID);
      SetWindowLongPtrW(window_.get(), DWLP_MSGRESULT, answer);
      return TRUE;
    }
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          onLabelColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(window_.get(), &ps)) {
        paintLines(dc, -1);
        EndPaint(window_.get(), &ps);
      }
      return TRUE;
    }
    case WM_CLOSE:
      // The close box, Alt+F4 and the system menu's Close all end here.
      if (modal_) modal_->closeGiven = true;
      events_->onCloseCommand();
      return TRUE;
    case WM_DPICHANGED:
      rescale(LOWORD(wParam));
      return TRUE;
    case WM_DROPFILES:
      onDropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_SHOWWINDOW:
      // A hide sent from another thread does not wake GetMessage: post a
      // message so that the modal loop looks again.
      if (!wParam) PostMessageW(window_.get(), WM_NULL, 0, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

bool Win32Window::onCommand(WPARAM wParam, LPARAM lParam) noexcept {
  const ControlId id = controlOf(reinterpret_cast<HWND>(lParam));
  ControlState* c = find(id);
  if (!c || !lParam) return false;
  if (HIWORD(wParam) != win32Kind(c->kind).clickCode) return false;
  if (forms::traits(c->kind).exclusive) selectOption(id);
  if (c->kind == Kind::ComboBox) {
    // The edit line shows the pick only after this notification; the
    // handler must already see it.
    const LRESULT index = SendMessageW(c->window, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
      const TextTurn turn;
      const LRESULT length = SendMessageW(c->window, CB_GETLBTEXTLEN, index, 0);
      if (length != CB_ERR) {
        std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(c->window, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
        SetWindowTextW(c->window, entry.c_str());
      }
    }
  }
  raise(id, forms::Event::Click);
  return true;
}

bool Win32Window::onNotify(const NMHDR& header) noexcept {
  const ControlId id = controlOf(header.hwndFrom);
  if (!find(id, Kind::TabStrip) || header.code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  raise(id, forms::Event::Click);
  return true;
}

// A drop is input like a click: while a message box or file dialog of ours
// has the form disabled, or the drop handler itself is still running, it is
// let go unanswered, as the window system does with a click there.
void Win32Window::onDropFiles(HDROP drop) noexcept {
  const unique_hdrop finished(drop);  // let go exactly once, taken or not
  if (!ready_ || !events_ || dropping_ || !IsWindowEnabled(window_.get())) return;
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  if (length == 0) return;
  try {
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    if (DragQueryFileW(drop, 0, path.data(), length + 1) != length) return;
    const std::u16string first = fromWide(path.c_str(), length);
    dropping_ = true;
    events_->onFilesDropped(first);
    dropping_ = false;
  } catch (...) {
    dropping_ = false;  // out of memory for the path: the drop is lost
  }
}

HBRUSH Win32Window::onLabelColour(HDC dc, HWND label) noexcept {
  ControlState* c = find(controlOf(label), Kind::Label);
  if (!c || c->window != label) return nullptr;  // the dialog's own colours
  if (!c->backBrush) c->backBrush.reset(CreateSolidBrush(toColorRef(c->back)));
  SetTextColor(dc, toColorRef(c->fore));
  SetBkColor(dc, toColorRef(c->back));
  SetBkMode(dc, OPAQUE);
  return c->backBrush.get();
}

void Win32Window::paintLines(HDC dc, ControlId container) noexcept {
  for (const ControlState& c : controls_) {
    if (c.kind != Kind::Line || c.container != container || !c.created) continue;
    // One pixel wide at 96 DPI, wider on finer displays.
    unique_hpen pen(CreatePen(PS_SOLID, MulDiv(1, dpi_, kBaseDpi), toColorRef(c.fore)));
    if (!pen) continue;
    SelectScope select(dc, pen.get());
    const int x1 = px(c.line.x1), y1 = px(c.line.y1);
    const int x2 = px(c.line.x2), y2 = px(c.line.y2);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SetPixelV(dc, x2, y2, toColorRef(c.fore));  // LineTo leaves out the end point
  }
}

void Win32Window::pictureMouseMove(ControlId id) noexcept { raise(id, forms::Event::MouseMove); }

void Win32Window::paintContainedLines(ControlId id, HDC dc) noexcept { paintLines(dc, id); }

}  // namespace tollivor::forms::win32
