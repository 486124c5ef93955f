// The countdown's peer in its benchmark: the same visible work written straight against
// Win32, with nothing in between. One window whose client area is 200 x 75, one centred
// "STATIC" label in a 26-point bold face, a 333 ms SetTimer that writes the remaining time
// of the minutes given as min=N (default 5) into the label, Escape or the close button to
// end with exit code 0. Title "BareCountdown".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND label;
DWORD endTime;

void ShowRemaining() {
  LONG remaining = static_cast<LONG>(endTime - GetTickCount());
  if (remaining < 0) remaining = 0;
  LONG seconds = remaining / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02ld:%02ld", seconds / 60, seconds % 60);
  SetWindowTextA(label, text);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: ShowRemaining(); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  long minutes = 5;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "min=", 4) == 0) minutes = std::strtol(argv[i] + 4, nullptr, 10);
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "BareCountdownClass";
  RegisterClassA(&windowClass);
  RECT frame = {0, 0, 200, 75};
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window =
      CreateWindowA("BareCountdownClass", "BareCountdown", style, 0, 0, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  label = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 18, 200, 57, window,
                        nullptr, instance, nullptr);
  HFONT font = CreateFontA(-26 * 96 / 72, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                           0, 0, 0, "Verdana");
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  endTime = GetTickCount() + minutes * 60000 + 999;
  ShowRemaining();
  SetTimer(window, 1, 333, nullptr);
  SetFocus(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
