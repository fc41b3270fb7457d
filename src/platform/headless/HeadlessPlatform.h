// The in-memory forms platform that tests run the dialogs on.
//
// It plays the user (a script queued for the next modal show types, picks,
// clicks and presses keys), answers the system dialogs from scripted answers,
// and records what the user would see and hear: beeps, message boxes, focus
// changes, what each picture box shows. Screen, cursor, task bar, file
// system, helper libraries and settings store are plain data a test sets.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/forms.h"

namespace tollivor::forms::headless {

class HeadlessWindow;
class HeadlessPlatform;

// The user at the keyboard and mouse, acting on the form that is shown
// modally (the innermost one). Controls are named as in the form's table.
// Acting on a hidden or disabled control does nothing; a name the form does
// not have is recorded in HeadlessPlatform::unknownControls. Only focus()
// and access keys move the focus; clicking and typing act on a control
// without taking it, so Enter still goes where the focus was.
class ScriptedUser {
 public:
  explicit ScriptedUser(HeadlessPlatform& platform) : platform_(platform) {}

  void type(const std::string& control, const std::u16string& text, int index = -1);
  // Picks an entry of a combo box's list: its text becomes the entry, then Click.
  void pick(const std::string& control, const std::u16string& entry);
  void click(const std::string& control, int index = -1);   // buttons, check boxes, options
  void select(const std::string& control, int index = -1);  // an option button
  void check(const std::string& control, bool checked);     // a check box, if it changes
  void chooseTab(const std::string& control, int tab);
  void moveMouse(const std::string& control, int index = -1);
  void focus(const std::string& control, int index = -1);
  void pressEnter();  // the focused button, else the default button
  void pressEsc();    // the cancel button
  void pressAccessKey(char16_t key);  // Alt + key
  void closeWindow();                 // the window's own close command

  // What the user sees on the shown form.
  std::u16string text(const std::string& control, int index = -1) const;
  std::string focusedControl() const;  // "name" or "name(index)"; "" for none
  HeadlessWindow* window() const;      // the shown form, or nullptr

 private:
  ControlId locate(const HeadlessWindow& window, const std::string& control, int index) const;

  HeadlessPlatform& platform_;
};

struct MessageBoxRecord {
  std::u16string prompt;
  int style = 0;
  std::u16string title;
  WindowHandle owner = 0;
};

struct SettingWrite {
  std::u16string app, section, key, value;
};

class HeadlessPlatform : public Platform {
 public:
  using Script = std::function<void(ScriptedUser&)>;

  HeadlessPlatform();
  // Windows still alive (a form left loaded) are cut loose, not destroyed:
  // their owners destroy them later.
  ~HeadlessPlatform() override;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  // --- the world a test sets up ---------------------------------------
  std::optional<Point> cursor = Point{0, 0};            // pixels; nullopt: query fails
  std::optional<Point> screen = Point{12000, 9000};     // twips
  std::optional<std::int32_t> taskbarStateValue = 0;    // nullopt: query fails
  std::optional<Rect> taskbarRect;                      // left, top, right, bottom pixels
  // Paths (compared ignoring case) and their attribute values; 16 is a folder.
  std::map<std::u16string, std::uint32_t> files;
  std::set<std::int32_t> specialIconNumbers{1, 2, 3, 5, 6, 8, 9, 10};
  bool sysgateMissing = false;
  bool pathwiseMissing = false;
  // (app, section, key) -> value
  std::map<std::tuple<std::u16string, std::u16string, std::u16string>, std::u16string> settings;
  std::set<std::u16string> failingSettingKeys;  // writes to these fail

  // --- scripted answers -----------------------------------------------
  // The next modal show runs the first queued script; the show ends when
  // the form hides or unloads, or when the script ends (the form is then
  // hidden and the show counted in unfinishedShows).
  void onNextShow(Script script);
  // nullopt: the user cancels.
  void answerNextOpen(std::optional<std::u16string> file);
  void answerNextColour(std::optional<Colour> colour);
  void answerNextFolder(std::optional<std::u16string> folder);

