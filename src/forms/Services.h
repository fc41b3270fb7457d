// What the dialogs ask of the system besides their own windows, one
// interface per concern (so that a test can replace one and keep the rest),
// and a platform that offers them all. The Win32
// backend (the product) and the headless backend (tests) implement them.
//
// Every operation is noexcept and reports failure through its result, so a
// handler can skip a failed step and go on with the next one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "forms/ControlTable.h"
#include "forms/FormWindow.h"

namespace tollivor::forms {

// The cursor's place and the screen's size, and the four edges of a
// rectangle as the shell reports the task bar's.
struct Point {
  int x = 0, y = 0;
};
struct Size {
  int width = 0, height = 0;
};
struct Edges {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The attribute value of a plain folder.
inline constexpr std::uint32_t kAttrDirectory = 0x10;

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

}  // namespace tollivor::forms
