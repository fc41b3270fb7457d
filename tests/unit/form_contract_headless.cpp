// The forms contract over the headless platform and its scripted user.
#include "common/FormContract.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

class HeadlessUser final : public ContractUser {
  ScriptedUser& user_;

 public:
  explicit HeadlessUser(ScriptedUser& user) : user_(user) {}
  void moveMouse(const std::string& control, int index) override { user_.moveMouse(control, index); }
  void click(const std::string& control, int index) override { user_.click(control, index); }
  void chooseTab(const std::string& control, int tab) override { user_.chooseTab(control, tab); }
  void focus(const std::string& control, int index) override { user_.focus(control, index); }
  void type(const std::string& control, const std::u16string& text) override { user_.type(control, text); }
  void pressEnter() override { user_.pressEnter(); }
  void pressEsc() override { user_.pressEsc(); }
  void pressAccessKey(char16_t key) override { user_.pressAccessKey(key); }
  void closeWindow() override { user_.closeWindow(); }
  bool hasFocus(const std::string& control) override { return user_.focusedControl() == control; }
  void settle() override {}  // every step is handled before it returns
};

class HeadlessContract final : public ContractPlatform {
  forms::headless::HeadlessPlatform system_;
  forms::ScopedPlatform installed_{system_};

 public:
  ~HeadlessContract() override { EXPECT_EQ(system_.unknownControls, std::vector<std::string>{}); }
  bool show(TestForm& form, const std::function<void(ContractUser&)>& steps) override {
    const int unfinished = system_.unfinishedShows;
    system_.onNextShow([&](ScriptedUser& user) {
      HeadlessUser contractUser(user);
      steps(contractUser);
    });
    return form.showModal(), system_.unfinishedShows == unfinished;
  }
  void closeHidden(TestForm& form) override { system_.windowOf(form.handle())->receiveCloseCommand(); }
};

}  // namespace

std::unique_ptr<ContractPlatform> makeContractPlatform() { return std::make_unique<HeadlessContract>(); }

}  // namespace tollivor::test
