// The platform tests' form on both backends: one control of every kind, a picture box holding
// a label and an option, OK (default) and Cancel (cancel); every Click and MouseMove is logged.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "forms/Form.h"

namespace tollivor::test {

inline forms::FormTable testFormTable() {
  using namespace tollivor::forms;
  const Font arial{u"Arial", 8.25, false};
  FormTable table{.caption = u"Tollivor Test Form", .clientWidth = 5400, .clientHeight = 3720};
  table.controls = {  // kind, name, index, caption, rect, line, font, flags, container, its index, tabs
      {Kind::Label, "lblName", -1, u"&Name", {720, 120, 735, 210}, {}, arial},
      {Kind::TextBox, "txtName", -1, u"", {720, 360, 3135, 315}, {}, arial},
      {Kind::ComboBox, "cboKind", -1, u"", {720, 780, 3135, 315}},
      {Kind::CheckBox, "chkFlag", -1, u"&Flag", {720, 1200, 1215, 255}},
      {Kind::OptionButton, "optChoice", 0, u"One", {720, 1500, 975, 255}, {}, {}, kChecked},
      {Kind::OptionButton, "optChoice", 1, u"Two", {1800, 1500, 975, 255}},
      {Kind::CommandButton, "cmdApply", -1, u"&Apply", {4080, 360, 1095, 375}},
      {Kind::CommandButton, "cmdOK", -1, u"&OK", {3120, 3240, 975, 375}, {}, {}, kDefault},
      {Kind::CommandButton, "cmdCancel", -1, u"&Cancel", {4200, 3240, 975, 375}, {}, {}, kCancel},
      {Kind::TabStrip, "tabMain", -1, u"", {120, 1860, 5160, 345}, {}, {}, 0, "", -1, {u"One", u"Two"}},
      {Kind::PictureBox, "picPreview", -1, u"", {120, 120, 480, 480}},
      {Kind::PictureBox, "picPage", -1, u"", {120, 2220, 5160, 900}, {}, {}, kBorder},
      {Kind::Label, "lblPage", -1, u"On the page", {120, 60, 1500, 210}, {}, {}, 0, "picPage"},
      {Kind::OptionButton, "optPage", -1, u"Page option", {120, 300, 1500, 255}, {}, {}, 0, "picPage"},
      {Kind::Line, "Line1", -1, u"", {}, {120, 3180, 5280, 3180}},
  };
  return table;
}

// What the form's handlers saw, in order ("Click cmdOK", "MouseMove
// optChoice(1)"). The form's thread writes it; a watcher may read it.
class EventLog {
  std::mutex mutex_;
  std::vector<std::string> entries_;
  std::string lastMove_;  // kept across take()

 public:
  void add(std::string entry) {
    std::lock_guard lock(mutex_);
    // A pointer resting on a control may report several moves, also after a click on it.
    if (entry.starts_with("MouseMove") && std::exchange(lastMove_, entry) == entry) return;
    entries_.push_back(std::move(entry));
  }
  std::vector<std::string> take() { std::lock_guard lock(mutex_); return std::exchange(entries_, {}); }
};

class TestForm : public forms::Form {
 public:
  TestForm() : Form(testFormTable()) {
    using forms::Event;
    for (const auto& row : table().controls) {
      const auto name = row.index < 0 ? row.name : row.name + "(" + std::to_string(row.index) + ")";
      const forms::Control control(*this, row.name, row.index);
      on(control, Event::MouseMove, [=, this](int) { events.add("MouseMove " + name); });
      on(control, Event::Click, [=, this](int) { events.add("Click " + name); });
    }
    on(cmdOK, Event::Click, [this](int) { events.add("Click cmdOK"), resultText = txtName.text(), hide(); });
    on(cmdCancel, Event::Click, [this](int) { events.add("Click cmdCancel"), hide(); });
    on(tabMain, Event::Click, [this](int) {  // the handler sees the tab the user chose
      events.add("Click tabMain " + std::to_string(tabMain.currentTab().value_or(-1)));
    });
    on(cmdApply, Event::Click, [this](int) { events.add("Click cmdApply"), onApply ? onApply() : void(); });
  }

  forms::Control txtName{*this, "txtName"}, chkFlag{*this, "chkFlag"}, cmdApply{*this, "cmdApply"};
  forms::Control cmdOK{*this, "cmdOK"}, cmdCancel{*this, "cmdCancel"};
  forms::Control picPreview{*this, "picPreview"}, tabMain{*this, "tabMain"};

  EventLog events;
  std::function<void()> onApply;  // runs on the form's thread, during a show
  int loads = 0;

 protected:
  void Form_Load() override { ++loads; }
};

}  // namespace tollivor::test
