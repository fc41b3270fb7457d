// Path routines: FileExists over the headless file system's attribute
// values, and GetParentFolder.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "forms/headless/HeadlessPlatform.h"
#include "shared/Mshared.h"

namespace tollivor {
namespace {

TEST(FileExists, AnythingButAPlainFolderOrAFailedRead) {
  forms::headless::HeadlessPlatform system;
  forms::setPlatform(&system);
  const struct {
    std::optional<std::uint32_t> attributes;  // nullopt: no such path
    bool exists;
  } cases[] = {{32, true}, {0, true},      {1 | 2 | 4 | 32, true}, {16, false},  {17, true},
               {48, true}, {0xFFFF, true}, {0x400020, false},      {std::nullopt, false}};
  for (const auto& c : cases) {
    system.files.clear();
    if (c.attributes) system.files[u"C:\\Media\\Chord.wav"] = *c.attributes;
    EXPECT_EQ(Mshared::FileExists(u"c:\\media\\CHORD.WAV"), c.exists) << (&c - cases);
  }
  EXPECT_FALSE(Mshared::FileExists(u""));
  forms::setPlatform(nullptr);
}

TEST(GetParentFolder, CutsAtTheLastBackslashKeepingOneAsThirdCharacter) {
  const std::u16string head = u"C:\\dir\\" + std::u16string(32760 - 7, u'z');  // 32,760 long
  const struct {
    std::u16string path, parent;
  } cases[] = {
      {u"C:\\Windows\\Media\\chord.wav", u"C:\\Windows\\Media"},
      {u"\\\\server\\share\\x.bmp", u"\\\\server\\share"},
      {u"a/b\\c/d", u"a/b"},  // only backslashes separate
      {u"C:\\chord.wav", u"C:\\"},
      {u"C:\\", u"C:\\"},
      {u"ab\\c", u"ab\\"},
      {u"C:x\\y", u"C:x"},  // fourth character: cut
      {u"C\\y", u"C"},      // second character: cut
      {u"\\chord.wav", u""},
      {u"\\", u""},
      {head + u"zzzzzz\\x", head + u"zzzzzz"},  // at 32,767
      {head + u"zzzzzzz\\x", u"C:\\dir"},       // at 32,768: not seen
  };
  for (const auto& c : cases) EXPECT_EQ(Mshared::GetParentFolder(c.path), c.parent) << (&c - cases);
}

}  // namespace
}  // namespace tollivor
