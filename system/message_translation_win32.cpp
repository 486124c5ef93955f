// The native half of the input translation: modifier mask, mouse tracking, pointer visibility.
#include <windows.h>
#include <commctrl.h>

#include "events/event.h"
#include "system/key_codes.h"
#include "system/message_translation.h"

namespace tarn {

namespace {

int32_t modifierMask = 0;      // recomputed by the pump when a modifier key message passes
bool mouseVisible = true;      // false after HideMousePointer
HWND trackedWindow = nullptr;  // the window the pointer was last seen inside

// The gadget of the tracked window. Never destroyed, so that nothing is released while the
// process exits.
Ref<Object>& TrackedSource() {
  static auto* source = new Ref<Object>();
  return *source;
}

// Shows the pointer unless it is over a tracked window while hidden; a display count other
// than 0 or -1 means the call was one too many, so it is undone.
void UpdatePointerVisibility() {
  bool show = mouseVisible || !trackedWindow;
  int count = ShowCursor(show);
  if (count != 0 && count != -1) ShowCursor(!show);
}

void Emit(int32_t id, const Ref<Object>& source, int32_t data, int32_t x, int32_t y) {
  SendEvent(MakeEvent(id, source, data, modifierMask, x, y, nullptr));
}

bool IsPlainKey(uintptr_t w) { return w != 0 && w <= 255; }

void TranslateMouseMove(HWND window, uintptr_t w, intptr_t l, const Ref<Object>& source) {
  int32_t x = MessagePointX(l), y = MessagePointY(l);
  RECT client{};
  GetClientRect(window, &client);
  bool inside = x >= 0 && x < client.right && y >= 0 && y < client.bottom;
  TrackMouseWindow(inside ? window : nullptr, x, y, source);
  Emit(EVENT_MOUSEMOVE, source, MouseMoveButtons(w), x, y);
}

void TranslateButton(HWND window, bool down, int32_t button, intptr_t l,
                     const Ref<Object>& source) {
  if (down) {
    SetCapture(window);
  } else {
    ReleaseCapture();
  }
  Emit(down ? EVENT_MOUSEDOWN : EVENT_MOUSEUP, source, button, MessagePointX(l), MessagePointY(l));
}

}  // namespace

int32_t CurrentModifierMask() { return modifierMask; }

void* TrackedMouseWindow() { return trackedWindow; }

void RecomputeModifierMask() {
  auto down = [](int key) { return GetKeyState(key) < 0; };
  modifierMask =
      ModifierMask(down(VK_SHIFT), down(VK_CONTROL), down(VK_MENU), down(VK_LWIN) || down(VK_RWIN));
}

void SetMouseVisibleFlag(bool visible) {
  mouseVisible = visible;
  UpdatePointerVisibility();
}

bool MouseVisibleFlag() { return mouseVisible; }

// The state changes before anything is emitted, so that a hook that raises, or that moves the
// pointer again, finds the tracking consistent.
void TrackMouseWindow(void* nativeWindow, int32_t x, int32_t y, const Ref<Object>& source) {
  HWND window = static_cast<HWND>(nativeWindow);
  if (window == trackedWindow) return;
  HWND left = trackedWindow;
  Ref<Object> leftSource = std::move(TrackedSource());
  POINT at{};
  if (left) {
    GetCursorPos(&at);
    ScreenToClient(left, &at);
  }
  trackedWindow = window;
  TrackedSource() = window ? source : Ref<Object>();
  UpdatePointerVisibility();
  if (window) {
    TRACKMOUSEEVENT notice{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
    _TrackMouseEvent(&notice);
  }
  if (left) SendEvent(MakeEvent(EVENT_MOUSELEAVE, leftSource, 0, 0, at.x, at.y, nullptr));
  if (window) SendEvent(MakeEvent(EVENT_MOUSEENTER, source, 0, 0, x, y, nullptr));
}

void TranslateSystemMessage(void* nativeWindow, uint32_t message, uintptr_t w, intptr_t l,
                            const Ref<Object>& source) {
  HWND window = static_cast<HWND>(nativeWindow);
  switch (message) {
    case WM_CLOSE: Emit(EVENT_APPTERMINATE, source, 0, 0, 0); break;
    case WM_ACTIVATEAPP: Emit(w ? EVENT_APPRESUME : EVENT_APPSUSPEND, source, 0, 0, 0); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!IsPlainKey(w)) break;
      Emit((l & (1 << 30)) ? EVENT_KEYREPEAT : EVENT_KEYDOWN, source, SidedKeyCode(w, l), 0, 0);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (IsPlainKey(w)) Emit(EVENT_KEYUP, source, SidedKeyCode(w, l), 0, 0);
      break;
    case WM_CHAR:
    case WM_SYSCHAR: Emit(EVENT_KEYCHAR, source, static_cast<int32_t>(w), 0, 0); break;
    case WM_MOUSEMOVE: TranslateMouseMove(window, w, l, source); break;
    case WM_LBUTTONDOWN: TranslateButton(window, true, 1, l, source); break;
    case WM_RBUTTONDOWN: TranslateButton(window, true, 2, l, source); break;
    case WM_MBUTTONDOWN: TranslateButton(window, true, 3, l, source); break;
    case WM_LBUTTONUP: TranslateButton(window, false, 1, l, source); break;
    case WM_RBUTTONUP: TranslateButton(window, false, 2, l, source); break;
    case WM_MBUTTONUP: TranslateButton(window, false, 3, l, source); break;
    case WM_MOUSEWHEEL: Emit(EVENT_MOUSEWHEEL, source, WheelSteps(w), 0, 0); break;
    case WM_MOUSELEAVE:
      if (window == trackedWindow) {
        TrackMouseWindow(nullptr, MessagePointX(l), MessagePointY(l), nullptr);
      }
      break;
    default: break;
  }
}

}  // namespace tarn
