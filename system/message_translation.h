// Input translation: turns the raw window messages of input-sensitive gadgets into key and mouse
// events, and tracks which window the mouse pointer is over for enter and leave events.
//
// The GUI's window procedures and message hook call TranslateSystemMessage for gadgets that ask
// for key or mouse events; it emits at most one event of its own per message (plus the enter and
// leave events of the tracking). The native half keeps the modifier mask, the tracked window and
// source, and the pointer's visibility. Main thread only. The helpers below are the pure
// arithmetic on message parameters.
#pragma once

#include <cstdint>

#include "runtime/runtime.h"

namespace tarn {

// Windows only. window is the native window handle; source is the gadget the events come from.
void TranslateSystemMessage(void* window, uint32_t message, uintptr_t w, intptr_t l,
                            const Ref<Object>& source);

// Windows only. Makes window (or none) the tracked window: a leave event for the window
// tracked before, an enter event at x, y for the new one, a leave notice asked from Windows.
void TrackMouseWindow(void* window, int32_t x, int32_t y, const Ref<Object>& source);

// Windows only. The window the pointer was last seen inside, or null.
void* TrackedMouseWindow();

// Windows only. The modifier mask as the pump last recomputed it (1 shift, 2 control, 4 alt,
// 8 Windows key), and the recomputation from the keyboard state of the current message.
int32_t CurrentModifierMask();
void RecomputeModifierMask();

// Windows only. The mouse-visible flag; setting it brings the pointer's visibility up to date.
void SetMouseVisibleFlag(bool visible);
bool MouseVisibleFlag();

// The point of a mouse message's second parameter: x the low 16 bits, y the high 16 bits,
// both signed.
int32_t MessagePointX(intptr_t l);
int32_t MessagePointY(intptr_t l);

// The data of a mouse-move event from the message's button flags: 2 while the right button is
// held, else 4 for the middle one, else 1 for the left one, else 0.
int32_t MouseMoveButtons(uintptr_t w);

// Wheel notches of a wheel message: the signed high 16 bits of w over 120, toward zero.
int32_t WheelSteps(uintptr_t w);

}  // namespace tarn
