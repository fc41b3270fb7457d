// The group dialog: records in, what OK writes or refuses (and which
// prompt says why), and the icon choosers.
#include <optional>

#include "group/CGroup.h"
#include "group/frmGroup.h"
#include "unit/harness.h"

namespace tollivor::test {
namespace {

const Text kTools = u"C:\\Icons\\tools.ico", kOdd = u"C:\\Icons\\odd|:name.ico", kBitmap = u"C:\\Icons\\tools.bmp",
           kBroken = u"C:\\Icons\\broken.ico" /* no picture */, kNotIcon = u"C:\\Icons\\notes_ico";
const Shows kToolsPic{u"picture:" + kTools}, kDefaultIcon{u"special:10"};

class Group : public Editor<CGroup, frmGroup> {
 protected:
  Group() {
    for (const auto& file : {kTools, kOdd, kBroken, kNotIcon, kBitmap}) system.files[file] = 32;
    system.files[u"C:\\Icons"] = forms::kAttrDirectory;
    system.notPictures.insert(kBroken);
  }
  // The name, the icon path and what the preview shows.
  auto fields() { return std::tuple(form().txtGroupName.text(), form().lblIconPath.caption(), preview("pictIcon")); }
};

// Applied in order to one dialog: anything but a group record changes
// nothing, and a file that is no picture keeps the preview.
TEST_F(Group, RecordsFillNameIconPathAndPreview) {
  const struct { Text record, name, iconPath; Shows preview; } cases[] = {
      {u"group|Tools|:" + kTools, u"Tools", kTools, kToolsPic}, {u"GrOuP|a|b|:" + kTools, u"a|b", kTools, kToolsPic},
      {u"group|T|:" + kBroken, u"T", kBroken, kToolsPic}, {u"group||:" + kOdd, u"", kOdd, {u"picture:" + kOdd}},
      {u"group|Tools", u"", u"", kDefaultIcon}, {u"group|T|:" + kTools, u"T", kTools, kToolsPic},
      {u" group|x|:", u"T", kTools, kToolsPic}, {u"groupx|:", u"T", kTools, kToolsPic},
      {kTools + u"|Editor", u"T", kTools, kToolsPic}, {u"", u"T", kTools, kToolsPic},
      {u"group|T|:C:\\Icons", u"T", u"", kDefaultIcon}, {u"group|  T |:" + kTools, u"  T ", kTools, kToolsPic},
      {u"group|T|:C:\\Icons\\gone.ico", u"T", u"", kDefaultIcon},
      {u"group|" + Text(40000, u'n') + u"|:" + kTools, u"", u"", kDefaultIcon},  // past 32,767
  };
  for (const auto& c : cases) {
    object->ItemInfo(c.record);
    EXPECT_EQ(fields(), std::tuple(c.name, c.iconPath, c.preview)) << (&c - cases);
  }
  EXPECT_EQ(object->ItemInfo(), u"") << "writing does not set the result";
  object->ItemInfo(u"group|T|:" + kTools);
  system.sysgateMissing = true;
  object->ItemInfo(u"group|T|:");
  EXPECT_EQ(preview("pictIcon"), Shows{}) << "no default icon: the preview is cleared";
}

// OK hands back the record as typed, prefix in lower case; a vanished icon file or one that is no
// picture still passes. The checks run in order: a bar in the name, then a blank name, then a path
// not ending in ".ico". A refusal beeps, says why, moves the focus and keeps the earlier result.
TEST_F(Group, OkWritesTheRecordOrRefusesWithTheFirstFailingCheck) {
  const char16_t* bar = u"You cannot use the character \"|\" in Group Name. Please change it. ";
  const char16_t* noName = u"Please input a valid group name. ";
  const char16_t* noIcon = u"You must provide a valid icon file. ";
  const struct { Text record, typed; const char16_t* prompt; std::string focus; Text result; } cases[] = {
      {u"GROUP|Tools|:" + kTools, u"", nullptr, "", u"group|Tools|:" + kTools},  // the file vanished
      {u"group| Tools  |:", u"", nullptr, "", u"group| Tools  |:"},
      {u"group|T|:" + kOdd, u"", nullptr, "", u"group|T|:" + kOdd},
      {u"group|T|:" + kBroken, u"", nullptr, "", u"group|T|:" + kBroken},
      {u"group|x|:" + kNotIcon, u"a|b", bar, "txtGroupName"}, {u"group|x|:", u" | ", bar, "txtGroupName"},
      {u"group||:", u"", noName, "txtGroupName"}, {u"group|x|:" + kNotIcon, u"   ", noName, "txtGroupName"},
      {u"group|x|:" + kNotIcon, u"Tools", noIcon, "cmdChangeIcon"},
      {u"group|x|:C:\\Icons\\TOOLS.ICO", u"Tools", noIcon, "cmdChangeIcon"}};
  system.files[u"C:\\Icons\\TOOLS.ICO"] = 32;
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    reload();
    object->ItemInfo(c.record);
    if (&c == cases) system.files.erase(kTools);
    form().resultText = u"earlier";
    std::string focus;
    Text resultMeanwhile;
    const auto result = edit([&](ScriptedUser& user) {
      EXPECT_EQ(user.focusedControl(), "txtGroupName") << "the dialog opens in the name box";
      if (!c.typed.empty()) user.type("txtGroupName", c.typed);
      user.focus(c.focus == "txtGroupName" ? "cmdChangeIcon" : "txtGroupName");  // to see it move
      user.click("cmdOK");
      focus = user.focusedControl(), resultMeanwhile = form().resultText;
      if (user.window()) user.click("cmdCancel");
    });
    system.files[kTools] = 32;
    EXPECT_EQ(result, c.result) << "Cancel empties the result";
    EXPECT_EQ(system.beeps, c.prompt != nullptr);
    ASSERT_EQ(system.messageBoxes.size(), c.prompt != nullptr);
    if (c.prompt) EXPECT_EQ(std::tuple(system.messageBoxes[0].prompt, focus, resultMeanwhile),
                            std::tuple(c.prompt, c.focus, u"earlier"));
  }
}

// Change Icon and a drop take the file as it is; OK judges it later. The
// last chosen file is offered again while the form stays loaded.
TEST_F(Group, ChangeIconAndDropsTakeTheFile) {
  // A file chosen by Change Icon (its dialog offering a name) or files dropped; then path and preview.
  const struct { bool drop; std::optional<Text> chosen; std::vector<Text> files; Text path; Shows preview; Text offered; }
  steps[] = {{false, kTools, {}, kTools, kToolsPic, u""}, {false, {}, {}, kTools, kToolsPic, kTools},
               {false, kBroken, {}, kBroken, kToolsPic, kTools},
               {false, kBitmap, {}, kBitmap, {u"picture:" + kBitmap}, kBroken},
               {true, {}, {kTools, kBitmap}, kTools, kToolsPic}, {true, {}, {kBroken}, kBroken, kToolsPic},
               {true, {}, {}, kBroken, kToolsPic}};
  object->ItemInfo(u"group|Tools|:");
  show([&](ScriptedUser& user) {
    for (const auto& s : steps) {
      SCOPED_TRACE(&s - steps);
      if (s.drop) {
        user.dropFiles(s.files);
      } else {
        system.answerNextOpen(s.chosen);
        user.click("cmdChangeIcon");
        EXPECT_EQ(system.openDialogs.back().fileName, s.offered);
      }
      EXPECT_EQ(std::tuple(form().lblIconPath.caption(), preview("pictIcon")), std::tuple(s.path, s.preview));
    }
    user.pressEsc();
  });
  EXPECT_NE(system.openDialogs[0].filter.find(u"(*.ico)|*.ico|"), Text::npos);
  reload();
  system.answerNextOpen(std::nullopt);
  show([](ScriptedUser& user) { user.click("cmdChangeIcon"), user.pressEsc(); });
  EXPECT_EQ(system.openDialogs.back().fileName, u"") << "a reloaded form starts with no file";
}

}  // namespace
}  // namespace tollivor::test
