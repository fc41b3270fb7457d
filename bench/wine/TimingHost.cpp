// A host that times Tollivor.dll's classes the way a host bar uses them, and
// beside each figure the window system's own dialog manager doing the same
// work from an in-memory template built from the same control table. Then
// the steady state: many cycles, with object, handle and memory counts.
// Prints Markdown tables; tools/bench runs it under Wine.
//
//   TimingHost.exe [repetitions=200] [cycles=10000] [showCycles=500]
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Tollivor_h.h"
#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "settings/frmSettingEx.h"
#include "win32/ComRef.h"

namespace {

using namespace tollivor;
using win32::ComRef;

double nowMs() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / perMs;
}

struct Figure {
  double median = 0, p90 = 0;
};
Figure figure(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  if (samples.empty()) return {};
  return {samples[samples.size() / 2], samples[(samples.size() * 9) / 10]};
}

// --- the component, loaded as a host's COM runtime would ----------------

IClassFactory* factory(REFCLSID clsid) {
  static HMODULE dll = LoadLibraryW(L"Tollivor.dll");
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  static auto get = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  IClassFactory* f = nullptr;
  if (!get || FAILED(get(clsid, IID_IClassFactory, reinterpret_cast<void**>(&f)))) {
    std::fprintf(stderr, "TimingHost: Tollivor.dll not usable\n");
    std::exit(2);
  }
  return f;
}

struct ClassUnderTest {
  const char* name;
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* itemInfo;  // nullptr: the class has none
  forms::FormTable (*table)();
};

// The default interface of each class, called through its vtable: the
// three share put_ItemInfo/get_ItemInfo/Show in that order where present.
HRESULT create(const ClassUnderTest& c, IDispatch** out) {
  static IClassFactory* factories[3] = {};
  IClassFactory*& f = factories[c.clsid == &CLSID_CProperty ? 0 : c.clsid == &CLSID_CGroup ? 1 : 2];
  if (!f) f = factory(*c.clsid);
  return f->CreateInstance(nullptr, *c.iid, reinterpret_cast<void**>(out));
}
HRESULT writeInfo(const ClassUnderTest& c, IDispatch* o, BSTR info) {
  return c.clsid == &CLSID_CProperty ? static_cast<_CProperty*>(o)->put_ItemInfo(info)
                                     : static_cast<_CGroup*>(o)->put_ItemInfo(info);
}
HRESULT readInfo(const ClassUnderTest& c, IDispatch* o, BSTR* info) {
  return c.clsid == &CLSID_CProperty ? static_cast<_CProperty*>(o)->get_ItemInfo(info)
                                     : static_cast<_CGroup*>(o)->get_ItemInfo(info);
}
HRESULT show(const ClassUnderTest& c, IDispatch* o) {
  if (c.clsid == &CLSID_CProperty) return static_cast<_CProperty*>(o)->Show();
  if (c.clsid == &CLSID_CGroup) return static_cast<_CGroup*>(o)->Show();
  return static_cast<_CSettingEx*>(o)->Show();
}

// --- closing a dialog once it is first painted --------------------------

// A message hook on this thread: at the first paint of a visible top-level
// window it completes the painting of the whole window at once, notes the
// time, and gives the window's close command, as a user's click on the
// close box would. Both kinds of dialog go through the same hook.
HHOOK g_hook = nullptr;
bool g_waitingForPaint = false;
double g_paintedAt = 0;

