// The forms platform: what every dialog of the component may ask of the
// window system. Dialog logic is written against these types only; the
// Win32 backend (the product) and the headless backend (tests) implement them.
//
// Every operation is noexcept and reports failure through its result, so a
// handler can skip a failed step and go on with the next one.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tollivor::forms {

inline constexpr int kTwipsPerPixel = 15;

// A platform colour value: RGB (red + 256 * green + 65536 * blue), or with the
// top bit set a system colour number in the low byte.
using Colour = std::int32_t;
inline constexpr Colour kSystemColourFlag = static_cast<Colour>(0x80000000u);
inline constexpr Colour systemColour(int n) { return kSystemColourFlag | n; }

// System colours the dialogs name.
inline constexpr Colour kButtonShadowColour = systemColour(0x10);
inline constexpr Colour k3DHighlightColour = systemColour(0x14);
inline constexpr Colour k3DDarkShadowColour = systemColour(0x15);

// The attribute value of a plain folder.
inline constexpr std::uint32_t kAttrDirectory = 0x10;

// An icon handle as the component passes it around: 32 bits, 0 for none.
using IconHandle = std::int32_t;

// A native window handle, opaque to dialog logic (used as an owner).
using WindowHandle = std::intptr_t;

enum class Kind {
  Label,
  TextBox,
  ComboBox,       // an editable line with a drop-down list
  CommandButton,
  OptionButton,   // exclusive within its container
  CheckBox,
  PictureBox,     // keeps what is drawn into it; may contain other controls
  Line,           // drawn between the two end points of its row's `line`
  TabStrip,
};

enum class Event {
  Click,      // button pressed, list entry picked, check box changed, tab chosen
  MouseMove,  // the pointer moved over the control
};

struct Font {
  std::u16string name;
  double points = 8.25;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int width = 0;
  int height = 0;
};

// The four edges of a rectangle, as the shell reports the task bar's.
struct Edges {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A line's two end points, in twips.
struct LineEnds {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

// Initial state and dialog roles of a control.
enum Flag : unsigned {
  kNoFlags = 0,
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kDefault = 1u << 2,   // pressed by Enter
  kCancel = 1u << 3,    // pressed by Esc
  kChecked = 1u << 4,   // option selected or check box checked
  kBorder = 1u << 5,    // picture box drawn with a sunken border
  // A box that holds a path: where the system offers it, typing in it
  // proposes matching files and folders. No event of the form comes of it.
  kPathCompletion = 1u << 6,
};

// One row of a form's control table.
struct ControlRow {
  Kind kind = Kind::Label;
  std::string name;
  int index = -1;             // position in a control array; -1 when not in one
  std::u16string caption;     // label, button, option and check box caption
  Rect rect;                  // twips, relative to the container
  LineEnds line;              // lines only, instead of a rectangle
  std::optional<Font> font;   // none: the form's own font
  unsigned flags = kNoFlags;
  std::string container;      // "" for the form, else a picture box's name
  int containerIndex = -1;
  std::vector<std::u16string> tabs;  // tab strip captions
  int tabsPerRow = 0;
};

// A row as a table file writes it: the same fields, literal text only. A
// table of these is constant data, turned into ControlRows by one loop
// instead of a few hundred bytes of string construction per row.
struct FontSpec {
  const char16_t* name = nullptr;  // none: the form's own font
  double points = 8.25;
  bool bold = false;
};
struct RowSpec {
  Kind kind = Kind::Label;
  const char* name = "";
  int index = -1;
  const char16_t* caption = u"";
  Rect rect;
  LineEnds line;
  FontSpec font;
  unsigned flags = kNoFlags;
  const char* container = "";
  int containerIndex = -1;
  std::initializer_list<const char16_t*> tabs;
  int tabsPerRow = 0;
};
ControlRow controlRow(const RowSpec& source);
std::vector<ControlRow> controlRows(std::initializer_list<RowSpec> rows);

// A control's place in its form's table; rows are taken in order.
using ControlId = int;

struct FormTable {
  std::u16string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
  Font font{u"Tahoma", 8.25, false};
  std::vector<ControlRow> controls;  // in tab order; lines last

  // The command button with this role (kDefault: Enter; kCancel: Esc), or -1.
  int buttonWith(unsigned role) const noexcept {
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i].kind == Kind::CommandButton && (controls[i].flags & role))
        return static_cast<int>(i);
    return -1;
  }
};

