#pragma once
// An owning COM interface pointer: one reference, released when the holder goes or is reset. Enough
// for the graph and catalog code; no conversions happen behind the caller's back.
#include <unknwn.h>

#include <utility>

namespace zuna::dshow {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For an out parameter that hands over one reference.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  void Reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  // Holds `other` (may be null) with a reference of its own.
  void Share(T* other) {
    if (other != nullptr) other->AddRef();
    Reset();
    p_ = other;
  }
  // A reference of the caller's own, for an out parameter (null when empty).
  T* Copy() const {
    if (p_ != nullptr) p_->AddRef();
    return p_;
  }
  // Gives the reference to the caller.
  T* Detach() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

}  // namespace zuna::dshow
