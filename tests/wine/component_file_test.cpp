// The version record that the DLL file declares.
#include <gtest/gtest.h>

#include <vector>

#include "component_support.h"

namespace tollivor::test {
namespace {

// version.dll, loaded by hand: the test program links system libraries only.
class VersionRecord {
 public:
  explicit VersionRecord(const std::wstring& file) {
    if (!library_) return;
    auto size = function<DWORD(WINAPI*)(LPCWSTR, LPDWORD)>("GetFileVersionInfoSizeW");
    auto read = function<BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID)>("GetFileVersionInfoW");
    query_ = function<BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT)>("VerQueryValueW");
    if (!size || !read || !query_) return;
    DWORD ignored = 0;
    data_.resize(size(file.c_str(), &ignored));
    if (data_.empty() || !read(file.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data()))
      data_.clear();
  }

  bool loaded() const { return !data_.empty(); }

  // A string of the US English, Unicode block; nullptr when it is absent.
  const wchar_t* string(const std::wstring& key) const {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904b0\\" + key;
    if (!query_(data_.data(), path.c_str(), &value, &length)) return nullptr;
    return value ? static_cast<const wchar_t*>(value) : L"";
  }

  const VS_FIXEDFILEINFO* fixed() const {
    void* value = nullptr;
    UINT length = 0;
    return query_(data_.data(), L"\\", &value, &length) ? static_cast<VS_FIXEDFILEINFO*>(value)
                                                       : nullptr;
  }

  std::vector<DWORD> translations() const {
    void* value = nullptr;
    UINT length = 0;
    if (!query_(data_.data(), L"\\VarFileInfo\\Translation", &value, &length)) return {};
    const auto* words = static_cast<const WORD*>(value);
    std::vector<DWORD> result;
    for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2)
      result.push_back(MAKELONG(words[i + 1], words[i]));
    return result;
  }

 private:
  template <class Fn>
  Fn function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_.get(), name)));
  }

  win32::unique_hmodule library_{LoadLibraryW(L"version.dll")};
  BOOL(WINAPI* query_)(LPCVOID, LPCWSTR, LPVOID*, PUINT) = nullptr;
  std::vector<BYTE> data_;
};

TEST(ComponentFile, VersionRecordHoldsEveryKeyExactly) {
  VersionRecord record(componentPath());
  ASSERT_TRUE(record.loaded());

  const struct {
    const wchar_t* key;
    const wchar_t* value;
  } expected[] = {
      {L"FileVersion", L"2.33"},
      {L"ProductVersion", L"2.33"},
      {L"FileDescription", L"OLE DLL  for Tollivar"},
      {L"InternalName", L"Tollivor"},
      {L"OriginalFilename", L"Tollivor.dll"},
      {L"ProductName", L"Tollivor.dll Version 2.33"},
      {L"LegalTrademarks", L"Tollivor.dll"},
      {L"CompanyName", L" "},
      {L"OLESelfRegister", L""},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.key);
    const wchar_t* value = record.string(e.key);
    ASSERT_NE(value, nullptr) << "missing";
    EXPECT_EQ(std::wstring(value), e.value);
  }
  EXPECT_EQ(record.string(L"Comments"), nullptr);

  const auto* fixed = record.fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(33, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  EXPECT_EQ(record.translations(), std::vector<DWORD>{MAKELONG(1200, 0x0409)});
}

}  // namespace
}  // namespace tollivor::test
