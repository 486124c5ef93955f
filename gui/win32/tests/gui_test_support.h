// Shared pieces of the Windows GUI tests: the driver started once, a recorder of every event
// emitted, polling with a deadline while the messages are pumped, and window handles.
#pragma once

#include "gui/native/win32_api.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gui/model/gui_front.h"
#include "gui/win32/win32_gui.h"
#include "system/system_driver.h"

namespace tarn::testing {

struct Seen {
  int32_t id;
  Ref<Object> source;
  int32_t data, x, y;
  Ref<Object> extra;
  int32_t sourceX, sourceY;  // the source gadget's x and y when the event was emitted
};

inline std::vector<Seen>& SeenEvents() {
  static std::vector<Seen> seen;
  return seen;
}

// Runs while an event is emitted; a test may set it to act on events (free a gadget ...).
inline std::function<void(const Ref<TEvent>&)>& OnEvent() {
  static std::function<void(const Ref<TEvent>&)> action;
  return action;
}

inline Ref<Object> RecordEvent(int32_t, const Ref<Object>& data, const Ref<Object>&) {
  if (Ref<TEvent> event = Cast<TEvent>(data)) {
    Ref<TGadget> gadget = Cast<TGadget>(event->source);
    SeenEvents().push_back({event->id, event->source, event->data, event->x, event->y, event->extra,
                            gadget ? gadget->x : 0, gadget ? gadget->y : 0});
    if (OnEvent()) OnEvent()(event);
  }
  return data;
}

inline std::vector<Seen> EventsOf(int32_t id) {
  std::vector<Seen> found;
  for (const Seen& seen : SeenEvents()) {
    if (seen.id == id) found.push_back(seen);
  }
  return found;
}

// Pumps until condition holds or the deadline passes; the condition's last value.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds = 3000) {
  DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(10);
  }
}

// Pumps for a while so that whatever is pending arrives (for checking that nothing does).
inline void PumpAWhile(DWORD milliseconds = 200) {
  PumpUntil([] { return false; }, milliseconds);
}

inline HWND Hwnd(const Ref<TGadget>& gadget) {
  return reinterpret_cast<HWND>(GadgetQuery(gadget, QueryNativeHandle));
}

class GuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitWin32Gui();
    static bool hooked = false;
    if (!hooked) InsertHook(EventHookId, RecordEvent, nullptr, 100);
    hooked = true;
  }
  void SetUp() override {
    PumpMessages();
    SeenEvents().clear();
    OnEvent() = nullptr;
  }
  void TearDown() override {
    OnEvent() = nullptr;
    for (const Ref<TGadget>& gadget : made) GadgetFree(gadget);
    made.clear();
    PumpMessages();
  }
  // Freed after the test.
  Ref<TGadget> Keep(const Ref<TGadget>& gadget) {
    made.push_back(gadget);
    return gadget;
  }

  std::vector<Ref<TGadget>> made;
};

}  // namespace tarn::testing
