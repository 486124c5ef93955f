#include "runtime/object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <typeinfo>
#include <unordered_map>

#include "runtime/string.h"

namespace tarn {
namespace {

// Live objects that have been given a handle. Only the main thread asks for handles.
std::unordered_map<int32_t, const Object*>& HandleTable() {
  static auto* table = new std::unordered_map<int32_t, const Object*>();
  return *table;
}
int32_t lastHandle = 0;

}  // namespace

Object::~Object() {
  if (handle_ != 0) HandleTable().erase(handle_);
}

String Object::ToString() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 ? demangled.get() : mangled;
  size_t scope = name.rfind("::");
  return String(name.substr(scope == std::string::npos ? 0 : scope + 2).c_str());
}

int32_t Object::Compare(const Object& other) const {
  if (this == &other) return 0;
  return std::less<const Object*>()(this, &other) ? -1 : 1;
}

int32_t ObjectHandle(const Object* object) {
  if (!object) return 0;
  if (object->handle_ == 0) {
    object->handle_ = ++lastHandle;
    HandleTable()[object->handle_] = object;
  }
  return object->handle_;
}

Ref<Object> HandleObject(int32_t handle) {
  auto found = HandleTable().find(handle);
  return found == HandleTable().end() ? Ref<Object>()
                                      : Ref<Object>(const_cast<Object*>(found->second));
}

}  // namespace tarn
