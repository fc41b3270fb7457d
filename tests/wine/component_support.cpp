#include "component_support.h"

namespace tollivor::testing {

std::wstring componentPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"Tollivor.dll";
}

HMODULE componentModule() {
  static HMODULE module = LoadLibraryW(componentPath().c_str());
  return module;
}

static HRESULT callEntry(const char* name) {
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), name)));
  return entry ? entry() : E_NOTIMPL;
}

HRESULT registerComponent() { return callEntry("DllRegisterServer"); }
HRESULT unregisterComponent() { return callEntry("DllUnregisterServer"); }

DWORD runProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return static_cast<DWORD>(-1);
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

HRESULT createByProgId(const wchar_t* progId, REFIID iid, void** out) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
}

namespace {

struct WindowSearch {
  const wchar_t* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  if (std::wstring(text) == search->caption) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> threadWindows(DWORD threadId, const wchar_t* caption) {
  WindowSearch search{caption, {}};
  EnumThreadWindows(threadId, collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitForVisibleWindow(DWORD threadId, const wchar_t* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    for (HWND window : threadWindows(threadId, caption))
      if (IsWindowVisible(window)) return window;
    Sleep(20);
  }
  return nullptr;
}

CloseWhenShown::CloseWhenShown(DWORD threadId, const wchar_t* caption)
    : threadId_(threadId), caption_(caption) {
  thread_ = CreateThread(nullptr, 0, &CloseWhenShown::run, this, 0, nullptr);
}

CloseWhenShown::~CloseWhenShown() {
  if (!thread_) return;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

DWORD WINAPI CloseWhenShown::run(void* param) {
  auto* self = static_cast<CloseWhenShown*>(param);
  HWND window = waitForVisibleWindow(self->threadId_, self->caption_.c_str());
  if (!window) return 1;
  GetClientRect(window, &self->client_);
  GetWindowRect(window, &self->frame_);
  self->seen_ = window;
  // Posted, never sent: the shown dialog's thread is busy in its modal loop.
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

}  // namespace tollivor::testing
