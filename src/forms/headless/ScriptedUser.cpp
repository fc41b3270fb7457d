#include <algorithm>

#include "forms/headless/HeadlessPlatform.h"
#include "forms/KindTraits.h"

namespace tollivor::forms::headless {

HeadlessWindow* ScriptedUser::window() const {
  auto& stack = platform_.modalStack;
  if (stack.empty() || !stack.back()->takesInput()) return nullptr;
  return stack.back();
}

ControlId ScriptedUser::locate(const HeadlessWindow& w, const std::string& control,
                               int index) const {
  const ControlId id = w.find(control, index);
  if (id < 0) {
    // A name the form does not have is the script's mistake, not a user's
    // miss: tests check that none was met.
    std::string name = control;
    if (index >= 0) name.append(1, '(').append(std::to_string(index)).append(1, ')');
    platform_.unknownControls.push_back(std::move(name));
  }
  return id;
}

void ScriptedUser::type(const std::string& control, const std::u16string& text, int index) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, index);
  const auto* r = w->row(id);
  if (!r || !traits(r->kind).typed || !w->reachable(id)) return;
  w->state(id)->text = text;  // typing runs no handler
}

void ScriptedUser::pick(const std::string& control, const std::u16string& entry) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, -1);
  const auto* r = w->row(id);
  if (!r || r->kind != Kind::ComboBox || !w->reachable(id)) return;
  const auto& items = w->state(id)->items;
  if (std::find(items.begin(), items.end(), entry) == items.end()) return;
  w->state(id)->text = entry;
  w->raise(id, Event::Click);
}

void ScriptedUser::click(const std::string& control, int index) {
  if (auto* w = window()) w->userClick(locate(*w, control, index));
}

void ScriptedUser::select(const std::string& control, int index) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, index);
  const auto* r = w->row(id);
  if (r && traits(r->kind).exclusive) w->userClick(id);
}

void ScriptedUser::check(const std::string& control, bool checked) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, -1);
  const auto* r = w->row(id);
  if (r && traits(r->kind).hasValue && !traits(r->kind).exclusive &&
      (w->state(id)->value != 0) != checked)
    w->userClick(id);
}

void ScriptedUser::chooseTab(const std::string& control, int tab) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, -1);
  const auto* r = w->row(id);
  if (!r || r->kind != Kind::TabStrip || !w->reachable(id)) return;
  if (tab < 0 || tab >= static_cast<int>(r->tabs.size()) || w->state(id)->tab == tab) return;
  w->state(id)->tab = tab;
  w->raise(id, Event::Click);
}

void ScriptedUser::moveMouse(const std::string& control, int index) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, index);
  const auto* r = w->row(id);
  if (r && traits(r->kind).hovers && w->reachable(id)) w->raise(id, Event::MouseMove);
}

void ScriptedUser::focus(const std::string& control, int index) {
  auto* w = window();
  if (!w) return;
  const ControlId id = locate(*w, control, index);
  if (w->focusableNow(id)) w->moveFocus(id);
}

void ScriptedUser::pressEnter() {
  auto* w = window();
  if (!w) return;
  // A focused button takes Enter for itself; otherwise the default button does.
  if (w->focus_) {
    const ControlId focused = *w->focus_;
    if (w->row(focused)->kind == Kind::CommandButton && w->reachable(focused)) {
      w->raise(focused, Event::Click);
      return;
    }
  }
  const ControlId defaultButton = w->table_.buttonWith(kDefault);
  if (defaultButton >= 0 && w->reachable(defaultButton)) w->raise(defaultButton, Event::Click);
}

void ScriptedUser::pressEsc() {
  auto* w = window();
  if (!w) return;
  const ControlId cancelButton = w->table_.buttonWith(kCancel);
  if (cancelButton >= 0 && w->reachable(cancelButton)) w->raise(cancelButton, Event::Click);
}

void ScriptedUser::pressAccessKey(char16_t key) {
  if (auto* w = window()) w->userAccessKey(key);
}

void ScriptedUser::closeWindow() {
  if (auto* w = window()) w->giveCloseCommand();
}

void ScriptedUser::dropFiles(const std::vector<std::u16string>& paths) {
  auto* w = window();
  if (w && !paths.empty()) w->userDrop(paths.front());
}

std::u16string ScriptedUser::text(const std::string& control, int index) const {
  auto* w = window();
  if (!w) return {};
  return w->text(locate(*w, control, index)).value_or(std::u16string{});
}

std::string ScriptedUser::focusedControl() const {
  auto* w = window();
  if (!w || !w->focus_) return {};
  return w->nameOf(*w->focus_);
}

}  // namespace tollivor::forms::headless
