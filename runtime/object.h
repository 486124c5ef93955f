// Reference-counted objects and the handle type that holds them.
//
// Every class instance of the system derives from Object and is held through Ref<T>, an
// intrusive counted handle. An empty Ref is the null object: using a member through it raises
// TNullObjectException instead of crashing. Objects are made with New<T>(...) and freed when
// the last Ref goes. Counting is atomic so that a reference may be dropped on another thread,
// but objects are otherwise used from the main thread only; an object that was given an
// integer handle (ObjectHandle) must also be released there, as the handle table takes no
// lock (test builds check it).
#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace tarn {

class String;

[[noreturn]] void RaiseNullObject();

class Object {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object();

  // The object's text form, printed when it is raised and nothing handles it.
  // By default the bare class name.
  virtual String ToString() const;

  void Retain() const { refs_.fetch_add(1, std::memory_order_relaxed); }
  void Release() const {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  int32_t RefCount() const { return refs_.load(std::memory_order_relaxed); }

 private:
  friend int32_t ObjectHandle(const Object* object);
  mutable std::atomic<int32_t> refs_{0};
  mutable int32_t handle_ = 0;  // integer handle, given out on first request
};

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  explicit Ref(T* object) : object_(object) { Acquire(); }
  Ref(const Ref& other) : object_(other.object_) { Acquire(); }
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& other) : object_(other.Get()) {
    Acquire();
  }
  ~Ref() { Drop(); }

  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  T* operator->() const { return &Checked(); }
  T& operator*() const { return Checked(); }
  T* Get() const { return object_; }
  bool IsNull() const { return object_ == nullptr; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T& Checked() const {
    if (!object_) RaiseNullObject();
    return *object_;
  }
  void Acquire() const {
    if (object_) object_->Retain();
  }
  void Drop() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }
  T* object_ = nullptr;
};

// Identity comparison: two handles are equal when they hold the very same object.
template <class T, class U>
bool operator==(const Ref<T>& a, const Ref<U>& b) {
  return static_cast<const void*>(a.Get()) == static_cast<const void*>(b.Get());
}

template <class T, class... Args>
Ref<T> New(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

// The object as a T, or the null object when it is not one.
template <class T, class U>
Ref<T> Cast(const Ref<U>& object) {
  return Ref<T>(dynamic_cast<T*>(object.Get()));
}

template <class T, class U>
bool Is(const Ref<U>& object) {
  return dynamic_cast<const T*>(object.Get()) != nullptr;
}

// The runtime's integer handle of an object: 0 for the null object, otherwise a positive number
// that stays the same for the object's life and is never reused while it lives.
int32_t ObjectHandle(const Object* object);
template <class T>
int32_t ObjectHandle(const Ref<T>& object) {
  return ObjectHandle(static_cast<const Object*>(object.Get()));
}
// The object that holds a handle, or the null object.
Ref<Object> HandleObject(int32_t handle);
// Sets the last handle given out, so that tests can reach the end of the range.
void SetLastObjectHandleForTesting(int32_t handle);

}  // namespace tarn
