// Input translation with real windows and real input: messages sent to a window whose procedure
// translates them, keys and wheel notches injected as hardware input, the pointer moved across
// the window for enter and leave.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/boundary.h"
#include "system/key_codes.h"
#include "system/message_translation.h"
#include "system/system_driver.h"

namespace tarn {
namespace {

struct Seen {
  int32_t id, data, mods, x, y;
  const Object* source;
};

std::vector<Seen> seen;

Ref<Object> Record(int32_t, const Ref<Object>& data, const Ref<Object>&) {
  if (Ref<TEvent> event = Cast<TEvent>(data)) {
    seen.push_back({event->id, event->data, event->mods, event->x, event->y, event->source.Get()});
  }
  return data;
}

Ref<Object>& Panel() {  // the gadget the test window stands for
  static auto* panel = new Ref<Object>(New<Object>());
  return *panel;
}

LRESULT CALLBACK InputProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  GuardCallback([&] { TranslateSystemMessage(window, message, w, l, Panel()); });
  if (message == WM_CLOSE) return 0;  // the window stays; the event is what counts
  // Alt alone would open the system menu's modal loop.
  if (message == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU) return 0;
  return DefWindowProcA(window, message, w, l);
}

// Pumps until want() holds or about three seconds have passed.
template <class Want>
bool PumpUntil(Want want) {
  for (int i = 0; i < 300 && !want(); ++i) {
    PumpMessages();
    Sleep(10);
  }
  return want();
}

// Puts the pointer outside every test window and waits until no window is tracked.
void PointerOutside() {
  SetCursorPos(20, 20);
  PumpUntil([] { return TrackedMouseWindow() == nullptr; });
  PumpMessages();
}

std::vector<Seen> Only(std::initializer_list<int32_t> ids) {
  std::vector<Seen> kept;
  for (const Seen& s : seen) {
    for (int32_t id : ids) {
      if (s.id == id) kept.push_back(s);
    }
  }
  return kept;
}

bool HasSeen(int32_t id) {
  for (const Seen& s : seen) {
    if (s.id == id) return true;
  }
  return false;
}

class InputTranslation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitSystem();
    InsertHook(EventHookId, Record, nullptr, 0);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = InputProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "TarnwickInputWindow";
    RegisterClassA(&windowClass);
  }

  void SetUp() override {
    window = CreateWindowExA(0, "TarnwickInputWindow", "input", WS_OVERLAPPEDWINDOW, 200, 150, 320,
                             240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    PumpUntil([&] { return GetForegroundWindow() == window && GetFocus() == window; });
    PumpMessages();
    seen.clear();
  }

  void TearDown() override {
    DestroyWindow(window);
    PumpMessages();
    RethrowStashedException();
  }

  // A key message's second parameter.
  static LPARAM KeyParam(UINT scanCode, bool repeat = false, bool up = false) {
    return static_cast<LPARAM>(1 | (scanCode << 16) | (repeat || up ? 1u << 30 : 0) |
                               (up ? 1u << 31 : 0));
  }

  static void Key(WORD key, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
  }

  POINT ScreenPoint(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
  }

  HWND window = nullptr;
};

