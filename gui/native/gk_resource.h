// GkResource: the reference-counted base of every object of the native gadget library.
//
// A resource starts with one reference (its creator's). Besides plain references, one resource
// can own another through a link: the holder keeps a reference on the held resource and drops
// it when the holder itself goes, so a group can keep a gadget alive that was moved into it.
// GkRef<T> is the counted handle for native resources. GUI thread only.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace tarn {

class GkResource {
 public:
  GkResource();
  GkResource(const GkResource&) = delete;
  GkResource& operator=(const GkResource&) = delete;

  virtual intptr_t Query(int32_t code) { return 0; }

  void Retain() { ++refs_; }
  // Drops one reference; at zero the owned resources are released in turn, the links that
  // hold this one are cut and the resource is deleted.
  void Release();
  int32_t RefCount() const { return refs_; }

  // Links held into this resource's owns list: this resource keeps a reference on it.
  void AddOwned(GkResource* held);
  // How many live native resources exist (for leak checks).
  static int32_t LiveCount();

 protected:
  virtual ~GkResource();

 private:
  int32_t refs_ = 1;
  std::vector<GkResource*> owns_;     // resources this one holds a reference on
  std::vector<GkResource*> ownedBy_;  // resources that hold a reference on this one
};

// A counted handle on a native resource; empty means none.
template <class T>
class GkRef {
 public:
  GkRef() = default;
  // Takes over a reference the caller already holds (a new resource's first one).
  static GkRef Adopt(T* resource) {
    GkRef ref;
    ref.resource_ = resource;
    return ref;
  }
  // Adds a reference of its own.
  explicit GkRef(T* resource) : resource_(resource) {
    if (resource_) resource_->Retain();
  }
  GkRef(const GkRef& other) : GkRef(other.resource_) {}
  GkRef(GkRef&& other) noexcept : resource_(std::exchange(other.resource_, nullptr)) {}
  ~GkRef() { Reset(); }
  GkRef& operator=(GkRef other) noexcept {
    std::swap(resource_, other.resource_);
    return *this;
  }
  void Reset() {
    if (resource_) std::exchange(resource_, nullptr)->Release();
  }
  T* Get() const { return resource_; }
  T* operator->() const { return resource_; }
  explicit operator bool() const { return resource_ != nullptr; }

 private:
  T* resource_ = nullptr;
};

}  // namespace tarn