  // --- what was seen and heard ----------------------------------------
  int beeps = 0;
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<std::string> focusChanges;  // "name" or "name(index)", in order
  std::vector<SettingWrite> settingWrites;  // writes the store took, in order
  std::vector<CommonDialogSettings> openDialogs;    // settings of each file-open run
  std::vector<CommonDialogSettings> colourDialogs;  // settings of each colour run
  std::vector<std::string> folderPrompts;           // ANSI prompt of each browse, NUL included
  int modalShows = 0;
  int unfinishedShows = 0;
  std::vector<std::string> unknownControls;  // names a script used that its form lacks
  // Icons handed out and not yet destroyed, with what each shows.
  std::map<IconHandle, std::u16string> liveIcons;
  int badIconReleases = 0;  // releases of handles that were not live

  // Every live window, and the modal stack (innermost last).
  std::vector<HeadlessWindow*> windows;
  std::vector<HeadlessWindow*> modalStack;
  HeadlessWindow* windowOf(WindowHandle handle) const;

  ScriptedUser user{*this};

  // --- Platform --------------------------------------------------------
  std::unique_ptr<FormWindow> createForm(const FormTable& table, FormEvents& events) noexcept override;
  void beep() noexcept override;
  bool messageBox(WindowHandle owner, const std::u16string& prompt, int style,
                  const std::u16string& title) noexcept override;
  bool showOpen(WindowHandle owner, CommonDialogSettings& dialog) noexcept override;
  bool showColour(WindowHandle owner, CommonDialogSettings& dialog) noexcept override;
  std::optional<Point> cursorPixels() noexcept override;
  std::optional<Point> screenTwips() noexcept override;
  std::optional<std::int32_t> taskbarState() noexcept override;
  std::optional<Rect> taskbarPixels() noexcept override;
  std::optional<std::uint32_t> fileAttributes(const std::u16string& path) noexcept override;
  std::optional<std::u16string> readSetting(const std::u16string& app, const std::u16string& section,
                                            const std::u16string& key) noexcept override;
  bool writeSetting(const std::u16string& app, const std::u16string& section,
                    const std::u16string& key, const std::u16string& value) noexcept override;
  IconHandle specialLargeIcon(std::int32_t number) noexcept override;
  IconHandle shellFileIcon(const std::string& ansiPath) noexcept override;
  void destroyIcon(IconHandle icon) noexcept override;
  void browseForFolder(WindowHandle owner, const std::string& ansiPrompt,
                       std::string& area) noexcept override;
  std::string toAnsi(const std::u16string& text) noexcept override;      // Latin-1; others '?'
  std::u16string fromAnsi(const std::string& text) noexcept override;

  // Internal to the headless backend.
  IconHandle newIcon(const std::u16string& image);
  std::optional<Script> takeScript();

 private:
  std::deque<Script> scripts_;
  std::deque<std::optional<std::u16string>> openAnswers_;
  std::deque<std::optional<Colour>> colourAnswers_;
  std::deque<std::optional<std::u16string>> folderAnswers_;
  IconHandle nextIcon_ = 0x1000;
  WindowHandle nextWindow_ = 0x100;
  friend class HeadlessWindow;
};

// A loaded form in memory. Tests reach it through HeadlessPlatform::windowOf.
class HeadlessWindow : public FormWindow {
 public:
  // What a picture box shows: images drawn since it was last cleared, in
  // order ("special:5", "file:C:\x.exe", "picture:C:\a.ico").
  std::vector<std::u16string> pictureShows(const std::string& control, int index = -1) const;
  int pictureClears(const std::string& control, int index = -1) const;
  int pictureRefreshes(const std::string& control, int index = -1) const;
  bool isFrontPage(const std::string& control, int index) const;  // last brought to front
  bool enabledWindow() const;  // false while another form is modal
  const FormTable& table() const;
  // (Further members are the backend's own.)

