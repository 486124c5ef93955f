#include "system/key_codes.h"

namespace tarn {

int32_t KeyScanCode(intptr_t l) {
  uint32_t bits = static_cast<uint32_t>(l);
  return static_cast<int32_t>(((bits >> 16) & 0x7F) | ((bits >> 17) & 0x80));
}

int32_t SidedKeyCode(uintptr_t w, intptr_t l) {
  switch (KeyScanCode(l)) {
    case 0x2A: return KEY_LSHIFT;
    case 0x36: return KEY_RSHIFT;
    case 0x1D: return KEY_LCONTROL;
    case 0x9D: return KEY_RCONTROL;
    case 0x38: return KEY_LALT;
    case 0xB8: return KEY_RALT;
    default: return static_cast<int32_t>(w);
  }
}

bool IsModifierKey(uintptr_t w) { return w == 16 || w == 17 || w == 18 || w == 91 || w == 92; }

int32_t ModifierMask(bool shift, bool control, bool alt, bool windows) {
  return (shift ? MODIFIER_SHIFT : 0) | (control ? MODIFIER_CONTROL : 0) |
         (alt ? MODIFIER_ALT : 0) | (windows ? MODIFIER_WINDOWS : 0);
}

}  // namespace tarn
