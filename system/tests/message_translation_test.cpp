// The arithmetic of input translation on message parameters: sided modifier key codes, the
// modifier mask, mouse points, buttons and wheel notches.
#include <gtest/gtest.h>

#include "system/key_codes.h"
#include "system/message_translation.h"

namespace tarn {
namespace {

// The second parameter of a key message with this scan code and extended-key flag.
intptr_t KeyParam(uint32_t scanCode, bool extended, bool repeat = false) {
  uint32_t l = 1 | (scanCode << 16) | (extended ? 1u << 24 : 0) | (repeat ? 1u << 30 : 0);
  return static_cast<intptr_t>(static_cast<int32_t>(l));
}

TEST(KeyCodes, LeftAndRightModifiersAreToldApartByScanCode) {
  struct Case {
    uintptr_t key;
    uint32_t scanCode;
    bool extended;
    int32_t code;
  } cases[] = {
      {16, 0x2A, false, KEY_LSHIFT},
      {16, 0x36, false, KEY_RSHIFT},
      {17, 0x1D, false, KEY_LCONTROL},
      {17, 0x1D, true, KEY_RCONTROL},
      {18, 0x38, false, KEY_LALT},
      {18, 0x38, true, KEY_RALT},
      {65, 0x1E, false, 65},
      {13, 0x1C, true, 13},   // A; Enter of the keypad
      {16, 0x00, false, 16},  // injected without a scan code
      {45, 0x52, true, 45},   // Insert, extended
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SidedKeyCode(c.key, KeyParam(c.scanCode, c.extended)), c.code)
        << "scan code " << c.scanCode << (c.extended ? " extended" : "");
  }
  EXPECT_EQ(KEY_RSHIFT, 161);
  EXPECT_EQ(KEY_RALT, 165);
}

TEST(KeyCodes, ScanCodeKeepsTheExtendedFlagInBit7AndIgnoresTheRest) {
  EXPECT_EQ(KeyScanCode(KeyParam(0x38, true)), 0xB8);
  EXPECT_EQ(KeyScanCode(KeyParam(0x38, false, true)), 0x38);  // repeat bit plays no part
  // Previous-state and transition bits together make a negative 32-bit parameter.
  EXPECT_EQ(KeyScanCode(static_cast<intptr_t>(static_cast<int32_t>(0xC0360001u))), 0x36);
}

TEST(KeyCodes, ModifierKeysAndMask) {
  for (uintptr_t key : {16, 17, 18, 91, 92}) EXPECT_TRUE(IsModifierKey(key)) << key;
  for (uintptr_t key : {0, 20, 65, 93, 160, 161, 164}) EXPECT_FALSE(IsModifierKey(key)) << key;
  EXPECT_EQ(ModifierMask(false, false, false, false), 0);
  EXPECT_EQ(ModifierMask(true, false, false, false), 1);
  EXPECT_EQ(ModifierMask(false, true, false, false), 2);
  EXPECT_EQ(ModifierMask(false, false, true, false), 4);
  EXPECT_EQ(ModifierMask(false, false, false, true), 8);
  EXPECT_EQ(ModifierMask(true, true, true, true), 15);
}

TEST(MouseParameters, PointsAreSigned16BitHalves) {
  struct Case {
    int32_t x, y;
  } cases[] = {{10, 20}, {0, 0}, {-5, -7}, {32767, -32768}, {-1, 199}};
  for (const Case& c : cases) {
    uint32_t packed = (static_cast<uint32_t>(c.x) & 0xFFFF) | (static_cast<uint32_t>(c.y) << 16);
    intptr_t l = static_cast<intptr_t>(static_cast<int32_t>(packed));
    EXPECT_EQ(MessagePointX(l), c.x);
    EXPECT_EQ(MessagePointY(l), c.y);
  }
}

TEST(MouseParameters, MoveReportsOneButtonRightBeforeMiddleBeforeLeft) {
  constexpr uintptr_t left = 0x1, right = 0x2, shift = 0x4, middle = 0x10;
  EXPECT_EQ(MouseMoveButtons(0), 0);
  EXPECT_EQ(MouseMoveButtons(shift), 0);
  EXPECT_EQ(MouseMoveButtons(left), 1);
  EXPECT_EQ(MouseMoveButtons(right), 2);
  EXPECT_EQ(MouseMoveButtons(middle), 4);
  EXPECT_EQ(MouseMoveButtons(left | right | middle), 2);
  EXPECT_EQ(MouseMoveButtons(left | middle), 4);
}

TEST(MouseParameters, WheelNotchesTruncateTowardZero) {
  struct Case {
    int32_t delta, steps;
  } cases[] = {{120, 1}, {-120, -1}, {240, 2}, {-360, -3}, {60, 0}, {-60, 0}, {-180, -1}};
  for (const Case& c : cases) {
    uintptr_t w = (static_cast<uint32_t>(c.delta) << 16) | 0x0004;  // shift held
    EXPECT_EQ(WheelSteps(w), c.steps) << c.delta;
  }
}

}  // namespace
}  // namespace tarn
