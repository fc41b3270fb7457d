// A small form that the platform tests run on both backends: one control of
// every kind, a picture box holding a label and an option of its own, and
// OK (default) and Cancel (cancel) buttons. Every control's Click and
// MouseMove are written to the form's event log.
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
  FormTable table;
  table.caption = u"Tollivor Test Form";
  table.clientWidth = 5400;
  table.clientHeight = 3720;
  table.controls = {
      {.kind = Kind::Label, .name = "lblName", .caption = u"&Name", .rect = {720, 120, 735, 210},
       .font = arial},
      {.kind = Kind::TextBox, .name = "txtName", .rect = {720, 360, 3135, 315}, .font = arial},
      {.kind = Kind::ComboBox, .name = "cboKind", .rect = {720, 780, 3135, 315}},
      {.kind = Kind::CheckBox, .name = "chkFlag", .caption = u"&Flag", .rect = {720, 1200, 1215, 255}},
      {.kind = Kind::OptionButton, .name = "optChoice", .index = 0, .caption = u"One",
       .rect = {720, 1500, 975, 255}, .flags = kChecked},
      {.kind = Kind::OptionButton, .name = "optChoice", .index = 1, .caption = u"Two",
       .rect = {1800, 1500, 975, 255}},
      {.kind = Kind::CommandButton, .name = "cmdApply", .caption = u"&Apply",
       .rect = {4080, 360, 1095, 375}},
      {.kind = Kind::CommandButton, .name = "cmdOK", .caption = u"&OK",
       .rect = {3120, 3240, 975, 375}, .flags = kDefault},
      {.kind = Kind::CommandButton, .name = "cmdCancel", .caption = u"&Cancel",
       .rect = {4200, 3240, 975, 375}, .flags = kCancel},
      {.kind = Kind::TabStrip, .name = "tabMain", .rect = {120, 1860, 5160, 345},
       .tabs = {u"One", u"Two"}},
      {.kind = Kind::PictureBox, .name = "picPreview", .rect = {120, 120, 480, 480}},
      {.kind = Kind::PictureBox, .name = "picPage", .rect = {120, 2220, 5160, 900},
       .flags = kBorder},
      {.kind = Kind::Label, .name = "lblPage", .caption = u"On the page", .rect = {120, 60, 1500, 210},
       .container = "picPage"},
      {.kind = Kind::OptionButton, .name = "optPage", .caption = u"Page option",
       .rect = {120, 300, 1500, 255}, .container = "picPage"},
      {.kind = Kind::Line, .name = "Line1", .line = {120, 3180, 5280, 3180}},
  };
  return table;
}

// What the form's handlers saw, in order ("Click cmdOK", "MouseMove
// optChoice(1)"). The form's thread writes it; a watcher may read it.
class EventLog {
 public:
  void add(std::string entry) {
    std::lock_guard lock(mutex_);
    // The pointer resting on a control may report several moves, also
    // after a click on it (a button lets go of the mouse).
    if (entry.starts_with("MouseMove")) {
      if (entry == lastMove_) return;
      lastMove_ = entry;
    }
    entries_.push_back(std::move(entry));
  }
  std::vector<std::string> take() {
    std::lock_guard lock(mutex_);
    return std::exchange(entries_, {});
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> entries_;
  std::string lastMove_;  // kept across take()
};

class TestForm : public forms::Form {
 public:
  TestForm() : Form(testFormTable()) {
    for (const auto& row : table().controls) {
      std::string name = row.index < 0 ? row.name : row.name + "(" + std::to_string(row.index) + ")";
      const forms::Control control(*this, row.name, row.index);
      on(control, forms::Event::MouseMove, [this, name](int) { events.add("MouseMove " + name); });
      on(control, forms::Event::Click, [this, name](int) { events.add("Click " + name); });
    }
    on(cmdOK, forms::Event::Click, [this](int) {
      events.add("Click cmdOK");
      resultText = txtName.text();
      hide();
    });
    on(cmdCancel, forms::Event::Click, [this](int) {
      events.add("Click cmdCancel");
      hide();
    });
    // The handler sees the tab the user chose.
    on(tabMain, forms::Event::Click, [this](int) {
      events.add("Click tabMain " + std::to_string(tabMain.currentTab().value_or(-1)));
    });
    on(cmdApply, forms::Event::Click, [this](int) {
      events.add("Click cmdApply");
      if (onApply) onApply();
    });
  }

  forms::Control txtName{*this, "txtName"};
  forms::Control chkFlag{*this, "chkFlag"};
  forms::Control cmdApply{*this, "cmdApply"};
  forms::Control cmdOK{*this, "cmdOK"};
  forms::Control cmdCancel{*this, "cmdCancel"};
  forms::Control picPreview{*this, "picPreview"};
  forms::Control tabMain{*this, "tabMain"};

  EventLog events;
  std::function<void()> onApply;  // runs on the form's thread, during a show
  int loads = 0;

 protected:
  void Form_Load() override { ++loads; }
};

}  // namespace tollivor::test
