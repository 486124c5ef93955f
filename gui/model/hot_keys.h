// Keyboard shortcuts bound to events.
//
// All hot keys form one list, newest first. An entry is found by its key and modifiers; its
// owner (a native window handle, 0 for any window) limits where FindHotKeyEvent answers it.
// The native keyboard hook looks keys up here with the foreground window. Main thread only;
// the list lives for the whole run.
#pragma once

#include <cstdint>

#include "events/event.h"

namespace tarn {

class THotKey : public Object {
 public:
  Ref<THotKey> next;
  int32_t key = 0;        // virtual key code
  int32_t modifiers = 0;  // 1 shift, 2 control, 4 alt, 8 the system key
  Ref<TEvent> event;      // emitted when the key is pressed
  intptr_t owner = 0;     // native window handle; 0 = any window
};

// Head of the hot-key list; the null object when the list is empty.
extern Ref<THotKey> hotKeys;

// Binds key and modifiers to event (a new EVENT_HOTKEY event with data = key when event is the
// null object) for owner. An entry with the same key and modifiers is reused whatever its
// owner; otherwise a new one goes to the head of the list. Returns the entry.
Ref<THotKey> SetHotKeyEvent(int32_t key, int32_t modifiers, const Ref<TEvent>& event,
                            intptr_t owner);
// Unlinks hotkey (by identity); one that is not in the list is ignored.
void RemoveHotKey(const Ref<THotKey>& hotkey);
// The event of the first entry with this key and modifiers whose owner is 0 or owner; else
// the null object.
Ref<TEvent> FindHotKeyEvent(int32_t key, int32_t modifiers, intptr_t owner);

}  // namespace tarn