// The events a window reports back to the portable form.
class FormEvents {
 public:
  virtual void onControlEvent(ControlId id, Event event) noexcept = 0;
  virtual void onCloseCommand() noexcept = 0;  // the window's own close
  // Files dragged from the shell and dropped on the form. The window takes
  // drops only when the form accepts them, and passes the first path.
  virtual bool acceptsFileDrops() const noexcept = 0;
  virtual void onFilesDropped(const std::u16string& firstPath) noexcept = 0;

 protected:
  ~FormEvents() = default;
};

// One loaded form on a platform. Created hidden, with every control in its
// initial state. Destroying it discards the window and all control state.
class FormWindow {
 public:
  virtual ~FormWindow() = default;

  // The form's load handler has run: what the window held back until the
  // controls were settled (their fonts) takes effect now.
  virtual void loaded() noexcept {}

  // Shows the form modally with no owner and returns once it is hidden or
  // its close command was given. Other windows of the thread are disabled
  // meanwhile.
  virtual bool showModal() noexcept = 0;
  virtual bool hide() noexcept = 0;
  virtual bool isVisible() noexcept = 0;
  // Outer rectangle in twips, as the window system gives it.
  virtual std::optional<Rect> bounds() noexcept = 0;
  virtual bool moveTo(int left, int top) noexcept = 0;  // keeps the size
  virtual WindowHandle handle() noexcept = 0;

  virtual std::optional<std::u16string> text(ControlId id) noexcept = 0;
  virtual bool setText(ControlId id, const std::u16string& text) noexcept = 0;
  // Option button: 1 selected, 0 not; selecting one clears the other options
  // of its container. Check box: 0 unchecked, 1 checked. Setting a value
  // raises no event: the portable form does that.
  virtual std::optional<int> value(ControlId id) noexcept = 0;
  virtual bool setValue(ControlId id, int value) noexcept = 0;
  virtual std::optional<bool> isEnabled(ControlId id) noexcept = 0;
  virtual bool setEnabled(ControlId id, bool enabled) noexcept = 0;
  virtual bool setFocus(ControlId id) noexcept = 0;
  virtual std::optional<ControlId> focus() noexcept = 0;
  virtual bool addItem(ControlId id, const std::u16string& item) noexcept = 0;
  virtual std::optional<std::vector<std::u16string>> items(ControlId id) noexcept = 0;
  virtual std::optional<Colour> foreColour(ControlId id) noexcept = 0;
  virtual bool setForeColour(ControlId id, Colour colour) noexcept = 0;
  virtual std::optional<Colour> backColour(ControlId id) noexcept = 0;
  virtual bool setBackColour(ControlId id, Colour colour) noexcept = 0;
  virtual std::optional<std::u16string> fontName(ControlId id) noexcept = 0;
  virtual bool setFontName(ControlId id, const std::u16string& name) noexcept = 0;
  virtual std::optional<Rect> controlRect(ControlId id) noexcept = 0;
  virtual bool moveControl(ControlId id, const Rect& rect) noexcept = 0;
  virtual bool bringToFront(ControlId id) noexcept = 0;
  virtual bool setBorder(ControlId id, bool border) noexcept = 0;

  // Picture boxes keep what is drawn until cleared, shown or not.
  virtual bool clearPicture(ControlId id) noexcept = 0;
  virtual bool refreshPicture(ControlId id) noexcept = 0;
  virtual bool drawIcon(ControlId id, int x, int y, IconHandle icon) noexcept = 0;
  virtual bool loadPicture(ControlId id, const std::u16string& path) noexcept = 0;

  // Tab strip: the current tab.
  virtual std::optional<int> currentTab(ControlId id) noexcept = 0;
  virtual bool setCurrentTab(ControlId id, int tab) noexcept = 0;
};

// The settings of a common dialog object. They persist from run to run.
struct CommonDialogSettings {
  std::u16string title;
  std::u16string filter;  // "desc|pattern|desc|pattern|"
  unsigned flags = 0;
  std::u16string initDir;
  std::u16string fileName;
  Colour colour = 0;
};

// File-open options: only an existing file is accepted, and the read-only
// check box is not shown.
inline constexpr unsigned kOpenFileMustExist = 0x1000;
inline constexpr unsigned kOpenHideReadOnly = 0x4;

