// The shell as the dialogs use it: task bar queries for the placement,
// icons for the previews, and the host's folder chooser.
#include "shared/ShellEx.h"

#include <cstdint>

#include "forms/Form.h"
#include "shared/Int32.h"

namespace tollivor::ShellEx {

namespace {

constexpr std::int32_t kAlwaysOnTopOnly = 2;  // always on top, not auto-hide
constexpr std::size_t kFolderAreaSize = 3000;

// The task bar's edges in pixels when its state lets it count; all zeros
// when the shell cannot tell.
forms::Edges countedTaskbarEdges() {
  if (GetTaskbarState() != kAlwaysOnTopOnly) return {};
  return forms::display().taskbarPixels().value_or(forms::Edges{});
}

// (far - near) * 15 in 32-bit arithmetic; an overflow answers 0.
std::int32_t twipsBetween(int nearEdge, int farEdge) {
  const auto pixels = shared::sub32(farEdge, nearEdge);
  if (!pixels) return 0;
  return shared::mul32(*pixels, forms::kTwipsPerPixel).value_or(0);
}

}  // namespace

std::int16_t GetTaskbarState() noexcept {
  const auto state = forms::display().taskbarState();
  if (!state || *state < INT16_MIN || *state > INT16_MAX) return 0;
  return static_cast<std::int16_t>(*state);
}

std::int32_t GetTaskbarWidth() noexcept {
  const auto edges = countedTaskbarEdges();
  return twipsBetween(edges.left, edges.right);
}

std::int32_t GetTaskbarHeight() noexcept {
  const auto edges = countedTaskbarEdges();
  return twipsBetween(edges.top, edges.bottom);
}

forms::IconHandle GetSpecialIcon(std::int32_t number) noexcept {
  return forms::helperLibraries().specialLargeIcon(number);
}

forms::IconHandle GetFileIcon(const std::u16string& path) noexcept {
  return forms::helperLibraries().shellFileIcon(forms::codePage().toAnsi(path));
}

void DrawIconInPreview(const forms::Control& preview, forms::IconHandle icon) noexcept {
  preview.clear();
  if (icon == 0) return;  // drawing and releasing no icon do nothing
  preview.drawIcon(0, 0, icon);
  forms::helperLibraries().destroyIcon(icon);
}

void DrawPickedIcon(const forms::Control& preview, forms::IconHandle icon) noexcept {
  preview.clear();
  if (icon == 0) return;
  preview.refresh();
  preview.drawIcon(0, 0, icon);
  forms::helperLibraries().destroyIcon(icon);
  preview.refresh();
}

std::u16string ChooseFolder(forms::WindowHandle owner, const std::u16string& prompt) noexcept {
  auto& helpers = forms::helperLibraries();
  auto& codePage = forms::codePage();
  std::string area(kFolderAreaSize, ' ');
  helpers.browseForFolder(owner, codePage.toAnsi(prompt + u'\0'), area);

  // Trim the blanks at both ends, then drop the NUL written after the path.
  // Nothing chosen leaves all blanks, which trim to "" and have no last
  // character to drop.
  std::u16string chosen = codePage.fromAnsi(area);
  const auto first = chosen.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  const auto last = chosen.find_last_not_of(u' ');
  chosen = chosen.substr(first, last - first + 1);
  chosen.pop_back();
  return chosen;
}

}  // namespace tollivor::ShellEx
