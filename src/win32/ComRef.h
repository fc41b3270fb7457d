// An owning reference to a COM interface: released exactly once.
#pragma once

#include <unknwn.h>

#include <utility>

namespace tollivor::win32 {

template <class T>
class ComRef {
 public:
  ComRef() noexcept = default;
  ~ComRef() { reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // For out parameters: drops the old reference first.
  T** put() noexcept {
    reset();
    return &p_;
  }
  // For the void** out parameters of QueryInterface and CoCreateInstance.
  void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
  // Hands the reference to a caller, who releases it.
  T* detach() noexcept { return std::exchange(p_, nullptr); }
  void reset() noexcept {
    if (p_) std::exchange(p_, nullptr)->Release();
  }

 private:
  T* p_ = nullptr;
};

}  // namespace tollivor::win32