LRESULT CALLBACK onMessage(int code, WPARAM removed, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && removed == PM_REMOVE && g_waitingForPaint && msg->message == WM_PAINT) {
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    if (root && IsWindowVisible(root)) {
      g_waitingForPaint = false;
      RedrawWindow(root, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      g_paintedAt = nowMs();
      PostMessageW(root, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
  }
  return CallNextHookEx(g_hook, code, removed, lParam);
}

// --- the dialog manager's equivalent ------------------------------------

// A DLGTEMPLATE in memory, built from a form's control table: the same
// controls of the system's classes, the same font, the same places.
class Template {
 public:
  explicit Template(const forms::FormTable& table) {
    const int cx = dluX(table.clientWidth), cy = dluY(table.clientHeight);
    DLGTEMPLATE head{};
    head.style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER;
    head.cdit = 0;
    head.cx = static_cast<short>(cx);
    head.cy = static_cast<short>(cy);
    put(&head, sizeof head);
    word(0);  // no menu
    word(0);  // the dialog class
    text(std::wstring(table.caption.begin(), table.caption.end()));
    word(static_cast<WORD>(table.font.points));
    text(std::wstring(table.font.name.begin(), table.font.name.end()));
    for (const auto& row : table.controls) add(table, row);
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }
  std::vector<std::pair<int, const forms::ControlRow*>> combos, pictures, tabs;

 private:
  static int dluX(int twips) { return twips / 15 * 4 / 6; }
  static int dluY(int twips) { return twips / 15 * 8 / 13; }

  void add(const forms::FormTable& table, const forms::ControlRow& row) {
    int x = row.rect.left, y = row.rect.top, w = row.rect.width, h = row.rect.height;
    if (row.kind == forms::Kind::Line) {
      x = std::min(row.line.x1, row.line.x2), y = row.line.y1;
      w = std::abs(row.line.x2 - row.line.x1), h = 30;
    }
    DWORD style = WS_CHILD;
    bool visible = !(row.flags & forms::kHidden);
    if (!row.container.empty()) {  // page controls: placed on the form, page 0 shown
      for (const auto& c : table.controls)
        if (c.name == row.container && c.index == row.containerIndex) x += c.rect.left, y += c.rect.top;
      visible = visible && row.containerIndex == 0;
    }
    if (row.kind == forms::Kind::PictureBox && row.name == "Picture1" && table.controls[0].kind == forms::Kind::TabStrip)
      visible = row.index == 0;
    if (visible) style |= WS_VISIBLE;
    if (row.flags & forms::kDisabled) style |= WS_DISABLED;
    WORD atom = 0;
    const wchar_t* className = nullptr;
    const int id = 100 + static_cast<int>(count_);
    switch (row.kind) {
      case forms::Kind::Label: atom = 0x0082; break;
      case forms::Kind::TextBox: atom = 0x0081; style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL; break;
      case forms::Kind::ComboBox:
        atom = 0x0085, style |= WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, h *= 6;
        combos.push_back({id, &row});
        break;
      case forms::Kind::CommandButton:
        atom = 0x0080;
        style |= WS_TABSTOP | ((row.flags & forms::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
      case forms::Kind::OptionButton: atom = 0x0080, style |= WS_TABSTOP | BS_AUTORADIOBUTTON; break;
      case forms::Kind::CheckBox: atom = 0x0080, style |= WS_TABSTOP | BS_AUTOCHECKBOX; break;
      case forms::Kind::PictureBox:
        atom = 0x0082, style |= SS_ICON | SS_CENTERIMAGE;
        pictures.push_back({id, &row});
        break;
      case forms::Kind::Line: atom = 0x0082, style |= SS_ETCHEDHORZ; break;
      case forms::Kind::TabStrip:
        className = WC_TABCONTROLW, style |= WS_TABSTOP | TCS_MULTILINE;
        tabs.push_back({id, &row});
        break;
    }
    align();
    DLGITEMTEMPLATE item{};
    item.style = style;
    item.x = static_cast<short>(dluX(x));
    item.y = static_cast<short>(dluY(y));
    item.cx = static_cast<short>(dluX(w));
    item.cy = static_cast<short>(dluY(h));
    item.id = static_cast<WORD>(id);
    put(&item, sizeof item);
    if (className) text(className); else word(0xFFFF), word(atom);
    text(std::wstring(row.caption.begin(), row.caption.end()));
    word(0);  // no creation data
    ++count_;
    reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit = count_;
  }
  void put(const void* p, size_t n) {
    const auto* b = static_cast<const BYTE*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
  }
  void word(WORD w) { put(&w, sizeof w); }
  void text(const std::wstring& s) { put(s.c_str(), (s.size() + 1) * sizeof(wchar_t)); }
  void align() { while (bytes_.size() % 4) bytes_.push_back(0); }

  std::vector<BYTE> bytes_;
  WORD count_ = 0;
};

struct Baseline {
  forms::FormTable table;  // the template's rows point into it
  Template dialog;
  HICON icon;
  Baseline(forms::FormTable t, HICON i) : table(std::move(t)), dialog(table), icon(i) {}
};

INT_PTR CALLBACK baselineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* b = reinterpret_cast<const Baseline*>(lParam);
    for (const auto& [id, row] : b->dialog.combos)
      for (int i = 0; i < 12; ++i)
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\Windows\\Example entry"));
    for (const auto& [id, row] : b->dialog.pictures)
      SendDlgItemMessageW(dialog, id, STM_SETICON, reinterpret_cast<WPARAM>(b->icon), 0);
    for (const auto& [id, row] : b->dialog.tabs)
      for (size_t i = 0; i < row->tabs.size(); ++i) {
        std::wstring caption(row->tabs[i].begin(), row->tabs[i].end());
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendDlgItemMessageW(dialog, id, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
      }
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  (void)lParam;
  return FALSE;
}

// The dialog manager's dialogs get the look ours have: Common Controls 6,
// through the manifest Tollivor.dll carries (resource 2), made once and
// active around each baseline call as a host's own manifest would be.
// Without it the baseline would build the older, unthemed controls, which
// under Wine are several times cheaper to create than version 6's.
HANDLE g_themed = INVALID_HANDLE_VALUE;

void makeThemedContext() {
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.hModule = GetModuleHandleW(L"Tollivor.dll");
  request.lpResourceName = MAKEINTRESOURCEW(2);
  g_themed = CreateActCtxW(&request);
  if (g_themed == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "TimingHost: no manifest in Tollivor.dll\n");
    std::exit(2);
  }
}

class Themed {
 public:
  Themed() { ActivateActCtx(g_themed, &cookie_); }
  ~Themed() { DeactivateActCtx(0, cookie_); }

 private:
  ULONG_PTR cookie_ = 0;
};

// Creates the dialog hidden and destroys it: what loading a hidden form is.
void baselineLoad(const Baseline& b) {
  const Themed themed;
  HWND w = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), b.dialog.get(), nullptr,
                                      baselineProc, reinterpret_cast<LPARAM>(&b));
  DestroyWindow(w);
}
void baselineShow(const Baseline& b) {
  const Themed themed;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), b.dialog.get(), nullptr, baselineProc,
                          reinterpret_cast<LPARAM>(&b));
}

