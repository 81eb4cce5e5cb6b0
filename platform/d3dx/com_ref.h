// ComRef: holds one reference to a reference-counted service object and ends
// it on destruction, for code that must release on every path.
#pragma once

#include <utility>

namespace ortolix {

template <class T>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(T* object) : object_(object) {}
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() { Reset(); }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Ends the held reference and gives the slot for an output argument.
  T** Out() {
    Reset();
    return &object_;
  }
  // Hands the reference to the caller.
  T* Detach() { return std::exchange(object_, nullptr); }
  void Reset() {
    if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
  }

 private:
  T* object_ = nullptr;
};

}  // namespace ortolix
