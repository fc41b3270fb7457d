// One instance of a form per thread, created on first use and shared by
// every object of its class on that thread.
//
// The slot is a plain pointer so that nothing runs at thread exit: a form
// still loaded when its thread ends is simply not reclaimed, which beats
// running destructors from a library that may already be unloaded.
#pragma once

namespace tollivor::forms {

template <class F>
class FormInstance {
 public:
  // The thread's form, created (not loaded) if it did not exist.
  static F& get() {
    if (!slot_) slot_ = new F();
    return *slot_;
  }
  // The thread's form, loaded again if it was unloaded meanwhile.
  static F& loaded() {
    F& form = get();
    form.load();
    return form;
  }
  // Unloads the thread's form and discards it; the next get() starts afresh.
  // A form that is being shown is only unloaded: its show is still running.
  static void release() noexcept {
    if (!slot_) return;
    slot_->unload();
    if (slot_->isShowing()) return;
    delete slot_;
    slot_ = nullptr;
  }

 private:
  static inline thread_local F* slot_ = nullptr;
};

}  // namespace tollivor::forms
