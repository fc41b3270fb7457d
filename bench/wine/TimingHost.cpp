// A host that times what the user of Tollivor.dll's classes waits for, and
// beside each figure the window system's own dialog manager doing equal work
// from an in-memory template built from the same control table: (a) load
// hidden, (b) show a loaded form, (c) the whole edit, each in a host that
// takes its queue between actions and in one that does not; (d) the first
// dialog of a process runs one process a figure, and so does the steady
// state of each side: many cycles, with object, handle and memory counts.
// Prints Markdown tables; tools/bench runs it under Wine with the DLL
// registered.
//
//   TimingHost.exe [repetitions=100] [class]
//   TimingHost.exe first ours|base CLASS pumps|still
//   TimingHost.exe steady ours|base CLASS CYCLES SHOWS
//   TimingHost.exe trace CLASS [gap ms; below 0: marks for wineserver -d2]
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
#include "item/ShellLocations.h"
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

// --- the component, created as a host creates it --------------------------

struct ClassUnderTest {
  const char* name;
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* itemInfo;  // nullptr: the class has none
  const wchar_t* iconFile;  // the file whose icon the record's write shows
  forms::FormTable (*table)();
};

// Through the COM runtime and the registration, as a host's CoCreateInstance
// or a script's CreateObject reaches the class.
HRESULT create(const ClassUnderTest& c, IDispatch** out) {
  return CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, *c.iid,
                          reinterpret_cast<void**>(out));
}
// The default interface of each class, called through its vtable: the
// three share put_ItemInfo/get_ItemInfo/Show in that order where present.
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

// The whole edit as a host makes it: create, hand over the record, show,
// read the outcome, release.
void wholeEdit(const ClassUnderTest& c) {
  IDispatch* o = nullptr;
  if (FAILED(create(c, &o))) return;
  BSTR info = c.itemInfo ? SysAllocString(c.itemInfo) : nullptr;
  if (info) writeInfo(c, o, info);
  show(c, o);
  if (info) {
    BSTR back = nullptr;
    readInfo(c, o, &back);
    SysFreeString(back);
  }
  SysFreeString(info);
  o->Release();
}

// --- closing a dialog once it is first painted --------------------------

// A message hook on this thread: at the first paint of a visible top-level
// window it completes the painting of the whole window at once, notes the
// time, and cancels the dialog as Esc does (IDCANCEL). Both kinds of dialog
// go through the same hook. Not the close box: it unloads our form, and the
// host's read of the outcome that follows loads it again, as the record
// contract says an unloaded form is used.
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
      PostMessageW(root, WM_COMMAND, IDCANCEL, 0);
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
    // Our lines are drawn by the form, not made as windows: left out here.
    for (const auto& row : table.controls)
      if (row.kind != forms::Kind::Line) add(table, row);
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

// What the dialog manager's side does around its dialog, so that it does the
// work the record contract makes ours do: the record's icon looked up and
// shown, and the placement's queries and moves before the dialog appears.
struct Baseline {
  const ClassUnderTest& c;
  forms::FormTable table;  // the template's rows point into it
  Template dialog;
  bool withRecordIcon = false, withPlacement = false;
  // Whether WM_INITDIALOG asks for the default focus. Made hidden with it,
  // the dialog manager's dialog takes activation at once (our hidden form
  // does not), so a hidden load asks for none.
  bool focusAtInit = true;
  HICON icon = nullptr;  // the record's icon, destroyed with the dialog
  bool ended = false;
  explicit Baseline(const ClassUnderTest& cut) : c(cut), table(c.table()), dialog(table) {}
};

// The record's icon as each class finds it: the item's through the shell,
// the group's from the named file as a picture.
HICON recordIcon(const ClassUnderTest& c) {
  if (!c.iconFile || GetFileAttributesW(c.iconFile) == INVALID_FILE_ATTRIBUTES) return nullptr;
  if (c.clsid == &CLSID_CGroup) {
    if (auto* icon = static_cast<HICON>(LoadImageW(nullptr, c.iconFile, IMAGE_ICON, 0, 0, LR_LOADFROMFILE)))
      return icon;
    if (auto* bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, c.iconFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)))
      DeleteObject(bitmap);
    return nullptr;
  }
  SHFILEINFOW info{};
  SHGetFileInfoW(c.iconFile, 0, &info, sizeof info, SHGFI_ICON);
  return info.hIcon;
}