TEST_F(InputTranslation, MessagesBecomeOneEventEach) {
  struct Case {
    UINT message;
    WPARAM w;
    LPARAM l;
    int32_t id;  // 0: no event at all
    int32_t data, x, y;
  } cases[] = {
      {WM_CLOSE, 0, 0, EVENT_APPTERMINATE, 0, 0, 0},
      {WM_ACTIVATEAPP, 1, 0, EVENT_APPRESUME, 0, 0, 0},
      {WM_ACTIVATEAPP, 0, 0, EVENT_APPSUSPEND, 0, 0, 0},
      {WM_KEYDOWN, 'A', KeyParam(0x1E), EVENT_KEYDOWN, 65, 0, 0},
      {WM_KEYDOWN, 'A', KeyParam(0x1E, true), EVENT_KEYREPEAT, 65, 0, 0},
      {WM_KEYUP, 'A', KeyParam(0x1E, false, true), EVENT_KEYUP, 65, 0, 0},
      {WM_SYSKEYDOWN, VK_MENU, KeyParam(0x38), EVENT_KEYDOWN, KEY_LALT, 0, 0},
      {WM_SYSKEYUP, VK_CONTROL, KeyParam(0x1D | 0x100, false, true), EVENT_KEYUP, KEY_RCONTROL, 0,
       0},
      {WM_KEYDOWN, 0, KeyParam(0), 0, 0, 0, 0},
      {WM_KEYDOWN, 256, KeyParam(0x1E), 0, 0, 0, 0},
      {WM_KEYUP, 300, KeyParam(0x1E), 0, 0, 0, 0},
      {WM_CHAR, 'a', KeyParam(0x1E), EVENT_KEYCHAR, 97, 0, 0},
      {WM_SYSCHAR, 'x', KeyParam(0x2D), EVENT_KEYCHAR, 120, 0, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(250, 200), EVENT_MOUSEWHEEL, 1, 0, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(250, 200), EVENT_MOUSEWHEEL, -1, 0, 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), EVENT_MOUSEDOWN, 1, 10, 20},
      {WM_LBUTTONUP, 0, MAKELPARAM(11, 21), EVENT_MOUSEUP, 1, 11, 21},
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-4, 5), EVENT_MOUSEDOWN, 2, -4, 5},
      {WM_RBUTTONUP, 0, MAKELPARAM(-4, -6), EVENT_MOUSEUP, 2, -4, -6},
      {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(7, 8), EVENT_MOUSEDOWN, 3, 7, 8},
      {WM_MBUTTONUP, 0, MAKELPARAM(7, 8), EVENT_MOUSEUP, 3, 7, 8},
      {WM_SETTEXT, 0, reinterpret_cast<LPARAM>("title"), 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    seen.clear();
    SendMessageA(window, c.message, c.w, c.l);
    SCOPED_TRACE(testing::Message() << "message " << c.message << " w " << c.w);
    if (c.id == 0) {
      EXPECT_TRUE(seen.empty());
      continue;
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, c.id);
    EXPECT_EQ(seen[0].data, c.data);
    EXPECT_EQ(seen[0].x, c.x);
    EXPECT_EQ(seen[0].y, c.y);
    EXPECT_EQ(seen[0].mods, CurrentModifierMask());
    EXPECT_EQ(seen[0].source, Panel().Get());
    if (c.id == EVENT_MOUSEDOWN) {
      EXPECT_EQ(GetCapture(), window);
    }
    if (c.id == EVENT_MOUSEUP) {
      EXPECT_EQ(GetCapture(), nullptr);
    }
  }
}

TEST_F(InputTranslation, RightShiftAndRightAltAreToldFromTheLeftOnes) {
  Key(VK_RSHIFT, 0x36, 0);
  Key(VK_RSHIFT, 0x36, KEYEVENTF_KEYUP);
  Key(VK_RMENU, 0x38, KEYEVENTF_EXTENDEDKEY);
  Key(VK_RMENU, 0x38, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP);
  Key(VK_LSHIFT, 0x2A, 0);
  Key(VK_LSHIFT, 0x2A, KEYEVENTF_KEYUP);
  ASSERT_TRUE(PumpUntil([] { return Only({EVENT_KEYDOWN, EVENT_KEYUP}).size() >= 6; }));
  std::vector<Seen> keys = Only({EVENT_KEYDOWN, EVENT_KEYUP});
  struct Expected {
    int32_t id, data, mods;
  } expected[] = {
      {EVENT_KEYDOWN, KEY_RSHIFT, MODIFIER_SHIFT}, {EVENT_KEYUP, KEY_RSHIFT, 0},
      {EVENT_KEYDOWN, KEY_RALT, MODIFIER_ALT},     {EVENT_KEYUP, KEY_RALT, 0},
      {EVENT_KEYDOWN, KEY_LSHIFT, MODIFIER_SHIFT}, {EVENT_KEYUP, KEY_LSHIFT, 0},
  };
  ASSERT_EQ(keys.size(), 6u);
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].id, expected[i].id) << i;
    EXPECT_EQ(keys[i].data, expected[i].data) << i;
    EXPECT_EQ(keys[i].mods, expected[i].mods) << i;
  }
}

TEST_F(InputTranslation, AHeldKeyGivesOneKeyDownThenRepeats) {
  for (int i = 0; i < 3; ++i) Key('A', 0x1E, 0);
  Key('A', 0x1E, KEYEVENTF_KEYUP);
  ASSERT_TRUE(PumpUntil([] { return HasSeen(EVENT_KEYUP); }));
  std::vector<Seen> keys = Only({EVENT_KEYDOWN, EVENT_KEYREPEAT, EVENT_KEYUP});
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].id, EVENT_KEYDOWN);
  EXPECT_EQ(keys[1].id, EVENT_KEYREPEAT);
  EXPECT_EQ(keys[2].id, EVENT_KEYREPEAT);
  EXPECT_EQ(keys[3].id, EVENT_KEYUP);
  for (const Seen& key : keys) EXPECT_EQ(key.data, 65);
  // The dispatch translated the key into its character as well.
  std::vector<Seen> chars = Only({EVENT_KEYCHAR});
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[0].data, 'a');
}

