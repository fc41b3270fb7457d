// Path routines: FileExists over the headless file system's attribute
// values, and GetParentFolder.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "shared/Mshared.h"

namespace tollivor {
namespace {

using Mshared::FileExists;
using Mshared::GetParentFolder;

class FileExistsTest : public ::testing::Test {
 protected:
  FileExistsTest() { forms::setPlatform(&system); }
  ~FileExistsTest() override { forms::setPlatform(nullptr); }
  forms::headless::HeadlessPlatform system;
};

TEST_F(FileExistsTest, FilesCountWithAnyAttributes) {
  system.files[u"C:\\Windows\\Media\\chord.wav"] = 32;
  system.files[u"C:\\plain.txt"] = 0;
  system.files[u"C:\\hidden.sys"] = 1 | 2 | 4 | 32;
  EXPECT_TRUE(FileExists(u"C:\\Windows\\Media\\chord.wav"));
  EXPECT_TRUE(FileExists(u"c:\\windows\\media\\CHORD.WAV"));
  EXPECT_TRUE(FileExists(u"C:\\plain.txt"));
  EXPECT_TRUE(FileExists(u"C:\\hidden.sys"));
}

TEST_F(FileExistsTest, OnlyAFolderWithNoOtherAttributeIsRefused) {
  system.files[u"C:\\Windows"] = 16;
  system.files[u"C:\\ReadOnly"] = 17;
  system.files[u"C:\\Archived"] = 48;
  EXPECT_FALSE(FileExists(u"C:\\Windows"));
  EXPECT_TRUE(FileExists(u"C:\\ReadOnly"));
  EXPECT_TRUE(FileExists(u"C:\\Archived"));
}

TEST_F(FileExistsTest, AFailedReadIsFalse) {
  system.files[u"C:\\cloud.doc"] = 0x400020;  // beyond 16 bits
  system.files[u"C:\\wide.doc"] = 0xFFFF;
  EXPECT_FALSE(FileExists(u"C:\\missing.txt"));
  EXPECT_FALSE(FileExists(u""));
  EXPECT_FALSE(FileExists(u"A:\\not-ready.txt"));
  EXPECT_FALSE(FileExists(u"C:\\cloud.doc"));
  EXPECT_TRUE(FileExists(u"C:\\wide.doc"));
}

TEST(GetParentFolderTest, CutsAtTheLastBackslash) {
  EXPECT_EQ(GetParentFolder(u"C:\\Windows\\Media\\chord.wav"), u"C:\\Windows\\Media");
  EXPECT_EQ(GetParentFolder(u"C:\\Windows\\"), u"C:\\Windows");
  EXPECT_EQ(GetParentFolder(u"\\\\server\\share\\x.bmp"), u"\\\\server\\share");
  EXPECT_EQ(GetParentFolder(u"a/b\\c/d"), u"a/b");  // only backslashes separate
}

TEST(GetParentFolderTest, ABackslashAsThirdCharacterIsKept) {
  EXPECT_EQ(GetParentFolder(u"C:\\chord.wav"), u"C:\\");
  EXPECT_EQ(GetParentFolder(u"C:\\"), u"C:\\");
  EXPECT_EQ(GetParentFolder(u"ab\\c"), u"ab\\");
  EXPECT_EQ(GetParentFolder(u"C:x\\y"), u"C:x");  // fourth character: cut
  EXPECT_EQ(GetParentFolder(u"C\\y"), u"C");      // second character: cut
}

TEST(GetParentFolderTest, NoBackslashOrOnlyALeadingOneGivesEmpty) {
  EXPECT_EQ(GetParentFolder(u"\\chord.wav"), u"");
  EXPECT_EQ(GetParentFolder(u"chord.wav"), u"");
  EXPECT_EQ(GetParentFolder(u""), u"");
  EXPECT_EQ(GetParentFolder(u"\\"), u"");
}

TEST(GetParentFolderTest, BackslashesPastCharacter32767AreNotSeen) {
  const std::u16string head = u"C:\\dir\\" + std::u16string(32760 - 7, u'z');  // 32,760 long
  EXPECT_EQ(GetParentFolder(head + u"\\x"), head);                               // at 32,761
  EXPECT_EQ(GetParentFolder(head + u"zzzzzz\\x"), head + u"zzzzzz");             // at 32,767
  EXPECT_EQ(GetParentFolder(head + u"zzzzzzz\\x"), u"C:\\dir");                  // at 32,768
}

}  // namespace
}  // namespace tollivor