// The placement's steps: the cursor, the dialog's size, a move onto the
// cursor, the screen, then the task bar's state (and edges) asked twice with
// the dialog read back and pulled inside each time.
void placeAtCursor(HWND dialog) {
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT r{};
  GetWindowRect(dialog, &r);
  SetWindowPos(dialog, nullptr, cursor.x - (r.right - r.left) / 2, cursor.y - (r.bottom - r.top) / 2,
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetSystemMetrics(SM_CXSCREEN);
  GetSystemMetrics(SM_CYSCREEN);
  for (int axis = 0; axis < 2; ++axis) {
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    if (SHAppBarMessage(ABM_GETSTATE, &bar) == ABS_ALWAYSONTOP) SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, std::max(0L, r.left), std::max(0L, r.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

INT_PTR CALLBACK baselineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* b = reinterpret_cast<Baseline*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    b = reinterpret_cast<Baseline*>(lParam);
    b->ended = false;
    // The same list the item form fills its combo box with as it loads.
    for (const auto& [id, row] : b->dialog.combos)
      for (const auto& item : kSpecialItems)
        if (item.offered) {
          const std::wstring name(item.name.begin(), item.name.end());
          SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    for (const auto& [id, row] : b->dialog.tabs)
      for (size_t i = 0; i < row->tabs.size(); ++i) {
        std::wstring caption(row->tabs[i].begin(), row->tabs[i].end());
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendDlgItemMessageW(dialog, id, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
      }
    if (b->withRecordIcon && !b->dialog.pictures.empty() && (b->icon = recordIcon(b->c)))
      SendDlgItemMessageW(dialog, b->dialog.pictures.front().first, STM_SETICON,
                          reinterpret_cast<WPARAM>(b->icon), 0);
    if (b->withPlacement) placeAtCursor(dialog);
    return b->focusAtInit ? TRUE : FALSE;
  }
  if (!b) return FALSE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
    b->ended = true;
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  if (message == WM_DESTROY && b->icon) DestroyIcon(std::exchange(b->icon, nullptr));
  return FALSE;
}

// The dialog manager's dialogs get the look ours have: Common Controls 6,
// through the manifest Tollivor.dll carries (resource 2), made once and
// active around each baseline call as a host's own manifest would be.
HANDLE g_themed = INVALID_HANDLE_VALUE;

void makeThemedContext(HMODULE carrier) {
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.hModule = carrier;
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

HWND baselineCreate(Baseline& b) {
  const Themed themed;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), b.dialog.get(), nullptr,
                                    baselineProc, reinterpret_cast<LPARAM>(&b));
}

// (a) Loading a hidden form is creating the dialog hidden and destroying it.
// With the record's icon it is the steady state's load, which writes a
// record as our cycle does.
void baselineLoad(Baseline& b, bool withRecordIcon = false) {
  b.withRecordIcon = withRecordIcon && b.c.itemInfo != nullptr;
  b.withPlacement = false;
  b.focusAtInit = false;
  DestroyWindow(baselineCreate(b));
  b.focusAtInit = true;
}

// The dialog (b) shows, made outside the clock. Focusing its first control
// activated it; it gives activation up again, its focus kept for the show,
// so that it is shown inactive as our hidden form is and activated by the
// show as ours is.
HWND baselineMake(Baseline& b) {
  b.withPlacement = false;
  HWND dialog = baselineCreate(b);
  SetActiveWindow(nullptr);
  return dialog;
}

// (b) A dialog made beforehand, placed and shown in a modal loop until it
// is ended; like our hidden form, it is destroyed afterwards, off the clock.
void baselineShowMade(Baseline& b, HWND dialog) {
  const Themed themed;
  placeAtCursor(dialog);
  ShowWindow(dialog, SW_SHOWNORMAL);
  MSG message;
  while (!b.ended && GetMessageW(&message, nullptr, 0, 0) > 0)
    if (!IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
}

// (c) and (d): the dialog box, with the record's icon and the placement.
void baselineWholeEdit(Baseline& b) {
  const Themed themed;
  b.withRecordIcon = b.c.itemInfo != nullptr;
  b.withPlacement = true;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), b.dialog.get(), nullptr, baselineProc,
                          reinterpret_cast<LPARAM>(&b));
}

// --- where the time goes: a timeline of windows made and messages sent ----

// `TimingHost.exe trace CLASS` runs one whole edit of each side with hooks on
// window creation and on sent messages, and prints each event with the time
// since the one before, so that a gap shows which step spent it.
struct TraceEvent {
  double at;
  std::string what;
};
std::vector<TraceEvent>* g_trace = nullptr;
HHOOK g_cbtHook = nullptr, g_sentHook = nullptr;

void note(std::string what) {
  if (g_trace) g_trace->push_back({nowMs(), std::move(what)});
}

std::string classOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const wchar_t* name = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
    note("create " + (IS_INTRESOURCE(name) ? std::string("(atom)") : std::string(name, name + wcslen(name))));
  } else if (code == HCBT_DESTROYWND) {
    note("destroy " + classOf(reinterpret_cast<HWND>(wParam)));
  } else if (code == HCBT_ACTIVATE) {
    note("activate " + classOf(reinterpret_cast<HWND>(wParam)));
  }
  return CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

LRESULT CALLBACK onSent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && g_trace) {
    char line[96];
    std::snprintf(line, sizeof line, "  sent 0x%04x to %s %p", sent->message, classOf(sent->hwnd).c_str(),
                  static_cast<void*>(sent->hwnd));
    note(line);
  }
  return CallNextHookEx(g_sentHook, code, wParam, lParam);
}

