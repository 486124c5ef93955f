#include "system/message_translation.h"

namespace tarn {

int32_t MessagePointX(intptr_t l) {
  return static_cast<int16_t>(static_cast<uint32_t>(l) & 0xFFFF);
}

int32_t MessagePointY(intptr_t l) {
  return static_cast<int16_t>((static_cast<uint32_t>(l) >> 16) & 0xFFFF);
}

int32_t MouseMoveButtons(uintptr_t w) {
  constexpr uintptr_t kLeft = 0x0001, kRight = 0x0002, kMiddle = 0x0010;
  if (w & kRight) return 2;
  if (w & kMiddle) return 4;
  if (w & kLeft) return 1;
  return 0;
}

int32_t WheelSteps(uintptr_t w) {
  int32_t delta = static_cast<int16_t>((static_cast<uint32_t>(w) >> 16) & 0xFFFF);
  return delta / 120;  // C++ division truncates toward zero
}

}  // namespace tarn
