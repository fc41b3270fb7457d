// One contract for every forms platform: the same test body runs over the
// headless platform (unit tests) and the Win32 one (Wine tests). Each test
// program supplies the platform and a user who acts as a real one would on
// it: on Win32 with real pointer moves and clicks, posted keys.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/TestForm.h"

namespace tollivor::test {

// The user at the shown test form. Each step returns once the form has
// handled it.
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
  virtual void closeWindow() = 0;  // the window's close box
  virtual bool hasFocus(const std::string& control) = 0;
  // Waits until the form has handled everything so far.
  virtual void settle() = 0;

 protected:
  ~ContractUser() = default;
};

class ContractPlatform {
 public:
  virtual ~ContractPlatform() = default;
  // Shows the form modally while the steps play the user. True when the
  // steps ended the show; otherwise the show is ended for them.
  virtual bool show(TestForm& form, const std::function<void(ContractUser&)>& steps) = 0;
  // The window's close command, given while the form is loaded but hidden
  // (as another program may send it).
  virtual void closeHidden(TestForm& form) = 0;
};

// Supplied by each test program.
std::unique_ptr<ContractPlatform> makeContractPlatform();

}  // namespace tollivor::test
