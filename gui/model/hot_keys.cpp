#include "gui/model/hot_keys.h"

namespace tarn {

Ref<THotKey> hotKeys;

Ref<THotKey> SetHotKeyEvent(int32_t key, int32_t modifiers, const Ref<TEvent>& event,
                            intptr_t owner) {
  Ref<TEvent> bound =
      event ? event : MakeEvent(EVENT_HOTKEY, nullptr, key, modifiers, 0, 0, nullptr);
  Ref<THotKey> entry = hotKeys;
  while (entry && !(entry->key == key && entry->modifiers == modifiers)) entry = entry->next;
  if (!entry) {
    entry = New<THotKey>();
    entry->key = key;
    entry->modifiers = modifiers;
    entry->next = hotKeys;
    hotKeys = entry;
  }
  entry->event = bound;
  entry->owner = owner;
  return entry;
}

void RemoveHotKey(const Ref<THotKey>& hotkey) {
  if (!hotkey) return;
  if (hotKeys == hotkey) {
    hotKeys = hotKeys->next;
    return;
  }
  for (Ref<THotKey> entry = hotKeys; entry; entry = entry->next) {
    if (entry->next == hotkey) {
      entry->next = hotkey->next;
      return;
    }
  }
}

Ref<TEvent> FindHotKeyEvent(int32_t key, int32_t modifiers, intptr_t owner) {
  for (Ref<THotKey> entry = hotKeys; entry; entry = entry->next) {
    if (entry->key == key && entry->modifiers == modifiers &&
        (entry->owner == 0 || entry->owner == owner)) {
      return entry->event;
    }
  }
  return nullptr;
}

}  // namespace tarn