// Prints the events whose gap to the one before is at least `gapMs`, with
// the number of events folded into the gap.
void printTrace(const std::vector<TraceEvent>& events, const char* title, double start, double end,
                double gapMs) {
  std::printf("\n%s: %.3f ms in all, %zu events\n", title, end - start, events.size());
  double previous = start;
  size_t folded = 0;
  for (const auto& e : events) {
    if (e.at - previous >= gapMs) {
      std::printf("%9.3f  +%7.3f  %s  (%zu events before)\n", e.at - start, e.at - previous, e.what.c_str(), folded);
      folded = 0;
    } else {
      ++folded;
    }
    previous = e.at;
  }
  std::printf("%9.3f  +%7.3f  end  (%zu events before)\n", end - start, end - previous, folded);
}

// With `gapMs` below 0 no hooks are set: each step is only marked, for a
// log of the window system's requests (`wineserver -d2`).
void traced(const char* title, const std::function<void()>& work, double gapMs) {
  if (gapMs < 0) {
    // A look-up of a name that no one has made: one request the window
    // system's log shows with the name.
    const auto mark = [&](const char* edge) {
      const std::string name = std::string("TimingHost ") + edge + ": " + title;
      GlobalFindAtomW(std::wstring(name.begin(), name.end()).c_str());
    };
    mark("begin");
    work();
    mark("end");
    return;
  }
  std::vector<TraceEvent> events;
  events.reserve(100000);
  g_trace = &events;
  g_cbtHook = SetWindowsHookExW(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
  g_sentHook = SetWindowsHookExW(WH_CALLWNDPROC, onSent, nullptr, GetCurrentThreadId());
  const double start = nowMs();
  work();
  const double end = nowMs();
  UnhookWindowsHookEx(g_cbtHook);
  UnhookWindowsHookEx(g_sentHook);
  g_trace = nullptr;
  printTrace(events, title, start, end, gapMs);
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

// The bytes held in blocks of every heap of the process. Unlike the pages
// committed, a leak shows here at once, not when it outgrows the free space
// that earlier work left in the heap.
long long heapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  long long inUse = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) inUse += entry.cbData;
    HeapUnlock(heap);
  }
  return inUse;
}

