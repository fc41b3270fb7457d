// A hidden top-level window per thread that owns every form of the thread.
// An owned window gets no task-bar button of its own, which is how the
// dialogs stay out of the task bar while being shown without a visible owner.
#pragma once

#include <windows.h>

namespace tollivor::forms::win32 {

// The calling thread's owner window, made by its first form and kept for
// the thread's life: making it (and with it the window system's per-thread
// input windows) is a good part of a form's load. nullptr when the window
// system refuses.
HWND threadOwnerWindow() noexcept;

// Destroys every thread's owner window when the module may go: the
// caller's at once, another thread's when that thread next takes its
// messages (its windows can be destroyed by it alone). A thread that makes a
// form afterwards gets a new one.
void releaseOwnerWindows() noexcept;

}  // namespace tollivor::forms::win32
