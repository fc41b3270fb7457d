// One contract body for the headless platform (unit tests) and Win32 (Wine tests). Each program
// supplies the platform and a user acting as a real one would (on Win32: real pointer, posted keys).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/TestForm.h"

namespace tollivor::test {

// The user at the shown test form. Each step returns once the form has handled it.
class ContractUser {
 public:
  virtual void moveMouse(const std::string& control, int index = -1) = 0;  // onto its middle
  virtual void click(const std::string& control, int index = -1) = 0;      // its middle
  virtual void chooseTab(const std::string& control, int tab) = 0;         // a click on the tab
  virtual void focus(const std::string& control, int index = -1) = 0;
  virtual void type(const std::string& control, const std::u16string& text) = 0;
  virtual void pressEnter() = 0;
  virtual void pressEsc() = 0;
  virtual void pressAccessKey(char16_t key) = 0;  // Alt + key
  virtual void closeWindow() = 0;                 // the window's close box
  virtual bool hasFocus(const std::string& control) = 0;
  virtual void settle() = 0;  // waits until the form has handled everything so far

 protected:
  ~ContractUser() = default;
};

class ContractPlatform {
 public:
  virtual ~ContractPlatform() = default;
  // Shows the form modally while the steps play the user; false if they did not end the show.
  virtual bool show(TestForm& form, const std::function<void(ContractUser&)>& steps) = 0;
  virtual void closeHidden(TestForm& form) = 0;  // the close command, to the loaded, hidden form
};

std::unique_ptr<ContractPlatform> makeContractPlatform();  // supplied by each test program

}  // namespace tollivor::test
