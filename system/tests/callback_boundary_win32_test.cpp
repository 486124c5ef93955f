// A C++ exception raised inside a window procedure must not end the process: the procedure
// stashes it at its edge and our own frames rethrow it once Windows has returned.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/boundary.h"
#include "runtime/exceptions.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

constexpr UINT kRaiseMessage = WM_USER + 1;

LRESULT CALLBACK RaisingProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == kRaiseMessage) {
    GuardCallback([] { Raise(String("raised in a window procedure")); });
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

HWND OpenRaisingWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RaisingProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TarnwickRaisingWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "TarnwickRaisingWindow", "raising", WS_OVERLAPPEDWINDOW, 50, 60,
                                300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  return window;
}

void PumpUntilEmpty() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
    RethrowStashedException();
  }
}

TEST(CallbackBoundary, RaiseInAPostedMessageReachesThePump) {
  HWND window = OpenRaisingWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 300);

  PostMessageA(window, kRaiseMessage, 0, 0);
  EXPECT_RAISES_TEXT(PumpUntilEmpty(), "raised in a window procedure");
  EXPECT_FALSE(HasStashedException());

  SendMessageA(window, kRaiseMessage, 0, 0);
  EXPECT_RAISES_TEXT(RethrowStashedException(), "raised in a window procedure");
  DestroyWindow(window);
}

}  // namespace
}  // namespace tarn
