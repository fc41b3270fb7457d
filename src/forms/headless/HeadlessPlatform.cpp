#include "forms/headless/HeadlessPlatform.h"

#include <algorithm>

#include "forms/headless/HeadlessText.h"

namespace tollivor::forms {

// The native build runs on the headless platform unless a test installs another.
Platform& defaultPlatform() noexcept {
  static headless::HeadlessPlatform platform;
  return platform;
}

}  // namespace tollivor::forms

namespace tollivor::forms::headless {

namespace {

// The first queued entry, taken off its queue; nothing when none is queued.
template <class T>
std::optional<T> takeNext(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T next = std::move(queue.front());
  queue.pop_front();
  return next;
}

template <class Map>
auto findIgnoringCase(Map& files, const std::u16string& path) {
  return std::find_if(files.begin(), files.end(),
                      [&](const auto& entry) { return equalsIgnoringCase(entry.first, path); });
}

using SettingKey = std::tuple<std::u16string, std::u16string, std::u16string>;

bool sameSetting(const SettingKey& a, const SettingKey& b) noexcept {
  return equalsIgnoringCase(std::get<0>(a), std::get<0>(b)) &&
         equalsIgnoringCase(std::get<1>(a), std::get<1>(b)) &&
         equalsIgnoringCase(std::get<2>(a), std::get<2>(b));
}

}  // namespace

HeadlessPlatform::HeadlessPlatform() = default;

HeadlessPlatform::~HeadlessPlatform() {
  for (auto* window : windows) window->platform_ = nullptr;
}

HeadlessWindow* HeadlessPlatform::windowOf(WindowHandle handle) const {
  for (auto* window : windows)
    if (window->handle_ == handle) return window;
  return nullptr;
}

std::unique_ptr<FormWindow> HeadlessPlatform::createForm(const FormTable& table,
                                                         FormEvents& events) noexcept {
  try {
    auto window = std::make_unique<HeadlessWindow>(*this, table, events, nextWindow_);
    nextWindow_ += 4;
    return window;
  } catch (...) {
    return nullptr;
  }
}

// --- scripted answers -----------------------------------------------------

void HeadlessPlatform::onNextShow(Script script) { scripts_.push_back(std::move(script)); }

void HeadlessPlatform::answerNextOpen(std::optional<std::u16string> file) {
  openAnswers_.push_back(std::move(file));
}

void HeadlessPlatform::answerNextColour(std::optional<Colour> colour) {
  colourAnswers_.push_back(colour);
}

void HeadlessPlatform::answerNextFolder(std::optional<std::u16string> folder) {
  folderAnswers_.push_back(std::move(folder));
}

std::optional<HeadlessPlatform::Script> HeadlessPlatform::takeScript() {
  return takeNext(scripts_);
}

// --- message box, beep, common dialogs ----------------------------------

void HeadlessPlatform::beep() noexcept { ++beeps; }

bool HeadlessPlatform::messageBox(WindowHandle owner, const std::u16string& prompt, int style,
                                  const std::u16string& title) noexcept {
  try {
    messageBoxes.push_back({prompt, style, title, owner});
    return true;
  } catch (...) {
    return false;
  }
}

bool HeadlessPlatform::showOpen(WindowHandle, CommonDialogSettings& dialog) noexcept {
  try {
    openDialogs.push_back(dialog);
    auto answer = takeNext(openAnswers_);
    if (!answer || !*answer) return false;  // none queued, or the user cancels
    dialog.fileName = std::move(**answer);
    return true;
  } catch (...) {
    return false;
  }
}

bool HeadlessPlatform::showColour(WindowHandle, CommonDialogSettings& dialog) noexcept {
  try {
    colourDialogs.push_back(dialog);
    const auto answer = takeNext(colourAnswers_);
    if (!answer || !*answer) return false;
    dialog.colour = **answer;
    return true;
  } catch (...) {
    return false;
  }
}

void HeadlessPlatform::browseForFolder(WindowHandle, const std::string& ansiPrompt,
                                       std::string& area) noexcept {
  try {
    folderPrompts.push_back(ansiPrompt);
  } catch (...) {
  }
  if (pathwiseMissing) return;
  const auto answer = takeNext(folderAnswers_);
  if (!answer || !*answer || area.empty()) return;
  // The path and its NUL go at the start of the area, cut short rather than
  // written past its end.
  const std::string path = toAnsi(**answer);
  const size_t length = std::min(path.size(), area.size() - 1);
  std::copy_n(path.begin(), length, area.begin());
  area[length] = '\0';
}

// --- screen, cursor, task bar, files --------------------------------------

std::optional<Point> HeadlessPlatform::cursorPixels() noexcept { return cursor; }

std::optional<Size> HeadlessPlatform::screenTwips() noexcept { return screen; }

std::optional<std::int32_t> HeadlessPlatform::taskbarState() noexcept { return taskbarStateValue; }

std::optional<Edges> HeadlessPlatform::taskbarPixels() noexcept { return taskbarRect; }

std::optional<std::uint32_t> HeadlessPlatform::fileAttributes(const std::u16string& path) noexcept {
  if (path.empty()) return std::nullopt;
  auto it = findIgnoringCase(files, path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

// --- settings store --------------------------------------------------------

std::optional<std::u16string> HeadlessPlatform::readSetting(const std::u16string& app,
                                                            const std::u16string& section,
                                                            const std::u16string& key) noexcept {
  try {
    const SettingKey wanted{app, section, key};
    for (const auto& [stored, value] : settings)
      if (sameSetting(stored, wanted)) return value;
  } catch (...) {
  }
  return std::nullopt;
}

bool HeadlessPlatform::writeSetting(const std::u16string& app, const std::u16string& section,
                                    const std::u16string& key,
                                    const std::u16string& value) noexcept {
  try {
    for (const auto& failing : failingSettingKeys)
      if (equalsIgnoringCase(failing, key)) return false;
    const SettingKey wanted{app, section, key};
    auto it = std::find_if(settings.begin(), settings.end(),
                           [&](const auto& entry) { return sameSetting(entry.first, wanted); });
    // An existing key keeps its spelling, as the registry keeps a value's name.
    if (it != settings.end())
      it->second = value;
    else
      settings.emplace(wanted, value);
    settingWrites.push_back({app, section, key, value});
    return true;
  } catch (...) {
    return false;
  }
}

// --- icons -------------------------------------------------------------------

IconHandle HeadlessPlatform::newIcon(const std::u16string& image) {
  const IconHandle icon = nextIcon_++;
  liveIcons[icon] = image;
  return icon;
}

IconHandle HeadlessPlatform::specialLargeIcon(std::int32_t number) noexcept {
  if (sysgateMissing || !specialIconNumbers.count(number)) return 0;
  try {
    const std::string digits = std::to_string(number);
    return newIcon(u"special:" + std::u16string(digits.begin(), digits.end()));
  } catch (...) {
    return 0;
  }
}

IconHandle HeadlessPlatform::shellFileIcon(const std::string& ansiPath) noexcept {
  try {
    const std::u16string path = fromAnsi(ansiPath);
    if (path.empty() || findIgnoringCase(files, path) == files.end()) return 0;
    return newIcon(u"file:" + path);
  } catch (...) {
    return 0;
  }
}

void HeadlessPlatform::destroyIcon(IconHandle icon) noexcept {
  if (icon == 0) return;
  if (liveIcons.erase(icon) == 0) ++badIconReleases;
}

// --- text ----------------------------------------------------------------------

std::string HeadlessPlatform::toAnsi(const std::u16string& text) noexcept {
  std::string out;
  try {
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      const bool pairStart = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                             text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      if (pairStart) ++i;  // one character, one '?'
      out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
  } catch (...) {
  }
  return out;
}

std::u16string HeadlessPlatform::fromAnsi(const std::string& text) noexcept {
  std::u16string out;
  try {
    out.reserve(text.size());
    for (const char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  } catch (...) {
  }
  return out;
}

}  // namespace tollivor::forms::headless
