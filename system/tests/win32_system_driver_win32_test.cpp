// The Windows driver's pump with real windows and messages: dialog-key routing of tab-stop
// controls, exceptions raised inside window procedures and message hooks, sleeping until a
// message arrives, and the busy flag.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "runtime/boundary.h"
#include "system/system_driver.h"
#include "system/win32_system_driver.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

constexpr UINT kNote = WM_USER + 1;   // the procedure notes w
constexpr UINT kRaise = WM_USER + 2;  // the procedure raises
constexpr UINT kNest = WM_USER + 3;   // the procedure pumps from inside the pump

struct Command {
  WORD id, code;
  HWND control;
};
std::vector<Command> commands;  // WM_COMMAND messages the test window received
std::vector<WPARAM> notes;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      commands.push_back({LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l)});
      return 0;
    case kNote: notes.push_back(w); return 0;
    case kRaise: GuardCallback([] { Raise(String("raised in a window procedure")); }); return 0;
    case kNest:
      notes.push_back(w);
      GuardCallback([] {
        PumpMessages();
        AwaitMessages();
      });
      notes.push_back(w + 100);
      return 0;
    default: return DefWindowProcA(window, message, w, l);
  }
}

class Win32Pump : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitSystem();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarnwickPumpHost";
    RegisterClassA(&windowClass);
  }

  void SetUp() override {
    host = CreateWindowExA(0, "TarnwickPumpHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80,
                           400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    SetForegroundWindow(host);
    PumpMessages();
    commands.clear();
    notes.clear();
  }

  void TearDown() override {
    DestroyWindow(host);
    PumpMessages();
  }

  HWND Child(const char* windowClass, const char* text, DWORD style, int id, HWND parent) {
    return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 10,
                           10 + 40 * id % 200, 150, 30, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  }

  static void PostKey(HWND window, WPARAM key, UINT scanCode) {
    PostMessageA(window, WM_KEYDOWN, key, 1 | (scanCode << 16));
    PostMessageA(window, WM_KEYUP, key, 1 | (scanCode << 16) | 0xC0000000u);
  }

  bool CancelPressedBy(HWND button) const {
    for (const Command& c : commands) {
      if (c.id == IDCANCEL && c.control == button) return true;
    }
    return false;
  }

  HWND host = nullptr;
};

TEST_F(Win32Pump, TheInitialisedModuleRunsTheWindowsDriver) {
  EXPECT_TRUE(Is<TWin32SystemDriver>(systemDriver));
  EXPECT_TRUE(TimerResolutionRequested());
  New<TWin32SystemDriver>();  // a second one asks for nothing more
  EXPECT_TRUE(TimerResolutionRequested());
}

