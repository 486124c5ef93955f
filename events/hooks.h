// Numbered hook chains: the lowest layer of the event system.
//
// A module asks once for a hook id; other modules hang functions on that chain with a priority
// (higher runs earlier, equal priorities in insertion order); the owner runs the chain with a
// data object that each function may inspect, replace or pass on. Main thread only.
#pragma once

#include <cstdint>

#include "runtime/runtime.h"

namespace tarn {

// Takes (id, data, context) and returns the data for the next function of the chain.
using HookFunction = Ref<Object> (*)(int32_t id, const Ref<Object>& data,
                                     const Ref<Object>& context);

constexpr int32_t kHookChains = 256;

class THook : public Object {
 public:
  THook(int32_t priority, HookFunction hookFunction, Ref<Object> context)
      : priority(priority), hookFunction(hookFunction), context(std::move(context)) {}
  Ref<THook> succ;
  int32_t priority;
  HookFunction hookFunction;
  Ref<Object> context;
};

void InitHooks();
// The next hook id, from 0 to 255; every later call raises "Too many hook ids".
int32_t NewHookId();
void InsertHook(int32_t id, HookFunction function, const Ref<Object>& context, int32_t priority);
// Unlinks the first node with this very function and context object; priority plays no part.
void DeleteHook(int32_t id, HookFunction function, const Ref<Object>& context);
// Runs every function of chain id in order, threading data through them.
Ref<Object> CallHooks(int32_t id, Ref<Object> data);

}  // namespace tarn
