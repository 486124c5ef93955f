// Key codes as the system driver reports them: the Windows virtual-key code of a key message,
// with the left and right shift, control and alt keys told apart by their scan codes, and the
// modifier mask carried in every key and mouse event.
//
// Pure functions over the numbers of a key message, so that they are tested without a window.
#pragma once

#include <cstdint>

namespace tarn {

constexpr int32_t MODIFIER_SHIFT = 1;
constexpr int32_t MODIFIER_CONTROL = 2;
constexpr int32_t MODIFIER_ALT = 4;
constexpr int32_t MODIFIER_WINDOWS = 8;

// Virtual-key codes of the sided modifier keys.
constexpr int32_t KEY_LSHIFT = 160;
constexpr int32_t KEY_RSHIFT = 161;
constexpr int32_t KEY_LCONTROL = 162;
constexpr int32_t KEY_RCONTROL = 163;
constexpr int32_t KEY_LALT = 164;
constexpr int32_t KEY_RALT = 165;

// The scan code of a key message's second parameter, with the extended-key flag in bit 7
// (right control is 0x9D, right alt 0xB8).
int32_t KeyScanCode(intptr_t l);

// The key code an event reports for a key message: the sided code for the scan codes of the
// two shift, control and alt keys, otherwise the virtual-key code w itself.
int32_t SidedKeyCode(uintptr_t w, intptr_t l);

// True for the virtual keys whose messages make the pump recompute the modifier mask:
// shift, control, alt and the two Windows keys.
bool IsModifierKey(uintptr_t w);

// The modifier mask from which keys are down.
int32_t ModifierMask(bool shift, bool control, bool alt, bool windows);

}  // namespace tarn
