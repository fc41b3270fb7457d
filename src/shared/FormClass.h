// What each class the host talks to does with its dialog F: creating an
// object loads the thread's form, hidden (Class_Initialize); destroying one
// unloads it (Class_Terminate); Show places it at the cursor and shows it
// modally. All objects of a class on a thread share the one form.
#pragma once

#include <string>

#include "forms/FormInstance.h"
#include "forms/IgnoringErrors.h"
#include "shared/Mshared.h"

namespace tollivor {

template <class F>
class FormClass {
 public:
  FormClass() noexcept {
    forms::IgnoringErrors([] { Instance::loaded(); });
  }
  ~FormClass() { Instance::release(); }
  FormClass(const FormClass&) = delete;
  FormClass& operator=(const FormClass&) = delete;

  void Show() noexcept {
    forms::IgnoringErrors([] { Mshared::ShowFormAtCursor(Instance::loaded()); });
  }

 protected:
  using Instance = forms::FormInstance<F>;

  // The record the dialog left for the host: what an ItemInfo read answers.
  static std::u16string resultText() noexcept {
    std::u16string result;
    forms::IgnoringErrors([&] { result = Instance::loaded().resultText; });
    return result;
  }
};

}  // namespace tollivor
