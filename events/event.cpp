#include "events/event.h"

namespace tarn {

int32_t EventHookId = -1;

void InitEvents() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitHooks();
  EventHookId = NewHookId();
}

String EventName(int32_t id) {
  switch (id) {
    case EVENT_APPSUSPEND: return "AppSuspend";
    case EVENT_APPRESUME: return "AppResume";
    case EVENT_APPTERMINATE: return "AppTerminate";
    case EVENT_APPOPENFILE: return "AppOpenFile";
    case EVENT_KEYDOWN: return "KeyDown";
    case EVENT_KEYUP: return "KeyUp";
    case EVENT_KEYCHAR: return "KeyChar";
    case EVENT_KEYREPEAT: return "KeyRepeat";
    case EVENT_MOUSEDOWN: return "MouseDown";
    case EVENT_MOUSEUP: return "MouseUp";
    case EVENT_MOUSEMOVE: return "MouseMove";
    case EVENT_MOUSEWHEEL: return "MouseWheel";
    case EVENT_MOUSEENTER: return "MouseEnter";
    case EVENT_MOUSELEAVE: return "MouseLeave";
    case EVENT_TIMERTICK: return "TimerTick";
    case EVENT_GADGETACTION: return "GadgetAction";
    case EVENT_GADGETPAINT: return "GadgetPaint";
    case EVENT_GADGETSELECT: return "GadgetSelect";
    case EVENT_GADGETMENU: return "GadgetMenu";
    case EVENT_GADGETOPEN: return "GadgetOpen";
    case EVENT_GADGETCLOSE: return "GadgetClose";
    case EVENT_GADGETDONE: return "GadgetDone";
    case EVENT_GADGETLOSTFOCUS: return "GadgetLostFocus";
    case EVENT_WINDOWMOVE: return "WindowMove";
    case EVENT_WINDOWSIZE: return "WindowSize";
    case EVENT_WINDOWCLOSE: return "WindowClose";
    case EVENT_WINDOWACTIVATE: return "WindowActivate";
    case EVENT_WINDOWACCEPT: return "WindowAccept";
    case EVENT_MENUACTION: return "MenuAction";
    default: return String();  // EVENT_HOTKEY has no name either
  }
}

Ref<TEvent> TEvent::Make(int32_t id, const Ref<Object>& source, int32_t data, int32_t mods,
                         int32_t x, int32_t y, const Ref<Object>& extra) {
  Ref<TEvent> event = New<TEvent>();
  event->id = id;
  event->source = source;
  event->data = data;
  event->mods = mods;
  event->x = x;
  event->y = y;
  event->extra = extra;
  return event;
}

void TEvent::Send() { CallHooks(EventHookId, Ref<Object>(this)); }

String TEvent::ToString() const {
  String name = EventName(id);
  if (name.IsEmpty()) name = "Unknown Event, id=" + IntToString(id);
  return name + ": data=" + IntToString(data) + ", mods=" + IntToString(mods) +
         ", x=" + IntToString(x) + ", y=" + IntToString(y) + ", extra=\"" +
         String::FromObject(extra) + "\"";
}

Ref<TEvent> MakeEvent(int32_t id, const Ref<Object>& source, int32_t data, int32_t mods, int32_t x,
                      int32_t y, const Ref<Object>& extra) {
  return TEvent::Make(id, source, data, mods, x, y, extra);
}

void SendEvent(const Ref<TEvent>& event) { event->Send(); }

}  // namespace tarn
