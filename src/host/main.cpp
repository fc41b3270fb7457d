// TollivorHost.exe: a small Tollivar bar that uses Tollivor.dll for every
// edit, as the real host bar does.
//
//   TollivorHost.exe                 the bar, with its entries in
//                                    %APPDATA%\Tollivar\entries.txt
//   TollivorHost.exe /entries FILE   the bar with another entries file
//
// The DLL must be registered (regsvr32 Tollivor.dll).
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>

#include "Bar.h"
#include "EntryStore.h"
#include "win32/Handles.h"

int main() {
  using namespace tollivor::host;
  BarOptions options;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"/entries" && i + 1 < argc) options.entriesPath = argv[++i];
  }
  LocalFree(argv);
  if (options.entriesPath.empty()) options.entriesPath = DefaultEntriesPath();

  if (FAILED(OleInitialize(nullptr))) return 1;
  int code = 1;
  if (CreateBar(GetModuleHandleW(nullptr), options)) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    code = 0;
  }
  OleUninitialize();
  return code;
}
