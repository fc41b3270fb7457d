// A form as the dialogs see it: its control table, its handlers, and the
// loaded window (if any) underneath. Touching a control of an unloaded form
// loads it first, as the forms runtime does.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/FormWindow.h"
#include "forms/ServiceLocator.h"

namespace tollivor::forms {

class Form;

// A named control of a form (one element of a control array).
class Control {
 public:
  Control(Form& form, std::string_view name, int index = -1) noexcept;

  ControlId id() const noexcept { return id_; }
  int index() const noexcept;
  Kind kind() const noexcept;

  // Reads answer the empty value when they fail.
  std::u16string text() const noexcept;
  bool setText(const std::u16string& text) const noexcept;
  std::u16string caption() const noexcept { return text(); }
  bool setCaption(const std::u16string& text) const noexcept { return setText(text); }
  int value() const noexcept;
  // Setting a check box, or selecting an option, from code runs its Click
  // handler when the value changes.
  bool setValue(int value) const noexcept;
  bool enabled() const noexcept;
  bool setEnabled(bool enabled) const noexcept;
  bool setFocus() const noexcept;
  bool addItem(const std::u16string& item) const noexcept;
  std::optional<Colour> foreColour() const noexcept;
  bool setForeColour(Colour colour) const noexcept;
  std::optional<Colour> backColour() const noexcept;
  bool setBackColour(Colour colour) const noexcept;
  std::optional<std::u16string> fontName() const noexcept;
  bool setFontName(const std::u16string& name) const noexcept;
  bool move(const Rect& rect) const noexcept;
  bool bringToFront() const noexcept;
  bool setBorder(bool border) const noexcept;
  bool clear() const noexcept;    // picture box
  bool refresh() const noexcept;  // picture box
  bool drawIcon(int x, int y, IconHandle icon) const noexcept;
  bool loadPicture(const std::u16string& path) const noexcept;
  std::optional<int> currentTab() const noexcept;

 private:
  FormWindow* window() const noexcept;

  Form* form_;
  ControlId id_;
};

// A control array declared once: element i is the table's row (name, i).
template <std::size_t N>
class ControlArray {
 public:
  ControlArray(Form& form, std::string_view name) noexcept
      : controls_(make(form, name, std::make_index_sequence<N>{})) {}

  const Control& operator[](std::size_t i) const noexcept { return controls_[i]; }
  static constexpr std::size_t size() noexcept { return N; }
  auto begin() const noexcept { return controls_.begin(); }
  auto end() const noexcept { return controls_.end(); }

 private:
  template <std::size_t... I>
  static std::array<Control, N> make(Form& form, std::string_view name,
                                     std::index_sequence<I...>) noexcept {
    return {Control(form, name, static_cast<int>(I))...};
  }
  std::array<Control, N> controls_;
};

class Form : public FormEvents {
 public:
  using Handler = std::function<void(int index)>;

  explicit Form(FormTable table) noexcept;
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormTable& table() const noexcept { return table_; }
  // The id of a control, or -1 when the table has no such control.
  ControlId find(std::string_view name, int index = -1) const noexcept;

  bool isLoaded() const noexcept { return window_ != nullptr; }
  // Creates the window hidden and runs Form_Load. Does nothing when loaded.
  bool load() noexcept;
  // Discards the window and every control's state.
  void unload() noexcept;
  // Loads the form if needed and shows it modally. Returns once it is hidden
  // or unloaded by its close command.
  bool showModal() noexcept;
  bool hide() noexcept;
  bool isShowing() const noexcept { return showing_; }

  // The loaded window, loading the form first if needed; nullptr on failure.
  FormWindow* window() noexcept;
  WindowHandle handle() noexcept;
  // The outer rectangle in twips, as the window system now has it.
  std::optional<Rect> bounds() noexcept;
  bool moveTo(int left, int top) noexcept;  // keeps the size

  // The form's own string for its outcome; empty whenever it is loaded.
  std::u16string resultText;

  // Binds a handler to one control, or to every element of an array (the
  // handler then gets the element's index).
  void on(const Control& control, Event event, Handler handler);
  template <class F>
  void on(const Control& control, Event event, void (F::*handler)()) {
    on(control, event, [this, handler](int) { (static_cast<F*>(this)->*handler)(); });
  }
  template <class F, std::size_t N>
  void on(const ControlArray<N>& array, Event event, void (F::*handler)(int)) {
    for (const Control& control : array)
      on(control, event, [this, handler](int index) { (static_cast<F*>(this)->*handler)(index); });
  }
  void raise(ControlId id, Event event) noexcept;

  // Binds the handler for files dropped on the form; it gets the first path.
  // A form without one takes no drops.
  using DropHandler = std::function<void(const std::u16string& path)>;
  void onFileDrop(DropHandler handler) { dropHandler_ = std::move(handler); }
  template <class F>
  void onFileDrop(void (F::*handler)(const std::u16string&)) {
    onFileDrop([this, handler](const std::u16string& path) {
      (static_cast<F*>(this)->*handler)(path);
    });
  }

  // Names of control members that the table does not have: a misspelt name
  // would otherwise make every call on it quietly do nothing.
  const std::vector<std::string>& unresolvedNames() const noexcept { return unresolved_; }
  void noteUnresolved(std::string_view name, int index) noexcept;

 protected:
  // Puts the form's own state back to its design values; runs on every load
  // before Form_Load.
  virtual void resetDesignState() {}
  virtual void Form_Load() {}

 private:
  void onControlEvent(ControlId id, Event event) noexcept override;
  void onCloseCommand() noexcept override;
  bool acceptsFileDrops() const noexcept override { return static_cast<bool>(dropHandler_); }
  void onFilesDropped(const std::u16string& firstPath) noexcept override;

  FormTable table_;
  std::unique_ptr<FormWindow> window_;
  std::map<std::pair<ControlId, Event>, Handler> handlers_;
  DropHandler dropHandler_;
  bool showing_ = false;
  bool closeRequested_ = false;
  bool loading_ = false;
  std::vector<std::string> unresolved_;
};

}  // namespace tollivor::forms
