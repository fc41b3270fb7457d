#include "forms/Form.h"

#include "forms/KindTraits.h"

namespace tollivor::forms {

// --- Control -------------------------------------------------------------

Control::Control(Form& form, std::string_view name, int index) noexcept
    : form_(&form), id_(form.find(name, index)) {
  if (id_ < 0) form.noteUnresolved(name, index);
}

int Control::index() const noexcept {
  return id_ < 0 ? -1 : form_->table().controls[static_cast<size_t>(id_)].index;
}

Kind Control::kind() const noexcept {
  return id_ < 0 ? Kind::Label : form_->table().controls[static_cast<size_t>(id_)].kind;
}

FormWindow* Control::window() const noexcept { return id_ < 0 ? nullptr : form_->window(); }

std::u16string Control::text() const noexcept {
  auto* w = window();
  if (!w) return {};
  return w->text(id_).value_or(std::u16string{});
}

bool Control::setText(const std::u16string& text) const noexcept {
  auto* w = window();
  return w && w->setText(id_, text);
}

int Control::value() const noexcept {
  auto* w = window();
  return w ? w->value(id_).value_or(0) : 0;
}

bool Control::setValue(int value) const noexcept {
  auto* w = window();
  if (!w) return false;
  const auto before = w->value(id_);
  if (!w->setValue(id_, value)) return false;
  const bool changed = !before || *before != value;
  const KindTraits rules = traits(kind());
  if (changed && rules.hasValue && (!rules.exclusive || value != 0))
    form_->raise(id_, Event::Click);
  return true;
}

bool Control::enabled() const noexcept {
  auto* w = window();
  return w && w->isEnabled(id_).value_or(false);
}

bool Control::setEnabled(bool enabled) const noexcept {
  auto* w = window();
  return w && w->setEnabled(id_, enabled);
}

bool Control::setFocus() const noexcept {
  auto* w = window();
  return w && w->setFocus(id_);
}

bool Control::addItem(const std::u16string& item) const noexcept {
  auto* w = window();
  return w && w->addItem(id_, item);
}

std::optional<Colour> Control::foreColour() const noexcept {
  auto* w = window();
  return w ? w->foreColour(id_) : std::nullopt;
}

bool Control::setForeColour(Colour colour) const noexcept {
  auto* w = window();
  return w && w->setForeColour(id_, colour);
}

std::optional<Colour> Control::backColour() const noexcept {
  auto* w = window();
  return w ? w->backColour(id_) : std::nullopt;
}

bool Control::setBackColour(Colour colour) const noexcept {
  auto* w = window();
  return w && w->setBackColour(id_, colour);
}

std::optional<std::u16string> Control::fontName() const noexcept {
  auto* w = window();
  return w ? w->fontName(id_) : std::nullopt;
}

bool Control::setFontName(const std::u16string& name) const noexcept {
  auto* w = window();
  return w && w->setFontName(id_, name);
}

bool Control::move(const Rect& rect) const noexcept {
  auto* w = window();
  return w && w->moveControl(id_, rect);
}

bool Control::bringToFront() const noexcept {
  auto* w = window();
  return w && w->bringToFront(id_);
}

bool Control::setBorder(bool border) const noexcept {
  auto* w = window();
  return w && w->setBorder(id_, border);
}

bool Control::clear() const noexcept {
  auto* w = window();
  return w && w->clearPicture(id_);
}

bool Control::refresh() const noexcept {
  auto* w = window();
  return w && w->refreshPicture(id_);
}

bool Control::drawIcon(int x, int y, IconHandle icon) const noexcept {
  auto* w = window();
  return w && w->drawIcon(id_, x, y, icon);
}

bool Control::loadPicture(const std::u16string& path) const noexcept {
  auto* w = window();
  return w && w->loadPicture(id_, path);
}

std::optional<int> Control::currentTab() const noexcept {
  auto* w = window();
  return w ? w->currentTab(id_) : std::nullopt;
}

// --- Form ----------------------------------------------------------------

Form::Form(FormTable table) noexcept : table_(std::move(table)) {}

Form::~Form() = default;

ControlId Form::find(std::string_view name, int index) const noexcept {
  for (size_t i = 0; i < table_.controls.size(); ++i) {
    const auto& c = table_.controls[i];
    if (c.name == name && c.index == index) return static_cast<ControlId>(i);
  }
  return -1;
}

bool Form::load() noexcept {
  if (window_) return true;
  if (loading_) return false;  // a control touched while the window is being made
  loading_ = true;
  window_ = formFactory().createForm(table_, *this);
  loading_ = false;
  if (!window_) return false;
  resultText.clear();
  closeRequested_ = false;
  for (size_t i = 0; i < table_.controls.size(); ++i)
    if (const auto colour = table_.controls[i].foreColour)
      window_->setForeColour(static_cast<ControlId>(i), *colour);
  // The load handler follows the same rule as every other handler: a
  // failure ends it, and the form stays loaded and usable.
  try {
    resetDesignState();
    Form_Load();
  } catch (...) {
  }
  if (window_) window_->loaded();  // the load handler may have unloaded it
  return true;
}

void Form::unload() noexcept {
  if (showing_) {
    // Never pull the window from under its own modal loop: hide it, and the
    // show unloads the form once the loop has ended.
    closeRequested_ = true;
    if (window_) window_->hide();
    return;
  }
  window_.reset();
  resultText.clear();
}

bool Form::showModal() noexcept {
  if (!load() || showing_) return false;
  showing_ = true;
  const bool shown = window_->showModal();
  showing_ = false;
  if (closeRequested_) unload();
  return shown;
}

bool Form::hide() noexcept { return window_ && window_->hide(); }

FormWindow* Form::window() noexcept {
  if (!window_) load();
  return window_.get();
}

std::optional<Rect> Form::bounds() noexcept {
  auto* w = window();
  return w ? w->bounds() : std::nullopt;
}

bool Form::moveTo(int left, int top) noexcept {
  auto* w = window();
  return w && w->moveTo(left, top);
}

WindowHandle Form::handle() noexcept {
  auto* w = window();
  return w ? w->handle() : 0;
}

void Form::on(const Control& control, Event event, Handler handler) {
  if (control.id() >= 0) handlers_[{control.id(), event}] = std::move(handler);
}

void Form::noteUnresolved(std::string_view name, int index) noexcept {
  try {
    std::string entry(name);
    if (index >= 0) entry.append(1, '(').append(std::to_string(index)).append(1, ')');
    unresolved_.push_back(std::move(entry));
  } catch (...) {
  }
}

void Form::raise(ControlId id, Event event) noexcept {
  auto it = handlers_.find({id, event});
  if (it == handlers_.end()) return;
  try {
    it->second(table_.controls[static_cast<size_t>(id)].index);
  } catch (...) {
    // A failing handler ends there; the dialog stays usable.
  }
}

void Form::onControlEvent(ControlId id, Event event) noexcept {
  if (id >= 0 && static_cast<size_t>(id) < table_.controls.size()) raise(id, event);
}

void Form::onFilesDropped(const std::u16string& firstPath) noexcept {
  if (!dropHandler_) return;
  try {
    dropHandler_(firstPath);
  } catch (...) {
    // As with any handler: a failure ends it, the dialog stays usable.
  }
}

void Form::onCloseCommand() noexcept {
  // Only a shown form can be closed by its user; the show then unloads it.
  if (!showing_) return;
  closeRequested_ = true;
  if (window_) window_->hide();
}

}  // namespace tollivor::forms