// --- counts ---------------------------------------------------------------

// GDI objects through the handle table the system shares with the process
// (Wine answers 0 to GetGuiResources for GDI objects).
int liveGdiObjects() {
  struct Entry { UINT64 object; ULONG owner; UCHAR type, extType, generation, reserved; UINT64 userData; };
#ifdef _WIN64
  constexpr size_t kTableOffset = 0xF8;
#else
  constexpr size_t kTableOffset = 0x94;
#endif
  using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION process{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process, nullptr))
    return -1;
  const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableOffset);
  if (!table) return -1;
  int live = 0;
  for (int i = 0; i < 16384; ++i) live += table[i].type != 0;
  return live;
}

// Windows of this thread, top-level and children: the USER objects our
// forms make (Wine answers 0 to GetGuiResources for USER objects).
int liveWindows() {
  struct Count {
    static BOOL CALLBACK child(HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; }
    static BOOL CALLBACK top(HWND w, LPARAM n) {
      ++*reinterpret_cast<int*>(n);
      EnumChildWindows(w, child, n);
      return TRUE;
    }
  };
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), Count::top, reinterpret_cast<LPARAM>(&n));
  return n;
}

// Kernel handles of this process from the system's handle list (Wine
// answers 0 to GetProcessHandleCount). -1 when the list cannot be read.
int liveHandles() {
  struct Entry { ULONG pid; BYTE type, flags; USHORT value; PVOID object; ACCESS_MASK access; };
  struct List { ULONG count; Entry entries[1]; };
  using Query = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<BYTE> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = query(16 /* SystemHandleInformation */, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) break;
    if (status != static_cast<NTSTATUS>(0xC0000004L) || buffer.size() > (64u << 20)) return -1;
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
  }
  const auto* list = reinterpret_cast<const List*>(buffer.data());
  int n = 0;
  for (ULONG i = 0; i < list->count; ++i) n += list->entries[i].pid == GetCurrentProcessId();
  return n;
}

