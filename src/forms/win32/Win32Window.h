// A loaded form as a real window: a dialog-manager window (so Tab, access
// keys and focus work as users expect) with one child window per control of
// the table, created hidden and shown modally by its own message loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "forms/FormWindow.h"
#include "forms/win32/Dpi.h"
#include "forms/win32/OwnerWindow.h"
#include "forms/win32/PictureBox.h"
#include "win32/Handles.h"

namespace tollivor::forms::win32 {

// How the controls of a kind are made on Windows, one row per kind: the
// window class, the styles they all have (the row's flags add more), the
// notification that is their Click, and the height the window has beyond
// its row (a combo box's drop-down list), in twips.
struct Win32Kind {
  const wchar_t* windowClass = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
  int clickCode = -1;  // none
  int extraHeight = 0;
};
Win32Kind win32Kind(forms::Kind kind) noexcept;

class Win32Window final : public forms::FormWindow, private PictureBoxHost {
 public:
  // The window, hidden, with every control in its initial state; nullptr
  // when the window system refuses.
  static std::unique_ptr<Win32Window> create(const forms::FormTable& table,
                                             forms::FormEvents& events) noexcept;
  ~Win32Window() override;

  // The control id that a table row's window answers to GetDlgCtrlID.
  static constexpr int kFirstCommandId = 100;
  static int commandId(forms::ControlId id) noexcept { return kFirstCommandId + id; }

  HWND formWindow() const noexcept { return window_.get(); }
  // A control's own window; nullptr for lines and unknown ids.
  HWND controlWindow(forms::ControlId id) const noexcept;

  bool showModal() noexcept override;
  bool hide() noexcept override;
  bool isVisible() noexcept override;
  std::optional<forms::Rect> bounds() noexcept override;
  bool moveTo(int left, int top) noexcept override;
  forms::WindowHandle handle() noexcept override;

  void loaded() noexcept override;
  std::optional<std::u16string> text(forms::ControlId id) noexcept override;
  bool setText(forms::ControlId id, const std::u16string& text) noexcept override;
  std::optional<int> value(forms::ControlId id) noexcept override;
  bool setValue(forms::ControlId id, int value) noexcept override;
  std::optional<bool> isEnabled(forms::ControlId id) noexcept override;
  bool setEnabled(forms::ControlId id, bool enabled) noexcept override;
  bool setFocus(forms::ControlId id) noexcept override;
  std::optional<forms::ControlId> focus() noexcept override;
  bool addItem(forms::ControlId id, const std::u16string& item) noexcept override;
  std::optional<std::vector<std::u16string>> items(forms::ControlId id) noexcept override;
  std::optional<forms::Colour> foreColour(forms::ControlId id) noexcept override;
  bool setForeColour(forms::ControlId id, forms::Colour colour) noexcept override;
  std::optional<forms::Colour> backColour(forms::ControlId id) noexcept override;
  bool setBackColour(forms::ControlId id, forms::Colour colour) noexcept override;
  std::optional<std::u16string> fontName(forms::ControlId id) noexcept override;
  bool setFontName(forms::ControlId id, const std::u16string& name) noexcept override;
  std::optional<forms::Rect> controlRect(forms::ControlId id) noexcept override;
  bool moveControl(forms::ControlId id, const forms::Rect& rect) noexcept override;
  bool bringToFront(forms::ControlId id) noexcept override;
  bool setBorder(forms::ControlId id, bool border) noexcept override;
  bool clearPicture(forms::ControlId id) noexcept override;
  bool refreshPicture(forms::ControlId id) noexcept override;
  bool drawIcon(forms::ControlId id, int x, int y, forms::IconHandle icon) noexcept override;
  bool loadPicture(forms::ControlId id, const std::u16string& path) noexcept override;
  std::optional<int> currentTab(forms::ControlId id) noexcept override;
  bool setCurrentTab(forms::ControlId id, int tab) noexcept override;

 private:
  struct ControlState {
    forms::Kind kind = forms::Kind::Label;
    forms::ControlId container = -1;  // a picture box, or -1 for the form
    forms::Rect rect;                 // twips: laid out again at a new DPI
    HWND window = nullptr;            // a child: destroyed with the form
    forms::Font font;
    size_t fontIndex = 0;  // in fonts_; 0: the form's font
    size_t fontGiven = SIZE_MAX;  // the fonts_ entry its window was last given
    forms::Colour fore = 0;
    forms::Colour back = 0;
    tollivor::win32::unique_hbrush backBrush;  // labels: painted behind the text
    std::unique_ptr<PictureBox> picture;
    forms::LineEnds line;  // lines only
    bool created = false;
    bool creating = false;
    bool hiddenByCover = false;  // a page hidden behind the page in front
    bool completionOffered = false;  // path completion, at the first key
  };

