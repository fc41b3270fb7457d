// The user at the keyboard and mouse of the in-memory platform.
#pragma once

#include <string>
#include <vector>

#include "forms/FormWindow.h"

namespace tollivor::forms::headless {

class HeadlessWindow;
class HeadlessPlatform;

// The user at the keyboard and mouse, acting on the form that is shown
// modally (the innermost one). Controls are named as in the form's table.
// Acting on a hidden or disabled control does nothing; a name the form does
// not have is recorded in HeadlessPlatform::unknownControls. focus(),
// access keys and clicks move the focus (a click, as the mouse's does, to a
// control that takes it); typing and picking act on a control without
// taking it, so Enter still goes where the focus was.
class ScriptedUser {
 public:
  explicit ScriptedUser(HeadlessPlatform& platform) : platform_(platform) {}

  void type(const std::string& control, const std::u16string& text, int index = -1);
  // Picks an entry of a combo box's list: its text becomes the entry, then Click.
  void pick(const std::string& control, const std::u16string& entry);
  void click(const std::string& control, int index = -1);   // buttons, check boxes, options
  void select(const std::string& control, int index = -1);  // an option button
  void check(const std::string& control, bool checked);     // a check box, if it changes
  void chooseTab(const std::string& control, int tab);
  void moveMouse(const std::string& control, int index = -1);
  void focus(const std::string& control, int index = -1);
  void pressEnter();  // the focused button, else the default button
  void pressEsc();    // the cancel button
  void pressAccessKey(char16_t key);  // Alt + key
  void closeWindow();                 // the window's own close command
  // Drags files from the shell onto the shown form and lets go there. A form
  // that takes drops gets the first path; an empty list drops nothing.
  void dropFiles(const std::vector<std::u16string>& paths);
  void dropFile(const std::u16string& path) { dropFiles({path}); }

  // What the user sees on the shown form.
  std::u16string text(const std::string& control, int index = -1) const;
  std::string focusedControl() const;  // "name" or "name(index)"; "" for none
  HeadlessWindow* window() const;      // the shown form, or nullptr

 private:
  ControlId locate(const HeadlessWindow& window, const std::string& control, int index) const;

  HeadlessPlatform& platform_;
};

}  // namespace tollivor::forms::headless