TEST_F(Win32Pump, EscapeInATextFieldPressesTheCancelButton) {
  // Flat, and with the text field one tab-stop panel further down.
  for (bool nested : {false, true}) {
    SCOPED_TRACE(nested ? "nested" : "flat");
    commands.clear();
    HWND panel = nested ? Child("STATIC", "", WS_TABSTOP, 7, host) : host;
    HWND edit = Child("EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 100, panel);
    HWND cancel = Child("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, host);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    PostKey(edit, VK_ESCAPE, 0x01);
    PumpMessages();
    EXPECT_TRUE(CancelPressedBy(cancel));
    DestroyWindow(cancel);
    DestroyWindow(edit);
    if (nested) DestroyWindow(panel);
  }
}

TEST_F(Win32Pump, DialogKeysOnlyForTabStopChildren) {
  HWND plain = Child("EDIT", "", WS_BORDER, 100, host);  // no tab stop: dispatched as it is
  HWND cancel = Child("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, host);
  SetFocus(plain);
  PostKey(plain, VK_ESCAPE, 0x01);
  PumpMessages();
  EXPECT_FALSE(CancelPressedBy(cancel));
}

TEST_F(Win32Pump, TabMovesTheFocusAndTypingStillTypes) {
  HWND edit = Child("EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 100, host);
  HWND ok = Child("BUTTON", "OK", WS_TABSTOP | BS_PUSHBUTTON, IDOK, host);
  SetFocus(edit);
  for (char c : {'h', 'i'}) PostMessageA(edit, WM_CHAR, c, 1);
  PumpMessages();
  char text[16] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "hi");
  PostKey(edit, VK_TAB, 0x0F);
  PumpMessages();
  EXPECT_EQ(GetFocus(), ok);
}

TEST_F(Win32Pump, ARaiseInAWindowProcedureEndsThePumpAndLaterMessagesWait) {
  PostMessageA(host, kNote, 1, 0);
  PostMessageA(host, kRaise, 0, 0);
  PostMessageA(host, kNote, 2, 0);
  EXPECT_RAISES_TEXT(PumpMessages(), "raised in a window procedure");
  EXPECT_EQ(notes, std::vector<WPARAM>{1});
  PumpMessages();  // not left busy; the message after the raise is still there
  EXPECT_EQ(notes, (std::vector<WPARAM>{1, 2}));
}

UINT hookMessage = 0;
int hookCalls = 0;

LRESULT CALLBACK RaisingGetMessageHook(int code, WPARAM w, LPARAM l) {
  MSG* message = reinterpret_cast<MSG*>(l);
  if (code == HC_ACTION && w == PM_REMOVE && message->message == hookMessage) {
    ++hookCalls;
    if (message->wParam == 1) GuardCallback([] { Raise(String("raised in a message hook")); });
  }
  return CallNextHookEx(nullptr, code, w, l);
}

// The timer's way: a thread message, seen by a message hook while the pump takes it.
TEST_F(Win32Pump, ARaiseInAMessageHookReachesThePumpsCaller) {
  hookMessage = RegisterWindowMessageA("tarnwick_test_hook_message");
  HHOOK hook =
      SetWindowsHookExA(WH_GETMESSAGE, RaisingGetMessageHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  hookCalls = 0;
  PostThreadMessageA(GetCurrentThreadId(), hookMessage, 0, 0);
  PumpMessages();
  EXPECT_EQ(hookCalls, 1);
  PostThreadMessageA(GetCurrentThreadId(), hookMessage, 1, 0);
  EXPECT_RAISES_TEXT(PumpMessages(), "raised in a message hook");
  EXPECT_FALSE(HasStashedException());
  UnhookWindowsHookEx(hook);
}

TEST_F(Win32Pump, PumpingFromAWindowProcedureReturnsAtOnce) {
  PostMessageA(host, kNest, 1, 0);
  PostMessageA(host, kNote, 2, 0);
  PumpMessages();
  RethrowStashedException();
  // The nested calls did nothing: message 2 came after the first handler had finished.
  EXPECT_EQ(notes, (std::vector<WPARAM>{1, 101, 2}));
}

TEST_F(Win32Pump, AwaitSleepsUntilAMessageArrives) {
  PumpMessages();
  DWORD mainThread = GetCurrentThreadId();
  std::atomic<bool> stop{false}, woken{false};
  std::thread poster([&] {
    Sleep(100);
    PostMessageA(host, kNote, 5, 0);
  });
  std::thread watchdog([&] {  // wakes a pump that would otherwise sleep for good
    for (int i = 0; i < 1000 && !stop; ++i) Sleep(10);
    if (!stop) {
      woken = true;
      PostThreadMessageA(mainThread, WM_NULL, 0, 0);
    }
  });
  // Windows may wake the wait for a message of its own (a paint, a caret blink) first.
  while (notes.empty() && !woken) AwaitMessages();
  stop = true;
  poster.join();
  watchdog.join();
  EXPECT_FALSE(woken);
  EXPECT_EQ(notes, std::vector<WPARAM>{5});
}

// The messages behind the one whose procedure raised were already looked at by the pump; the
// next wait must still see them instead of sleeping until something new arrives.
TEST_F(Win32Pump, AwaitAfterARaisePumpsTheMessagesLeftBehind) {
  PostMessageA(host, kRaise, 0, 0);
  PostMessageA(host, kNote, 8, 0);
  EXPECT_RAISES_TEXT(PumpMessages(), "raised in a window procedure");
  DWORD mainThread = GetCurrentThreadId();
  std::atomic<bool> stop{false}, woken{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 300 && !stop; ++i) Sleep(10);
    if (!stop) {
      woken = true;
      PostThreadMessageA(mainThread, WM_NULL, 0, 0);
    }
  });
  AwaitMessages();
  stop = true;
  watchdog.join();
  EXPECT_FALSE(woken);
  EXPECT_EQ(notes, std::vector<WPARAM>{8});
}

TEST_F(Win32Pump, AwaitWithAMessageWaitingPumpsItAtOnce) {
  PostMessageA(host, kNote, 7, 0);
  AwaitMessages();
  EXPECT_EQ(notes, std::vector<WPARAM>{7});
}

}  // namespace
}  // namespace tarn