TEST_F(InputTranslation, WheelNotchesForwardAndBack) {
  POINT inside = ScreenPoint(100, 80);
  SetCursorPos(inside.x, inside.y);
  for (DWORD delta : {static_cast<DWORD>(WHEEL_DELTA), static_cast<DWORD>(-WHEEL_DELTA)}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = delta;
    SendInput(1, &input, sizeof input);
  }
  ASSERT_TRUE(PumpUntil([] { return Only({EVENT_MOUSEWHEEL}).size() >= 2; }));
  std::vector<Seen> wheel = Only({EVENT_MOUSEWHEEL});
  ASSERT_EQ(wheel.size(), 2u);
  EXPECT_EQ(wheel[0].data, 1);
  EXPECT_EQ(wheel[1].data, -1);
  EXPECT_EQ(wheel[0].x, 0);
  EXPECT_EQ(wheel[0].y, 0);
}

TEST_F(InputTranslation, EnterComesBeforeTheFirstMoveAndLeaveHasClientCoordinates) {
  PointerOutside();
  seen.clear();

  POINT inside = ScreenPoint(50, 40);
  SetCursorPos(inside.x, inside.y);
  ASSERT_TRUE(PumpUntil([] { return HasSeen(EVENT_MOUSEMOVE); }));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0].id, EVENT_MOUSEENTER);
  EXPECT_EQ(seen[0].x, 50);
  EXPECT_EQ(seen[0].y, 40);
  EXPECT_EQ(seen[0].source, Panel().Get());
  EXPECT_EQ(seen[1].id, EVENT_MOUSEMOVE);
  EXPECT_EQ(seen[1].x, 50);
  EXPECT_EQ(seen[1].y, 40);

  seen.clear();
  SetCursorPos(30, 25);
  ASSERT_TRUE(PumpUntil([] { return HasSeen(EVENT_MOUSELEAVE); }));
  std::vector<Seen> leave = Only({EVENT_MOUSELEAVE, EVENT_MOUSEENTER});
  ASSERT_EQ(leave.size(), 1u);
  POINT client{30, 25};
  ScreenToClient(window, &client);
  EXPECT_EQ(leave[0].x, client.x);
  EXPECT_EQ(leave[0].y, client.y);
  EXPECT_LT(leave[0].x, 0);
  EXPECT_EQ(leave[0].source, Panel().Get());
}

// The display count as ShowCursor keeps it: 0 shown, -1 hidden.
int DisplayCount() {
  int count = ShowCursor(FALSE);
  ShowCursor(TRUE);
  return count + 1;
}

TEST_F(InputTranslation, HiddenPointerIsHiddenOnlyOverTheTrackedWindow) {
  PointerOutside();
  HideMousePointer();
  HideMousePointer();
  EXPECT_EQ(DisplayCount(), 0);  // no window tracked: still shown

  POINT inside = ScreenPoint(60, 60);
  SetCursorPos(inside.x, inside.y);
  ASSERT_TRUE(PumpUntil([] { return HasSeen(EVENT_MOUSEENTER); }));
  EXPECT_EQ(DisplayCount(), -1);
  HideMousePointer();
  EXPECT_EQ(DisplayCount(), -1);  // the count does not drift
  ShowMousePointer();
  EXPECT_EQ(DisplayCount(), 0);
  HideMousePointer();
  EXPECT_EQ(DisplayCount(), -1);

  SetCursorPos(20, 20);
  ASSERT_TRUE(PumpUntil([] { return HasSeen(EVENT_MOUSELEAVE); }));
  EXPECT_EQ(DisplayCount(), 0);
  ShowMousePointer();
  EXPECT_EQ(DisplayCount(), 0);
  EXPECT_TRUE(MouseVisibleFlag());
}

TEST_F(InputTranslation, PointerPlacedInTheActiveWindowsClientCoordinates) {
  ASSERT_EQ(GetActiveWindow(), window);
  PlaceMousePointer(33, 44);
  POINT at{};
  GetCursorPos(&at);
  POINT expected = ScreenPoint(33, 44);
  EXPECT_EQ(at.x, expected.x);
  EXPECT_EQ(at.y, expected.y);
}

}  // namespace
}  // namespace tarn
