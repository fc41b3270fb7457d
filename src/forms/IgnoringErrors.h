// The rule every class member runs under: an error ends one step only.
#pragma once

namespace tollivor::forms {

// Runs one step of a class member; an error ends only that step, so the
// member goes on (or returns) as if the step had been skipped.
template <class Step>
void IgnoringErrors(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace tollivor::forms