  // What a modal show changes and must put back.
  struct Modal {
    HWND previousActive = nullptr;
    std::vector<HWND> disabled;
    bool closeGiven = false;
  };

  Win32Window(const forms::FormTable& table, forms::FormEvents& events);
  bool build() noexcept;
  bool createControl(forms::ControlId id) noexcept;
  bool createChildWindow(forms::ControlId id, HWND parent) noexcept;
  void setUpTabStrip(forms::ControlId id) noexcept;
  void sizeTabs(forms::ControlId id) noexcept;
  void fitComboHeight(HWND combo, int height) noexcept;
  // Table twips to this window's pixels, and back.
  int px(int twips) const noexcept { return scaledPixels(twips, dpi_); }
  int twips(int pixels) const noexcept { return scaledTwips(pixels, dpi_); }
  bool placeControl(const ControlState& control) noexcept;
  void sizeForm() noexcept;
  // The window moved to a display of another DPI: fonts, frame and every
  // control are made again at that DPI.
  void rescale(int dpi) noexcept;
  void fitFontsToCaptions() noexcept;
  void offerPathCompletion(HWND target) noexcept;  // a key is about to reach `target`

  ControlState* find(forms::ControlId id) noexcept;
  ControlState* find(forms::ControlId id, forms::Kind kind) noexcept;
  forms::ControlId controlOf(HWND window) const noexcept;
  std::optional<size_t> fontIndexFor(const forms::Font& font) noexcept;  // none: not made
  HFONT fontOf(const ControlState& control) const noexcept;
  void applyFont(forms::ControlId id, bool redraw) noexcept;
  int lineHeightOf(const ControlState& control) const noexcept;
  void raise(forms::ControlId id, forms::Event event) noexcept;

  void selectOption(forms::ControlId id) noexcept;
  void updateOptionTabStops(forms::ControlId container) noexcept;
  // Its kind is focusable and the user can reach it now.
  bool focusableNow(const ControlState& control) const noexcept;
  void focusFirstControl() noexcept;
  bool pressDialogKey(const MSG& message) noexcept;

  // Tabbed forms (Win32WindowPages.cpp): pages stacked on one rectangle,
  // and the keys that choose a tab.
  void coverSiblingPages(forms::ControlId front) noexcept;
  bool pressTabStripKey(const MSG& message) noexcept;

  void disableOtherWindows(Modal& modal) noexcept;
  static void enableWindowsAgain(Modal& modal) noexcept;
  void runMessageLoop(Modal& modal) noexcept;

  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  void onMouseMove(HWND window) noexcept;
  INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  bool onCommand(WPARAM wParam, LPARAM lParam) noexcept;
  bool onDialogCommand(WPARAM wParam, LPARAM lParam) noexcept;
  bool onNotify(const NMHDR& header) noexcept;
  void onDropFiles(HDROP drop) noexcept;
  HBRUSH onLabelColour(HDC dc, HWND label) noexcept;
  void paintLines(HDC dc, forms::ControlId container) noexcept;

  void pictureMouseMove(forms::ControlId id) noexcept override;
  void paintContainedLines(forms::ControlId id, HDC dc) noexcept override;

  forms::FormTable table_;
  forms::FormEvents* events_;
  int dpi_ = kBaseDpi;
  bool ready_ = false;  // events flow once every control exists
  Modal* modal_ = nullptr;
  bool dropping_ = false;  // the form's drop handler is running

  // Declared before the window so that they outlive it: the class while
  // its windows do, and fonts, brushes and bitmaps while the controls use
  // them. (The thread's owner window outlives every form of the thread.)
  PictureClassLease pictureClass_;
  // One font per description, shared by the controls that use it (a form
  // whose controls all take the same face makes it once), its line height
  // measured once. The form's own font is the first.
  struct SharedFont {
    forms::Font font;
    tollivor::win32::unique_hfont handle;
    tollivor::win32::unique_hfont previous;  // while the controls are given the new one
    int lineHeight = 0;     // pixels
  };
  std::vector<SharedFont> fonts_;
  bool fontsHeld_ = true;  // until the load handler has run
  std::vector<ControlState> controls_;
  tollivor::win32::unique_hwnd window_;
};

// Builds a font at its point size for the DPI.
tollivor::win32::unique_hfont createFont(const forms::Font& font, int dpi) noexcept;

}  // namespace tollivor::forms::win32
