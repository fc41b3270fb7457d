// ShowFormAtCursor: centre a dialog on the mouse cursor, pull it inside the
// margins along the screen edges and the task bar, show it modally.
//
// Each step may fail on its own (a platform query, a window property, an
// overflow); a failed step is skipped and its working values keep what they
// held, zero to begin with.
#include <cmath>
#include <cstdint>
#include <optional>

#include "forms/Form.h"
#include "shared/Int32.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"

namespace tollivor::Mshared {

namespace {

using shared::add32;
using shared::mul32;
using shared::sub32;

constexpr std::int32_t kScreenMargin = 500;  // on the axis without the task bar
constexpr std::int32_t kTaskbarGap = 210;    // added to the task bar's thickness

void setLeft(forms::Form& form, std::int32_t left) {
  if (const auto now = form.bounds()) form.moveTo(left, now->top);
}

void setTop(forms::Form& form, std::int32_t top) {
  if (const auto now = form.bounds()) form.moveTo(now->left, top);
}

// The far-edge position: extent - margin - size in floating point, stored
// as a single-precision number of twips.
std::optional<std::int32_t> farPosition(float extent, std::int32_t margin, std::int32_t size) {
  const auto position = static_cast<float>(static_cast<double>(extent) - margin - size);
  const double rounded = std::nearbyint(static_cast<double>(position));
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

// One axis: at most one correction. The near edge is tested first with 32-bit
// integers; only when it holds is the far edge tested, as double precision.
// `extent` is nullopt when the screen size could not be read.
void pullInside(std::int32_t position, std::int32_t size, std::int32_t margin,
                std::optional<float> extent, forms::Form& form,
                void (*set)(forms::Form&, std::int32_t)) {
  if (position < margin) {
    set(form, margin);
    return;
  }
  const auto farSide = add32(position, size);
  if (!extent || !farSide) return;
  if (static_cast<double>(*extent) - margin < static_cast<double>(*farSide)) {
    if (const auto target = farPosition(*extent, margin, size)) set(form, *target);
  }
}

}  // namespace

void ShowFormAtCursor(forms::Form& form) noexcept {
  auto& display = forms::display();

  std::int32_t cursorX = 0;
  std::int32_t cursorY = 0;
  if (const auto cursor = display.cursorPixels()) {
    cursorX = mul32(cursor->x, forms::kTwipsPerPixel).value_or(cursorX);
    cursorY = mul32(cursor->y, forms::kTwipsPerPixel).value_or(cursorY);
  }

  std::int32_t width = 0;
  std::int32_t height = 0;
  if (const auto bounds = form.bounds()) {
    width = bounds->width;
    height = bounds->height;
  }

  // Centre on the cursor; div truncates toward zero.
  const auto left = sub32(cursorX, width / 2);
  const auto top = sub32(cursorY, height / 2);
  if (left && top) form.moveTo(*left, *top);

  std::optional<float> screenWidth;
  std::optional<float> screenHeight;
  if (const auto screen = display.screenTwips()) {
    screenWidth = static_cast<float>(screen->width);
    screenHeight = static_cast<float>(screen->height);
  }

  // Steps below read the left and top back from the window: the window
  // system may have adjusted the move. A failed read leaves 0.
  const auto currentLeft = [&form] {
    const auto now = form.bounds();
    return now ? now->left : 0;
  };
  const auto currentTop = [&form] {
    const auto now = form.bounds();
    return now ? now->top : 0;
  };

  // With the screen size unknown the comparison fails: the left/right case
  // applies, and only its near-edge tests can run.
  const std::int32_t taskbarWidth = ShellEx::GetTaskbarWidth();
  const bool taskbarAlongTopOrBottom =
      screenWidth && static_cast<double>(taskbarWidth) >= static_cast<double>(*screenWidth);
  if (taskbarAlongTopOrBottom) {
    pullInside(currentLeft(), width, kScreenMargin, screenWidth, form, setLeft);
    const std::int32_t t = currentTop();
    const std::int32_t margin = add32(ShellEx::GetTaskbarHeight(), kTaskbarGap).value_or(0);
    pullInside(t, height, margin, screenHeight, form, setTop);
  } else {
    // The task bar runs along the left or right, or does not count. Its
    // width is asked for afresh.
    const std::int32_t l = currentLeft();
    const std::int32_t margin = add32(ShellEx::GetTaskbarWidth(), kTaskbarGap).value_or(0);
    pullInside(l, width, margin, screenWidth, form, setLeft);
    pullInside(currentTop(), height, kScreenMargin, screenHeight, form, setTop);
  }

  form.showModal();
}

}  // namespace tollivor::Mshared