// Message box styles the component uses: the information icon, one OK button.
inline constexpr int kMbInformation = 64;

// What the dialogs ask of the system, one interface per concern, so that a
// test can replace one concern and keep the rest (see ScopedService).

// Makes a form's window from its table.
class FormFactory {
 public:
  virtual std::unique_ptr<FormWindow> createForm(const FormTable& table,
                                                 FormEvents& events) noexcept = 0;

 protected:
  ~FormFactory() = default;
};

// The beep, the message box and the common file and colour dialogs.
class SystemDialogs {
 public:
  virtual void beep() noexcept = 0;
  // Modal; returns once dismissed. False when it could not be shown.
  virtual bool messageBox(WindowHandle owner, const std::u16string& prompt, int style,
                          const std::u16string& title) noexcept = 0;
  // A run leaves its result in the settings; false reports a failure
  // (the user's Cancel included).
  virtual bool showOpen(WindowHandle owner, CommonDialogSettings& dialog) noexcept = 0;
  virtual bool showColour(WindowHandle owner, CommonDialogSettings& dialog) noexcept = 0;

 protected:
  ~SystemDialogs() = default;
};

// The cursor, the screen and the task bar.
class Display {
 public:
  virtual std::optional<Point> cursorPixels() noexcept = 0;
  virtual std::optional<Size> screenTwips() noexcept = 0;
  virtual std::optional<std::int32_t> taskbarState() noexcept = 0;
  virtual std::optional<Edges> taskbarPixels() noexcept = 0;

 protected:
  ~Display() = default;
};

class FileSystem {
 public:
  virtual std::optional<std::uint32_t> fileAttributes(const std::u16string& path) noexcept = 0;

 protected:
  ~FileSystem() = default;
};

// The per-user settings store. nullopt: the key does not exist.
class SettingsStorage {
 public:
  virtual std::optional<std::u16string> readSetting(const std::u16string& app,
                                                    const std::u16string& section,
                                                    const std::u16string& key) noexcept = 0;
  virtual bool writeSetting(const std::u16string& app, const std::u16string& section,
                            const std::u16string& key, const std::u16string& value) noexcept = 0;

 protected:
  ~SettingsStorage() = default;
};

// The host's helper libraries and the shell. Each answers 0 / nothing on failure.
class HelperLibraries {
 public:
  virtual IconHandle specialLargeIcon(std::int32_t number) noexcept = 0;
  virtual IconHandle shellFileIcon(const std::string& ansiPath) noexcept = 0;
  virtual void destroyIcon(IconHandle icon) noexcept = 0;
  // Pathwise's BrowseForFolder: writes the chosen path and a NUL at the start
  // of the area, or leaves the area as it was.
  virtual void browseForFolder(WindowHandle owner, const std::string& ansiPrompt,
                               std::string& area) noexcept = 0;

 protected:
  ~HelperLibraries() = default;
};

// The system's 8-bit code page.
class CodePage {
 public:
  virtual std::string toAnsi(const std::u16string& text) noexcept = 0;
  virtual std::u16string fromAnsi(const std::string& text) noexcept = 0;

 protected:
  ~CodePage() = default;
};

// A whole platform: every concern at once.
class Platform : public FormFactory,
                 public SystemDialogs,
                 public Display,
                 public FileSystem,
                 public SettingsStorage,
                 public HelperLibraries,
                 public CodePage {
 public:
  virtual ~Platform() = default;
};

// The platform the component runs on. Tests install their own.
Platform& platform() noexcept;
void setPlatform(Platform* platform) noexcept;  // nullptr: back to the default

// Each concern as the component reaches it: the installed platform's, unless
// a single concern was replaced.
FormFactory& formFactory() noexcept;
SystemDialogs& dialogs() noexcept;
Display& display() noexcept;
FileSystem& fileSystem() noexcept;
SettingsStorage& settingsStorage() noexcept;
HelperLibraries& helperLibraries() noexcept;
CodePage& codePage() noexcept;

// Replaces one concern for the lifetime of the guard (nullptr: none).
template <class Service>
class ScopedService {
 public:
  explicit ScopedService(Service& service) noexcept;
  ~ScopedService();
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;
};

// Installs a platform for the lifetime of the guard.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& platform) noexcept { setPlatform(&platform); }
  ~ScopedPlatform() { setPlatform(nullptr); }
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;
};

}  // namespace tollivor::forms