struct Counts {
  long long gdi, user, handles, privateBytes, heapBytes;
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
  c.heapBytes = heapBytesInUse();
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
const ClassUnderTest kClasses[] = {
    {"CProperty", &CLSID_CProperty, &IID__CProperty, L"C:\\windows\\notepad.exe|Editor",
     L"C:\\windows\\notepad.exe", frmPropertyTable},
    {"CGroup", &CLSID_CGroup, &IID__CGroup, L"GROUP|Tools|:C:\\windows\\notepad.exe",
     L"C:\\windows\\notepad.exe", frmGroupTable},
    {"CSettingEx", &CLSID_CSettingEx, &IID__CSettingEx, nullptr, nullptr, frmSettingExTable},
};

const ClassUnderTest* findClass(const std::string& name) {
  for (const auto& c : kClasses)
    if (name == c.name) return &c;
  return nullptr;
}

// One timed pair of a row: ours and the dialog manager's, each with what it
// needs made beforehand and cleared afterwards outside the clock.
struct Row {
  const char* step;
  std::function<double()> ours, base;
  std::vector<double> oursMs, baseMs;
};

double timed(const std::function<void()>& work) {
  const double t = nowMs();
  work();
  return nowMs() - t;
}

// (d) in a process of its own: the first whole edit, the library's load
// included, or the first dialog box. Prints milliseconds.
int firstDialog(const std::string& side, const ClassUnderTest& c, bool pumps) {
  if (pumps) idle();  // what the start of the process left in the queue
  if (side == "base") {
    // Common Controls 6 as a host's own manifest asks for them, set up before
    // anything is timed and without loading Tollivor.dll.
    wchar_t path[MAX_PATH + 16] = L"";
    GetTempPathW(MAX_PATH, path);
    wcscat(path, L"TimingHost.manifest");
    const char manifest[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"><dependency>"
        "<dependentAssembly><assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
        "version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" "
        "language=\"*\"/></dependentAssembly></dependency></assembly>";
    if (FILE* f = _wfopen(path, L"wb")) std::fwrite(manifest, 1, sizeof manifest - 1, f), std::fclose(f);
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.lpSource = path;
    g_themed = CreateActCtxW(&request);
    if (g_themed == INVALID_HANDLE_VALUE) return 2;
    Baseline b(c);
    g_waitingForPaint = true;
    std::printf("%.3f\n", timed([&] { baselineWholeEdit(b); }));
  } else {
    g_waitingForPaint = true;
    std::printf("%.3f\n", timed([&] { wholeEdit(c); }));
  }
  return 0;
}

// Warmed up first (library, registration, fonts), then traced: ours and the
// dialog manager's loads, shows of a loaded form, and whole edits.
int traceClass(const ClassUnderTest& c, double gapMs) {
  IDispatch* o = nullptr;
  if (FAILED(create(c, &o))) return 2;
  o->Release();
  makeThemedContext(GetModuleHandleW(L"Tollivor.dll"));
  Baseline b(c);
  BSTR info = c.itemInfo ? SysAllocString(c.itemInfo) : nullptr;
  for (int warm = 0; warm < 3; ++warm) {
    g_waitingForPaint = true;
    wholeEdit(c);
    g_waitingForPaint = true;
    baselineWholeEdit(b);
    idle();
  }
  traced("ours: create, release", [&] { create(c, &o), o->Release(); }, gapMs);
  traced("dialog manager: create hidden, destroy", [&] { baselineLoad(b); }, gapMs);
  create(c, &o);
  if (info) writeInfo(c, o, info);
  idle();
  g_waitingForPaint = true;
  traced("ours: Show of a loaded form", [&] { show(c, o); }, gapMs);
  o->Release();
  b.withRecordIcon = info != nullptr;
  HWND made = baselineMake(b);
  idle();
  g_waitingForPaint = true;
  traced("dialog manager: show of a made dialog", [&] { baselineShowMade(b, made); }, gapMs);
  DestroyWindow(made);
  g_waitingForPaint = true;
  traced("ours: whole edit", [&] { wholeEdit(c); }, gapMs);
  g_waitingForPaint = true;
  traced("dialog manager: dialog box", [&] { baselineWholeEdit(b); }, gapMs);
  SysFreeString(info);
  return 0;
}

// `TimingHost.exe steady ours|base CLASS CYCLES SHOWS`, in a process of its
// own for each side: the heap's free space that earlier work left would
// otherwise take whichever side runs first's growth unseen. Runs the load
// CYCLES times and the whole edit SHOWS times, printing the counts at 1 %,
// 50 % and 100 % of each. GDI objects, windows and handles must not grow
// over the second half (judged here, for ours); the heap bytes in use grown
// a cycle are printed as "growth CLASS SIDE load|edit BYTES" for tools/bench,
// which compares ours with the dialog manager's. The pages committed are
// shown beside them.
int steadyState(const std::string& side, const ClassUnderTest& c, int cycles, int shows) {
  const bool ours = side == "ours";
  Baseline baseline(c);
  BSTR info = c.itemInfo ? SysAllocString(c.itemInfo) : nullptr;
  bool met = true;
  auto run = [&](const char* row, const char* what, int n, const std::function<void()>& cycle) {
    cycle();  // the libraries' first use outside the counts
    idle();
    Counts at[3]{};
    const int marks[3] = {std::max(1, n / 100), std::max(1, n / 2), n};
    for (int i = 1; i <= n; ++i) {
      cycle();
      idle();
      for (int m = 0; m < 3; ++m)
        if (i == marks[m]) at[m] = counts();
    }
    const int half = std::max(1, n - marks[1]);
    const std::string who = ours ? c.name : std::string(c.name) + ", dialog manager";
    auto line = [&](const char* counter, long long Counts::*field, bool bytes) {
      const long long growth = at[2].*field - at[1].*field;
      if (at[0].*field < 0 || at[1].*field < 0 || at[2].*field < 0) {
        std::printf("| %s | %d %s | %s | - | - | - | - | not measured (the system cannot count it) |\n",
                    who.c_str(), n, what, counter);
        met = met && !ours;
        return;
      }
      char perCycle[48] = "";
      if (bytes) std::snprintf(perCycle, sizeof perCycle, " (%.0f a cycle)", double(growth) / half);
      const char* target = !ours ? "(the platform's)" : bytes ? "(below)" : mark(growth <= 0);
      if (ours && !bytes) met = met && growth <= 0;
      std::printf("| %s | %d %s | %s | %lld | %lld | %lld | %+lld%s | %s |\n", who.c_str(), n, what,
                  counter, at[0].*field, at[1].*field, at[2].*field, growth, perCycle, target);
    };
    line("GDI objects", &Counts::gdi, false);
    line("USER objects (windows)", &Counts::user, false);
    line("handles", &Counts::handles, false);
    line("private bytes", &Counts::privateBytes, true);
    line("heap bytes in use", &Counts::heapBytes, true);
    std::printf("growth %s %s %s %.1f\n", c.name, side.c_str(), row,
                double(at[2].heapBytes - at[1].heapBytes) / half);
  };
  if (ours) {
    run("load", info ? "create, ItemInfo, release" : "create, release", cycles, [&] {
      IDispatch* o = nullptr;
      if (FAILED(create(c, &o))) return;
      if (info) {
        BSTR back = nullptr;
        writeInfo(c, o, info);
        readInfo(c, o, &back);
        SysFreeString(back);
      }
      o->Release();
    });
    run("edit", "whole edit", shows, [&] {
      g_waitingForPaint = true;
      wholeEdit(c);
    });
  } else {
    run("load", info ? "load hidden, the record's icon" : "load hidden", cycles,
        [&] { baselineLoad(baseline, true); });
    run("edit", "dialog box", shows, [&] {
      g_waitingForPaint = true;
      baselineWholeEdit(baseline);
    });
  }
  SysFreeString(info);
  return met ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Unbuffered (the C runtime here treats line buffering as full): a run
  // cut short still shows what it measured.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);
  g_hook = SetWindowsHookExW(WH_GETMESSAGE, onMessage, nullptr, GetCurrentThreadId());
  if (argc == 5 && std::string(argv[1]) == "first" && findClass(argv[3]))
    return firstDialog(argv[2], *findClass(argv[3]), std::string(argv[4]) == "pumps");
  if (argc >= 3 && std::string(argv[1]) == "trace" && findClass(argv[2]))
    return traceClass(*findClass(argv[2]), argc > 3 ? std::atof(argv[3]) : 0.3);

  const bool steady = argc == 6 && std::string(argv[1]) == "steady" && findClass(argv[3]);
  const int repetitions = argc > 1 && !steady ? std::atoi(argv[1]) : 100;
  const std::string only = argc > 2 && !steady ? argv[2] : "";  // one class, for a closer look

  {  // loads Tollivor.dll, whose manifest the baselines borrow
    IDispatch* o = nullptr;
    if (FAILED(create(kClasses[0], &o))) {
      std::fprintf(stderr, "TimingHost: Tollivor.dll not registered\n");
      return 2;
    }
    o->Release();
  }
  makeThemedContext(GetModuleHandleW(L"Tollivor.dll"));
  if (steady) return steadyState(argv[2], *findClass(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  bool allMet = true;

  std::printf("| class | row | host | ours median ms | p90 | dialog manager median ms | p90 | ratio (median) | target <= 1.1 |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  for (const bool pumps : {true, false}) {
    for (const auto& c : kClasses) {
      if (!only.empty() && only != c.name) continue;
      Baseline baseline(c);
      BSTR info = c.itemInfo ? SysAllocString(c.itemInfo) : nullptr;
      IDispatch* made = nullptr;
      HWND madeDialog = nullptr;
      Row rows[] = {
          {"(a) load hidden",
           [&] {
             return timed([&] {
               IDispatch* o = nullptr;
               create(c, &o);
               o->Release();
             });
           },
           [&] { return timed([&] { baselineLoad(baseline); }); }},
          {"(b) show loaded, painted, closed",
           [&] {
             create(c, &made);
             if (info) writeInfo(c, made, info);
             g_waitingForPaint = true;
             const double ms = timed([&] { show(c, made); });
             made->Release();
             return ms;
           },
           [&] {
             baseline.withRecordIcon = info != nullptr;
             madeDialog = baselineMake(baseline);
             g_waitingForPaint = true;
             const double ms = timed([&] { baselineShowMade(baseline, madeDialog); });
             DestroyWindow(madeDialog);
             return ms;
           }},
          {"(c) whole edit",
           [&] {
             g_waitingForPaint = true;
             return timed([&] { wholeEdit(c); });
           },
           [&] {
             g_waitingForPaint = true;
             return timed([&] { baselineWholeEdit(baseline); });
           }},
      };
      // Interleaved, the order swapped every round: neither side always
      // follows the other's leftovers.
      for (int i = 0; i < repetitions; ++i)
        for (Row& row : rows)
          for (int side = 0; side < 2; ++side) {
            const bool oursNow = (side == 0) == (i % 2 == 0);
            (oursNow ? row.oursMs : row.baseMs).push_back(oursNow ? row.ours() : row.base());
            if (pumps) idle();
          }
      for (Row& row : rows) {
        const Figure f = figure(row.oursMs), b = figure(row.baseMs);
        const double ratio = b.median > 0 ? f.median / b.median : 0;
        allMet = allMet && ratio <= 1.1;
        std::printf("| %s | %s | %s | %.3f | %.3f | %.3f | %.3f | %.2f | %s |\n", c.name, row.step,
                    pumps ? "takes its queue" : "does not", f.median, f.p90, b.median, b.p90, ratio,
                    mark(ratio <= 1.1));
      }
      SysFreeString(info);
      idle();
    }
  }
  UnhookWindowsHookEx(g_hook);
  ReleaseActCtx(g_themed);
  OleUninitialize();
  std::printf("\nTimingHost: %s\n", allMet ? "all time targets met" : "some time targets not met");
  return 0;
}