  HeadlessWindow(HeadlessPlatform& platform, const FormTable& table, FormEvents& events,
                 WindowHandle handle);
  ~HeadlessWindow() override;
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  // --- FormWindow --------------------------------------------------------
  bool showModal() noexcept override;
  bool hide() noexcept override;
  bool isVisible() noexcept override;
  std::optional<Rect> bounds() noexcept override;
  bool moveTo(int left, int top) noexcept override;
  WindowHandle handle() noexcept override;
  std::optional<std::u16string> text(ControlId id) noexcept override;
  bool setText(ControlId id, const std::u16string& text) noexcept override;
  std::optional<int> value(ControlId id) noexcept override;
  bool setValue(ControlId id, int value) noexcept override;
  std::optional<bool> isEnabled(ControlId id) noexcept override;
  bool setEnabled(ControlId id, bool enabled) noexcept override;
  bool setFocus(ControlId id) noexcept override;
  std::optional<ControlId> focus() noexcept override;
  bool addItem(ControlId id, const std::u16string& item) noexcept override;
  std::optional<std::vector<std::u16string>> items(ControlId id) noexcept override;
  std::optional<Colour> foreColour(ControlId id) noexcept override;
  bool setForeColour(ControlId id, Colour colour) noexcept override;
  std::optional<Colour> backColour(ControlId id) noexcept override;
  bool setBackColour(ControlId id, Colour colour) noexcept override;
  std::optional<std::u16string> fontName(ControlId id) noexcept override;
  bool setFontName(ControlId id, const std::u16string& name) noexcept override;
  std::optional<Rect> controlRect(ControlId id) noexcept override;
  bool moveControl(ControlId id, const Rect& rect) noexcept override;
  bool bringToFront(ControlId id) noexcept override;
  bool setBorder(ControlId id, bool border) noexcept override;
  bool clearPicture(ControlId id) noexcept override;
  bool refreshPicture(ControlId id) noexcept override;
  bool drawIcon(ControlId id, int x, int y, IconHandle icon) noexcept override;
  bool loadPicture(ControlId id, const std::u16string& path) noexcept override;
  std::optional<int> currentTab(ControlId id) noexcept override;
  bool setCurrentTab(ControlId id, int tab) noexcept override;

  // Non-client parts of the dialog frame, in twips: each side, and the caption.
  static constexpr int kFrameTwips = 3 * kTwipsPerPixel;
  static constexpr int kCaptionTwips = 22 * kTwipsPerPixel;

 private:
  friend class ScriptedUser;
  friend class HeadlessPlatform;

  struct ControlState {
    std::u16string text;  // caption or text
    int value = 0;
    bool enabled = true;
    bool visible = true;
    bool border = false;
    std::vector<std::u16string> items;
    Colour fore = 0;
    Colour back = 0;
    std::u16string fontName;
    Rect rect;
    std::vector<std::u16string> shows;
    int clears = 0;
    int refreshes = 0;
    int tab = 0;
    unsigned frontStamp = 0;  // 0: never brought to front
  };

  const ControlRow* row(ControlId id) const noexcept;
  ControlState* state(ControlId id) noexcept;
  const ControlState* state(ControlId id) const noexcept;
  ControlId find(const std::string& name, int index) const noexcept;
  ControlId containerOf(ControlId id) const noexcept;
  std::string nameOf(ControlId id) const;  // "name" or "name(index)"
  // Shown and enabled, and so are its containers: the user can reach it.
  bool reachable(ControlId id) const noexcept;
  bool canTakeFocus(ControlId id) const noexcept;
  // Where the user's input goes: the innermost shown modal form, until it
  // hides or its close command is given.
  bool takesInput() const noexcept;
  void moveFocus(ControlId id) noexcept;
  void selectOption(ControlId id) noexcept;
  void raise(ControlId id, Event event) noexcept;
  void giveCloseCommand() noexcept;
  // The user's mouse click or access key on a reachable control.
  void userClick(ControlId id) noexcept;
  void userAccessKey(char16_t key) noexcept;

  HeadlessPlatform* platform_;  // nullptr once the platform is gone
  FormTable table_;
  FormEvents& events_;
  WindowHandle handle_;
  std::vector<ControlState> controls_;
  Rect bounds_;
  bool visible_ = false;
  bool showing_ = false;
  bool closeGiven_ = false;
  std::optional<ControlId> focus_;
  unsigned frontCounter_ = 0;
};

}  // namespace tollivor::forms::headless
