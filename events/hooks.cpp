#include "events/hooks.h"

#include <array>

#include "runtime/check.h"

namespace tarn {
namespace {

std::array<Ref<THook>, kHookChains>* chains = nullptr;
int32_t lastHookId = -1;

// A chain id is the caller's to get right: checked in test builds, trusted in the program.
Ref<THook>& Head(int32_t id) {
  TARN_CHECK(chains != nullptr && id >= 0 && id < kHookChains);
  return (*chains)[id];
}

}  // namespace

void InitHooks() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  chains = new std::array<Ref<THook>, kHookChains>();  // lives for the whole process
}

int32_t NewHookId() {
  if (lastHookId < kHookChains) ++lastHookId;  // stays past the end once exhausted
  if (lastHookId >= kHookChains) Raise(String("Too many hook ids"));
  return lastHookId;
}

void InsertHook(int32_t id, HookFunction function, const Ref<Object>& context, int32_t priority) {
  Ref<THook> hook = New<THook>(priority, function, context);
  Ref<THook> behind;
  for (Ref<THook> node = Head(id); node && node->priority >= priority; node = node->succ)
    behind = node;
  Ref<THook>& link = behind ? behind->succ : Head(id);
  hook->succ = link;
  link = hook;
}

void DeleteHook(int32_t id, HookFunction function, const Ref<Object>& context) {
  for (Ref<THook>* link = &Head(id); *link; link = &(*link)->succ) {
    if ((*link)->hookFunction == function && (*link)->context == context) {
      *link = Ref<THook>((*link)->succ);
      return;
    }
  }
}

Ref<Object> CallHooks(int32_t id, Ref<Object> data) {
  // The node in hand is held, so a function that removes itself does not free the chain
  // under the walk.
  for (Ref<THook> node = Head(id); node; node = node->succ)
    data = node->hookFunction(id, data, node->context);
  return data;
}

}  // namespace tarn
