// The Windows test program: the tests, or with --show-test-form the test form until Esc or its
// close box (or 30 s) ends it, so that a script can photograph it.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "common/TestForm.h"
#include "forms/win32/NativeValues.h"
#include "win32/Convert.h"
#include "win32/Handles.h"

// Ends a show that nobody closes.
void CALLBACK endShow(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

int main(int argc, char** argv) {
  OleInitialize(nullptr);
  int result = 0;
  if (argc > 1 && std::string_view(argv[1]) == "--show-test-form") {
    tollivor::test::TestForm form;
    form.txtName.setText(u"Sample text");
    form.chkFlag.setValue(1);
    const tollivor::win32::unique_hicon icon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    form.picPreview.drawIcon(0, 0, tollivor::forms::win32::fromIcon(icon.get()));
    form.window()->moveTo(1500, 1500);
    SetTimer(nullptr, 0, 30000, endShow);
    form.showModal();
  } else {
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  OleUninitialize();
  return result;
}
