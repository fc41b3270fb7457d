// What installers and hosts read from the DLL file's version record: the
// fixed file version, and OLESelfRegister, which says it registers itself.
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

 private:
  template <class Fn>
  Fn function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_.get(), name)));
  }

  win32::unique_hmodule library_{LoadLibraryW(L"version.dll")};
  BOOL(WINAPI* query_)(LPCVOID, LPCWSTR, LPVOID*, PUINT) = nullptr;
  std::vector<BYTE> data_;
};

TEST(ComponentFile, VersionAndSelfRegistrationAreDeclared) {
  VersionRecord record(componentPath());
  ASSERT_TRUE(record.loaded());
  const wchar_t* selfRegister = record.string(L"OLESelfRegister");
  ASSERT_NE(selfRegister, nullptr);
  EXPECT_EQ(std::wstring(selfRegister), L"");

  const auto* fixed = record.fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(33, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

}  // namespace
}  // namespace tollivor::test
