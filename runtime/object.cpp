#include "runtime/object.h"

#include <cxxabi.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <thread>
#include <typeinfo>
#include <unordered_map>

#include "runtime/check.h"
#include "runtime/string.h"

namespace tarn {
namespace {

// Live objects that have been given a handle. The table takes no lock: objects with a handle
// are asked for, looked up and released on one thread, the one that first asked for a handle
// (the main thread); test builds check that.
std::unordered_map<int32_t, const Object*>& HandleTable() {
  static auto* table = new std::unordered_map<int32_t, const Object*>();
  return *table;
}
int32_t lastHandle = 0;

bool OnHandleThread() {
  static const std::thread::id owner = std::this_thread::get_id();
  return std::this_thread::get_id() == owner;
}

}  // namespace

Object::~Object() {
  if (handle_ != 0) {
    TARN_CHECK(OnHandleThread());
    HandleTable().erase(handle_);
  }
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

int32_t ObjectHandle(const Object* object) {
  if (!object) return 0;
  TARN_CHECK(OnHandleThread());
  if (object->handle_ == 0) {
    // After the largest int the count starts again at 1, passing over handles still held.
    do {
      lastHandle = lastHandle == INT32_MAX ? 1 : lastHandle + 1;
    } while (HandleTable().count(lastHandle) != 0);
    object->handle_ = lastHandle;
    HandleTable()[object->handle_] = object;
  }
  return object->handle_;
}

void SetLastObjectHandleForTesting(int32_t handle) { lastHandle = handle; }

Ref<Object> HandleObject(int32_t handle) {
  TARN_CHECK(OnHandleThread());
  auto found = HandleTable().find(handle);
  return found == HandleTable().end() ? Ref<Object>()
                                      : Ref<Object>(const_cast<Object*>(found->second));
}

}  // namespace tarn
