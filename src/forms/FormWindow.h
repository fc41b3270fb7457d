// One loaded form as the window system shows it, and the events it reports
// back to the portable form.
//
// Every operation is noexcept and reports failure through its result, so a
// handler can skip a failed step and go on with the next one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/ControlTable.h"

namespace tollivor::forms {

// An icon handle as the component passes it around: 32 bits, 0 for none.
using IconHandle = std::int32_t;

// A native window handle, opaque to dialog logic (used as an owner).
using WindowHandle = std::intptr_t;

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

}  // namespace tollivor::forms
