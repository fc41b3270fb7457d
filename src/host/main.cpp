// TollivorHost.exe: a sample host bar for Tollivor.dll.
//
//   TollivorHost.exe          a window with a button per dialog
//   TollivorHost.exe /tour    opens the three dialogs one after another by
//                             itself (something else has to end each one)
//
// The DLL must be registered (regsvr32 Tollivor.dll).
#include <windows.h>
#include <ole2.h>

#include <cstring>

#include "HostWindow.h"

int main(int argc, char** argv) {
  bool tour = false;
  for (int i = 1; i < argc; ++i) tour = tour || std::strcmp(argv[i], "/tour") == 0;

  if (FAILED(OleInitialize(nullptr))) return 1;
  int code = 1;
  if (HWND window = tollivor::host::createHostWindow(GetModuleHandleW(nullptr), tour)) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (IsDialogMessageW(window, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    code = 0;
  }
  OleUninitialize();
  return code;
}
