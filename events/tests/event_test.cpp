#include <gtest/gtest.h>

#include <vector>

#include "events/event.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

class Events : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitEvents(); }
};

TEST_F(Events, TextForm) {
  struct Plain : Object {};
  struct Case {
    Ref<TEvent> event;
    const char* text;
  } cases[] = {
      {MakeEvent(EVENT_WINDOWCLOSE, nullptr, 0, 0, 0, 0, nullptr),
       "WindowClose: data=0, mods=0, x=0, y=0, extra=\"\""},
      {MakeEvent(EVENT_TIMERTICK, nullptr, 3, 0, 0, 0, nullptr),
       "TimerTick: data=3, mods=0, x=0, y=0, extra=\"\""},
      {MakeEvent(EVENT_KEYCHAR, nullptr, 97, 1, 0, 0, String("abc")),
       "KeyChar: data=97, mods=1, x=0, y=0, extra=\"abc\""},
      {MakeEvent(EVENT_MOUSEMOVE, nullptr, 0, 0, -5, -70000, New<Plain>()),
       "MouseMove: data=0, mods=0, x=-5, y=-70000, extra=\"\""},
      {MakeEvent(EVENT_HOTKEY, nullptr, 1, 2, 3, 4, nullptr),
       "Unknown Event, id=4097: data=1, mods=2, x=3, y=4, extra=\"\""},
      {MakeEvent(0, nullptr, 0, 0, 0, 0, nullptr),
       "Unknown Event, id=0: data=0, mods=0, x=0, y=0, extra=\"\""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.event->ToString().ToBytes(), c.text);
}

TEST_F(Events, EveryIdHasItsName) {
  struct Case {
    int32_t id;
    const char* name;
  } cases[] = {
      {EVENT_APPSUSPEND, "AppSuspend"},
      {EVENT_APPRESUME, "AppResume"},
      {EVENT_APPTERMINATE, "AppTerminate"},
      {EVENT_APPOPENFILE, "AppOpenFile"},
      {EVENT_KEYDOWN, "KeyDown"},
      {EVENT_KEYUP, "KeyUp"},
      {EVENT_KEYCHAR, "KeyChar"},
      {EVENT_KEYREPEAT, "KeyRepeat"},
      {EVENT_MOUSEDOWN, "MouseDown"},
      {EVENT_MOUSEUP, "MouseUp"},
      {EVENT_MOUSEMOVE, "MouseMove"},
      {EVENT_MOUSEWHEEL, "MouseWheel"},
      {EVENT_MOUSEENTER, "MouseEnter"},
      {EVENT_MOUSELEAVE, "MouseLeave"},
      {EVENT_TIMERTICK, "TimerTick"},
      {EVENT_GADGETACTION, "GadgetAction"},
      {EVENT_GADGETPAINT, "GadgetPaint"},
      {EVENT_GADGETSELECT, "GadgetSelect"},
      {EVENT_GADGETMENU, "GadgetMenu"},
      {EVENT_GADGETOPEN, "GadgetOpen"},
      {EVENT_GADGETCLOSE, "GadgetClose"},
      {EVENT_GADGETDONE, "GadgetDone"},
      {EVENT_GADGETLOSTFOCUS, "GadgetLostFocus"},
      {EVENT_WINDOWMOVE, "WindowMove"},
      {EVENT_WINDOWSIZE, "WindowSize"},
      {EVENT_WINDOWCLOSE, "WindowClose"},
      {EVENT_WINDOWACTIVATE, "WindowActivate"},
      {EVENT_WINDOWACCEPT, "WindowAccept"},
      {EVENT_MENUACTION, "MenuAction"},
  };
  for (const Case& c : cases) EXPECT_EQ(EventName(c.id).ToBytes(), c.name) << c.id;
  EXPECT_EQ(EVENT_TIMERTICK, 2049);
  EXPECT_EQ(EVENT_MENUACTION, 32769);
}

TEST_F(Events, MakeHoldsExactlyTheGivenValues) {
  Ref<Object> source = String("source");
  Ref<TEvent> event = TEvent::Make(EVENT_KEYDOWN, source, 65, 3, 10, 20, String("x"));
  EXPECT_EQ(event->id, EVENT_KEYDOWN);
  EXPECT_TRUE(event->source == source);
  EXPECT_EQ(event->data, 65);
  EXPECT_EQ(event->mods, 3);
  EXPECT_EQ(event->x, 10);
  EXPECT_EQ(event->y, 20);
  EXPECT_EQ(String::FromObject(event->extra), String("x"));
}

std::vector<Ref<Object>>* received = nullptr;
Ref<Object> Collect(int32_t, const Ref<Object>& data, const Ref<Object>&) {
  received->push_back(data);
  return Ref<Object>();
}
Ref<Object> Fail(int32_t, const Ref<Object>&, const Ref<Object>&) { Raise(String("hook failed")); }

TEST_F(Events, SendRunsTheEventChainSynchronously) {
  Ref<TEvent> event = MakeEvent(EVENT_KEYUP, nullptr, 1, 0, 0, 0, nullptr);
  SendEvent(event);  // no hook on the chain: nothing happens, nothing is raised

  std::vector<Ref<Object>> log;
  received = &log;
  InsertHook(EventHookId, Collect, nullptr, 0);
  SendEvent(event);
  DeleteHook(EventHookId, Collect, nullptr);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_TRUE(log[0] == event);
}

TEST_F(Events, WhatAHookRaisesReachesTheEmitter) {
  InsertHook(EventHookId, Fail, nullptr, 0);
  EXPECT_RAISES_TEXT(SendEvent(MakeEvent(EVENT_KEYUP, nullptr, 0, 0, 0, 0, nullptr)),
                     "hook failed");
  DeleteHook(EventHookId, Fail, nullptr);
}

}  // namespace
}  // namespace tarn
