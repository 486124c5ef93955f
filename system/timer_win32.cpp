// The native half of the timers: multimedia periodic timers whose callback posts a thread
// message to the main thread, and a WH_GETMESSAGE hook there that turns each such message,
// when it is taken off the queue, into the timer's Tick.
#include <windows.h>
#include <mmsystem.h>

#include "runtime/boundary.h"
#include "system/startup.h"
#include "system/timer.h"

namespace tarn {
namespace {

struct RunningTimer {
  UINT id;
  TTimer* timer;  // not counted: a running timer holds itself
};

// Written once on the main thread before the first timeSetEvent, which hands them to the
// timer thread; read there by TimerCallback.
DWORD mainThread = 0;
UINT tickMessage = 0;

// Main thread only.
bool prepared = false;
HHOOK messageHook = nullptr;
RunningTimer running[kMaxRunningTimers];
int32_t runningCount = 0;

// Runs on the operating system's timer thread: it touches no object, it only posts.
// A message that cannot be posted is lost.
void CALLBACK TimerCallback(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) noexcept {
  PostThreadMessageA(mainThread, tickMessage, id, static_cast<LPARAM>(user));
}

// The running timer a tick message stands for, or none. Both the id and the timer must match
// an entry: a message left over from a halted timer, even one whose id the system has given
// to a newer timer, never reaches a timer that may have been freed.
TTimer* RunningTimerOf(WPARAM id, LPARAM user) {
  for (int32_t i = 0; i < runningCount; ++i) {
    if (running[i].id == id && reinterpret_cast<LPARAM>(running[i].timer) == user)
      return running[i].timer;
  }
  return nullptr;
}

LRESULT CALLBACK TimerMessageHook(int code, WPARAM removal, LPARAM message) noexcept {
  const MSG* taken = reinterpret_cast<const MSG*>(message);
  // Only when the message is removed: looking at it with PM_NOREMOVE fires nothing.
  if (code >= 0 && removal == PM_REMOVE && tickMessage != 0 && taken->message == tickMessage) {
    if (TTimer* timer = RunningTimerOf(taken->wParam, taken->lParam)) {
      // What an event hook raises goes on from the pump, once Windows has returned.
      GuardCallback([timer] {
        Ref<TTimer> held(timer);
        held->Tick();
      });
    }
  }
  return CallNextHookEx(messageHook, code, removal, message);
}

void RemoveMessageHook() {
  if (messageHook) UnhookWindowsHookEx(messageHook);
  messageHook = nullptr;
}

// Once, on the first start: the calling thread becomes the one that receives every tick.
void PrepareTicks() {
  prepared = true;
  mainThread = GetCurrentThreadId();
  messageHook = SetWindowsHookExA(WH_GETMESSAGE, TimerMessageHook, nullptr, mainThread);
  tickMessage = RegisterWindowMessageA("kln_timer_gktimertick");
  AddExitHandler(RemoveMessageHook);
}

}  // namespace

int32_t StartTimerNative(float hertz, TTimer* user) {
  if (!prepared) PrepareTicks();
  if (!messageHook || tickMessage == 0) return 0;  // ticks could never be delivered
  if (runningCount >= kMaxRunningTimers) return 0;
  int32_t period = TimerPeriodMs(hertz);
  if (period == 0) return 0;
  MMRESULT id = timeSetEvent(static_cast<UINT>(period), 0, TimerCallback,
                             reinterpret_cast<DWORD_PTR>(user), TIME_PERIODIC);
  if (id == 0) return 0;
  running[runningCount++] = {id, user};
  return static_cast<int32_t>(id);
}

void StopTimerNative(int32_t id) {
  for (int32_t i = 0; i < runningCount; ++i) {
    if (running[i].id != static_cast<UINT>(id)) continue;
    running[i] = running[--runningCount];
    timeKillEvent(static_cast<UINT>(id));
    return;
  }
}

}  // namespace tarn
