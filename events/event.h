// The event record and its emission.
//
// Every happening the application can react to is one TEvent, emitted by running the hook
// chain EventHookId synchronously: when SendEvent returns, every hook has seen it. Records are
// mutable, because the event queue merges newer values into a queued record. Main thread only.
#pragma once

#include <cstdint>

#include "events/hooks.h"

namespace tarn {

constexpr int32_t EVENT_APPSUSPEND = 0x101;
constexpr int32_t EVENT_APPRESUME = 0x102;
constexpr int32_t EVENT_APPTERMINATE = 0x103;
constexpr int32_t EVENT_APPOPENFILE = 0x104;
constexpr int32_t EVENT_KEYDOWN = 0x201;
constexpr int32_t EVENT_KEYUP = 0x202;
constexpr int32_t EVENT_KEYCHAR = 0x203;
constexpr int32_t EVENT_KEYREPEAT = 0x204;
constexpr int32_t EVENT_MOUSEDOWN = 0x401;
constexpr int32_t EVENT_MOUSEUP = 0x402;
constexpr int32_t EVENT_MOUSEMOVE = 0x403;
constexpr int32_t EVENT_MOUSEWHEEL = 0x404;
constexpr int32_t EVENT_MOUSEENTER = 0x405;
constexpr int32_t EVENT_MOUSELEAVE = 0x406;
constexpr int32_t EVENT_TIMERTICK = 0x801;
constexpr int32_t EVENT_HOTKEY = 0x1001;
constexpr int32_t EVENT_GADGETACTION = 0x2001;
constexpr int32_t EVENT_GADGETPAINT = 0x2002;
constexpr int32_t EVENT_GADGETSELECT = 0x2003;
constexpr int32_t EVENT_GADGETMENU = 0x2004;
constexpr int32_t EVENT_GADGETOPEN = 0x2005;
constexpr int32_t EVENT_GADGETCLOSE = 0x2006;
constexpr int32_t EVENT_GADGETDONE = 0x2007;
constexpr int32_t EVENT_GADGETLOSTFOCUS = 0x2008;
constexpr int32_t EVENT_WINDOWMOVE = 0x4001;
constexpr int32_t EVENT_WINDOWSIZE = 0x4002;
constexpr int32_t EVENT_WINDOWCLOSE = 0x4003;
constexpr int32_t EVENT_WINDOWACTIVATE = 0x4004;
constexpr int32_t EVENT_WINDOWACCEPT = 0x4005;
constexpr int32_t EVENT_MENUACTION = 0x8001;

class TEvent : public Object {
 public:
  static Ref<TEvent> Make(int32_t id, const Ref<Object>& source, int32_t data, int32_t mods,
                          int32_t x, int32_t y, const Ref<Object>& extra);
  // Runs the event chain with this event; the chain's result is ignored.
  virtual void Send();
  String ToString() const override;

  int32_t id = 0;
  Ref<Object> source;
  int32_t data = 0;
  int32_t mods = 0;  // 1 shift, 2 control, 4 alt, 8 Windows key
  int32_t x = 0;
  int32_t y = 0;
  Ref<Object> extra;  // a String where the event carries text
};

// The hook id on which every event travels.
extern int32_t EventHookId;

void InitEvents();
// The name the text form prints for id, or the empty string when id has none.
String EventName(int32_t id);
Ref<TEvent> MakeEvent(int32_t id, const Ref<Object>& source, int32_t data, int32_t mods, int32_t x,
                      int32_t y, const Ref<Object>& extra);
void SendEvent(const Ref<TEvent>& event);

}  // namespace tarn