struct Counts {
  long long gdi, user, handles, privateBytes;
};
Counts counts() {
  Counts c{};
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  c.gdi = gdi ? gdi : liveGdiObjects();
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  c.user = user ? user : liveWindows();
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  c.handles = handles ? handles : liveHandles();
  PROCESS_MEMORY_COUNTERS_EX m{};
  m.cb = sizeof m;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
  // Wine leaves PrivateUsage at 0; its page-file figure is the same count.
  c.privateBytes = static_cast<long long>(m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage);
  return c;
}

// What a host's message loop does between its user's actions: take what
// the thread's queue holds. Without it the window system's own events for
// the windows just destroyed pile up in a thread that never looks (under
// Wine: 2-4 KB a dialog with a combo box), and the memory figures would
// count that pile instead of ours.
void idle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

const char* mark(bool met) { return met ? "met" : "NOT met"; }

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 200;
  const int cycles = argc > 2 ? std::atoi(argv[2]) : 10000;
  const int showCycles = argc > 3 ? std::atoi(argv[3]) : 500;
  const std::string only = argc > 4 ? argv[4] : "";  // one class, for a closer look
  // Unbuffered (the C runtime here treats line buffering as full): a run
  // cut short still shows what it measured.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  g_hook = SetWindowsHookExW(WH_GETMESSAGE, onMessage, nullptr, GetCurrentThreadId());

  const ClassUnderTest classes[] = {
      {"CProperty", &CLSID_CProperty, &IID__CProperty, L"C:\\windows\\notepad.exe|Editor", frmPropertyTable},
      {"CGroup", &CLSID_CGroup, &IID__CGroup, L"GROUP|Tools|:C:\\windows\\notepad.exe", frmGroupTable},
      {"CSettingEx", &CLSID_CSettingEx, &IID__CSettingEx, nullptr, frmSettingExTable},
  };
  factory(CLSID_CProperty)->Release();  // loads Tollivor.dll
  makeThemedContext();
  const HICON icon = ExtractIconW(GetModuleHandleW(nullptr), L"C:\\windows\\notepad.exe", 0);
  bool allMet = true;

  std::printf("| class | step | ours median ms | ours p90 ms | dialog manager (Common Controls 6) median ms | p90 ms | ratio (median) | target <= 1.1 |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const auto& c : classes) {
    if (!only.empty() && only != c.name) continue;
    const Baseline baseline(c.table(), icon);
    std::vector<double> load, loadBase, info, show_, showBase;
    BSTR infoText = c.itemInfo ? SysAllocString(c.itemInfo) : nullptr;
    // Interleaved: each repetition times ours, then the dialog manager's.
    for (int i = 0; i < repetitions; ++i) {
      double t = nowMs();
      IDispatch* o = nullptr;
      create(c, &o);
      o->Release();
      load.push_back(nowMs() - t);
      t = nowMs();
      baselineLoad(baseline);
      loadBase.push_back(nowMs() - t);

      create(c, &o);
      if (infoText) {
        t = nowMs();
        BSTR back = nullptr;
        writeInfo(c, o, infoText);
        readInfo(c, o, &back);
        info.push_back(nowMs() - t);
        SysFreeString(back);
      }
      g_waitingForPaint = true;
      t = nowMs();
      show(c, o);
      show_.push_back(nowMs() - t);
      o->Release();
      g_waitingForPaint = true;
      t = nowMs();
      baselineShow(baseline);
      showBase.push_back(nowMs() - t);
      idle();
    }
    auto row = [&](const char* step, const std::vector<double>& ours, const std::vector<double>* base) {
      const Figure f = figure(ours);
      if (!base) {
        std::printf("| %s | %s | %.3f | %.3f | - | - | - | - |\n", c.name, step, f.median, f.p90);
        return;
      }
      const Figure b = figure(*base);
      const double ratio = b.median > 0 ? f.median / b.median : 0;
      allMet = allMet && ratio <= 1.1;
      std::printf("| %s | %s | %.3f | %.3f | %.3f | %.3f | %.2f | %s |\n", c.name, step, f.median,
                  f.p90, b.median, b.p90, ratio, mark(ratio <= 1.1));
    };
    row("create, load hidden, release", load, &loadBase);
    if (infoText) row("ItemInfo write + read", info, nullptr);
    row("Show, first paint, close", show_, &showBase);
    SysFreeString(infoText);
  }

  std::printf("\n| class | cycles | counter | at 1 %% | at 50 %% | at 100 %% | growth, second half | target |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  // Runs n cycles and prints the counts at 1 %, 50 % and 100 %. The dialog
  // manager's rows are the platform's own figure for the same windows: what
  // it grows by, ours cannot be blamed for, so they are shown, not judged.
  auto steady = [&](const char* who, const char* what, int n, const std::function<void()>& cycle,
                    bool judged) {
    Counts at[3]{};
    const int marks[3] = {std::max(1, n / 100), std::max(1, n / 2), n};
    for (int i = 1; i <= n; ++i) {
      cycle();
      idle();
      for (int m = 0; m < 3; ++m)
        if (i == marks[m]) at[m] = counts();
    }
    auto line = [&](const char* counter, long long Counts::*field, bool bytes) {
      const long long growth = at[2].*field - at[1].*field;
      const bool measured = at[0].*field >= 0 && at[1].*field >= 0 && at[2].*field >= 0;
      const bool met = measured && (bytes ? growth * 100 <= at[1].*field : growth <= 0);
      if (judged) allMet = allMet && met;
      if (!measured) {
        std::printf("| %s | %d %s | %s | - | - | - | - | not measured (the system cannot count it) |\n", who,
                    n, what, counter);
        return;
      }
      const int half = n - marks[1];
      char perCycle[48] = "";
      if (bytes && half > 0) std::snprintf(perCycle, sizeof perCycle, " (%lld a cycle)", growth / half);
      std::printf("| %s | %d %s | %s | %lld | %lld | %lld | %+lld%s | %s |\n", who, n, what, counter,
                  at[0].*field, at[1].*field, at[2].*field, growth, perCycle,
                  judged ? mark(met) : "(the platform's)");
    };
    line("GDI objects", &Counts::gdi, false);
    line("USER objects (windows)", &Counts::user, false);
    line("handles", &Counts::handles, false);
    line("private bytes", &Counts::privateBytes, true);
  };
  // The shell's icon lookup that an item's ItemInfo write makes, alone.
  steady("shell icon", "SHGetFileInfo + DestroyIcon", std::min(cycles, 2000), [] {
    SHFILEINFOA info{};
    SHGetFileInfoA("C:\\windows\\notepad.exe", 0, &info, sizeof info, SHGFI_ICON);
    if (info.hIcon) DestroyIcon(info.hIcon);
  }, false);
  for (const auto& c : classes) {
    if (!only.empty() && only != c.name) continue;
    BSTR infoText = c.itemInfo ? SysAllocString(c.itemInfo) : nullptr;
    steady(c.name, infoText ? "create, ItemInfo, release" : "create, release", cycles, [&] {
      IDispatch* o = nullptr;
      create(c, &o);
      if (infoText) {
        BSTR back = nullptr;
        writeInfo(c, o, infoText);
        readInfo(c, o, &back);
        SysFreeString(back);
      }
      o->Release();
    }, true);
    steady(c.name, "show", showCycles, [&] {
      IDispatch* o = nullptr;
      create(c, &o);
      g_waitingForPaint = true;
      show(c, o);
      o->Release();
    }, true);
    const Baseline baseline(c.table(), icon);
    const std::string who = std::string(c.name) + ", dialog manager";
    steady(who.c_str(), "load hidden", std::min(cycles, 2000), [&] { baselineLoad(baseline); }, false);
    SysFreeString(infoText);
  }
  UnhookWindowsHookEx(g_hook);
  ReleaseActCtx(g_themed);
  DestroyIcon(icon);
  OleUninitialize();
  std::printf("\nTimingHost: %s\n", allMet ? "all targets met" : "some targets not met");
  return 0;
}
