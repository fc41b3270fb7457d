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

#include "forms/ServiceLocator.h"
#include "forms/headless/HeadlessWindow.h"
#include "forms/headless/ScriptedUser.h"
#include "sdk/LocationNames.h"

namespace tollivor::forms::headless {

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
  std::optional<Size> screen = Size{12000, 9000};       // twips
  std::optional<std::int32_t> taskbarStateValue = 0;    // nullopt: query fails
  std::optional<Edges> taskbarRect;                     // pixels
  // Paths (compared ignoring case) and their attribute values; 16 is a folder.
  std::map<std::u16string, std::uint32_t> files;
  // Existing files whose content is no picture, whatever their extension.
  std::set<std::u16string> notPictures;
  std::set<std::int32_t> specialIconNumbers = [] {  // what the host's Sysgate.dll draws
    std::set<std::int32_t> numbers{kIconDefaultGroup};
    for (const auto& item : kSpecialItems) numbers.insert(item.icon);
    return numbers;
  }();
  bool sysgateMissing = false;
  bool pathwiseMissing = false;
  // (app, section, key) -> value
  std::map<std::tuple<std::u16string, std::u16string, std::u16string>, std::u16string> settings;
  std::set<std::u16string> failingSettingKeys;  // writes to these fail
  std::set<std::string> failingTextWrites;      // controls ("name" or "name(index)") whose text cannot be set

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
  std::optional<Size> screenTwips() noexcept override;
  std::optional<std::int32_t> taskbarState() noexcept override;
  std::optional<Edges> taskbarPixels() noexcept override;
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

}  // namespace tollivor::forms::headless
