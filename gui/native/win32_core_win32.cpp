// Window-handle holders, the routing window procedure, the registered class and its hooks.
#include "gui/native/win32_core.h"

#include <map>

#include "events/event.h"
#include "gui/model/hot_keys.h"
#include "gui/native/win32_font.h"
#include "runtime/boundary.h"
#include "system/startup.h"

namespace tarn {

GkNativeSink nativeSink;

namespace {

// Never destroyed: windows may still be let go of while the process exits.
std::map<HWND, Win32Hwnd*>& Registry() {
  static auto* registry = new std::map<HWND, Win32Hwnd*>();
  return *registry;
}

HCURSOR pointerCursor = nullptr;  // set by SetPointerShape
HHOOK messageHook = nullptr;
HHOOK keyboardHook = nullptr;

LRESULT PassOn(WNDPROC proc, HWND window, UINT message, WPARAM w, LPARAM l) {
  return proc ? CallWindowProcA(proc, window, message, w, l)
              : DefWindowProcA(window, message, w, l);
}

// Keeps a gadget alive while one of its messages is handled, so a handler may free it. A
// gadget already being deleted (no references left) is not taken up again.
class KeepAlive {
 public:
  explicit KeepAlive(GkGadget* gadget)
      : gadget_(gadget && gadget->RefCount() > 0 ? gadget : nullptr) {}

 private:
  GkRef<GkGadget> gadget_;
};

LRESULT Deliver(Win32Hwnd* target, HWND window, UINT message, WPARAM w, LPARAM l,
                WNDPROC prevProc) {
  KeepAlive keep(target->owner);
  if (!target->handler) return PassOn(prevProc, window, message, w, l);
  return target->handler->HandleMessage(window, message, w, l, prevProc);
}

LRESULT Route(Win32Hwnd* holder, HWND window, UINT message, WPARAM w, LPARAM l) {
  KeepAlive keep(holder->owner);
  WNDPROC prevProc = holder->prevProc;
  Win32Hwnd* target = holder;
  switch (message) {
    case WM_ACTIVATEAPP:
      EmitGadgetEvent(nullptr, w ? EVENT_APPRESUME : EVENT_APPSUSPEND, 0, 0, 0, 0, nullptr);
      break;
    case WM_SETCURSOR:
      if (pointerCursor && LOWORD(l) == HTCLIENT) {
        SetCursor(pointerCursor);
        return 1;
      }
      break;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(l);
      target = header ? FindHolder(header->hwndFrom) : nullptr;
      if (!target) return PassOn(prevProc, window, message, w, l);
      break;
    }
    case WM_COMMAND:
      if (!l) {  // menus and accelerators
        if (LOWORD(w) > 100) {
          EmitGadgetEvent(nullptr, EVENT_MENUACTION, LOWORD(w) - 100, 0, 0, 0, nullptr);
        }
        return 0;
      }
      [[fallthrough]];
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (l) {
        target = FindHolder(reinterpret_cast<HWND>(l));
        if (!target) return PassOn(prevProc, window, message, w, l);
      }
      break;
    case WM_NCDESTROY: {
      // Windows destroys child windows with their parent: forget this one before it goes.
      LRESULT result = PassOn(prevProc, window, message, w, l);
      holder->Forget();
      return result;
    }
    default:
      if ((holder->sensitivity & (kSensitiveMouse | kSensitiveKeys)) && nativeSink.forwardInput) {
        nativeSink.forwardInput(window, message, w, l, holder->owner);
        if (holder->window != window) return PassOn(prevProc, window, message, w, l);
      }
      break;
  }
  return Deliver(target, window, message, w, l, prevProc);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION && w == PM_REMOVE) {
    GuardCallback([&] {
      MSG* message = reinterpret_cast<MSG*>(l);
      if (message->message != WM_MOUSEWHEEL) return;
      POINT point = message->pt;
      HWND under = WindowFromPoint(point);
      Win32Hwnd* holder = FindHolder(under);
      if (!holder || !(holder->sensitivity & kSensitiveKeys) || !nativeSink.forwardInput) return;
      ScreenToClient(under, &point);
      KeepAlive keep(holder->owner);
      nativeSink.forwardInput(under, WM_MOUSEWHEEL, message->wParam, MAKELPARAM(point.x, point.y),
                              holder->owner);
      message->message = WM_NULL;
    });
  }
  return CallNextHookEx(messageHook, code, w, l);
}

bool IsEditWindow(HWND window) {
  char name[8] = {};
  if (!window || GetClassNameA(window, name, sizeof name) < 4) return false;
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 4, "edit", 4) == CSTR_EQUAL;
}

// Hot keys of the foreground window, and Enter in an edit control moving the focus to the
// control's parent.
LRESULT CALLBACK KeyboardHook(int code, WPARAM w, LPARAM l) {
  bool swallow = false;
  if (code == HC_ACTION) {
    GuardCallback([&] {
      int32_t key = static_cast<int32_t>(w);
      Ref<TEvent> event = FindHotKeyEvent(key, CurrentModifiers(),
                                          reinterpret_cast<intptr_t>(GetForegroundWindow()));
      bool keyDown = (l & 0x80000000) == 0;
      // On key down only: the key up of an Enter that closed a window arrives at whatever
      // holds the focus next, and moving that focus would leave Escape with no cancel button.
      HWND focus = GetFocus();
      if (keyDown && key == VK_RETURN && IsEditWindow(focus)) SetFocus(GetParent(focus));
      if (!event) return;
      swallow = true;
      if (keyDown) SendEvent(event);
    });
  }
  return swallow ? 1 : CallNextHookEx(keyboardHook, code, w, l);
}

void RemoveHooks() {
  if (messageHook) UnhookWindowsHookEx(messageHook);
  if (keyboardHook) UnhookWindowsHookEx(keyboardHook);
  messageHook = keyboardHook = nullptr;
}

const char* KeyName(int32_t key) {
  switch (key) {
    case 8: return "Backspace";
    case 9: return "Tab";
    case 13: return "Enter";
    case 27: return "Esc";
    case 32: return "Space";
    case 33: return "PageUp";
    case 34: return "PageDown";
    case 35: return "End";
    case 36: return "Home";
    case 37: return "Left";
    case 38: return "Up";
    case 39: return "Right";
    case 40: return "Down";
    case 45: return "Insert";
    case 46: return "Delete";
    case 106: return "Num *";
    case 107: return "Num +";
    case 109: return "Num -";
    case 110: return "Num .";
    case 111: return "Num /";
    case 186: return ";";
    case 187: return "=";
    case 188: return ",";
    case 189: return "-";
    case 190: return ".";
    case 191: return "/";
    case 192: return "~";
    case 219: return "[";
    case 221: return "]";
    case 222: return "'";
    case 226: return "\\";
    default: return "";
  }
}

String KeyText(int32_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    return String(std::u16string(1, static_cast<char16_t>(key)));
  }
  if (key >= 112 && key <= 123) return "F" + IntToString(key - 111);
  if (key >= 96 && key <= 105) return "Num " + IntToString(key - 96);
  return KeyName(key);
}

}  // namespace

Win32Hwnd::~Win32Hwnd() {
  if (window) Destroy();
}

void Win32Hwnd::Attach(HWND newWindow, GkGadget* newOwner) {
  if (window) {
    Registry().erase(window);
    if (prevProc && prevProc != DefWindowProcA) {
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prevProc));
    }
  }
  window = newWindow;
  prevProc = nullptr;
  if (window) {
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (current == GadgetWindowProc) {
      prevProc = DefWindowProcA;
    } else {
      prevProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetWindowProc)));
    }
    Registry()[window] = this;
  }
  owner = newOwner;
}

void Win32Hwnd::Destroy() {
  HWND held = window;
  Attach(nullptr, owner);
  if (held) DestroyWindow(held);
}

void Win32Hwnd::Forget() {
  if (!window) return;
  Registry().erase(window);
  window = nullptr;
  prevProc = nullptr;
}

intptr_t Win32Hwnd::Query(int32_t code) const {
  return code == 1 || code == 2 ? reinterpret_cast<intptr_t>(window) : 0;
}

void Win32Hwnd::SetFont(GkFont* font) {
  if (auto* native = dynamic_cast<Win32Font*>(font); native && window) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(native->handle), TRUE);
  }
}

void Win32Hwnd::SetText(const String& text) {
  if (window) SetWindowTextA(window, WindowTextBytes(text).c_str());
}

void Win32Hwnd::SetShape(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (window) MoveWindow(window, x, y, width, height, TRUE);
}

void Win32Hwnd::SetShow(int32_t flag) {
  if (window) ShowWindow(window, flag ? SW_SHOWNORMAL : SW_HIDE);
}

void Win32Hwnd::SetEnabled(int32_t flag) {
  if (window) EnableWindow(window, flag ? TRUE : FALSE);
}

// The focus of a tab-stop child goes through its parent's dialog handling; a parent that is not
// a dialog ignores that request, so the focus is then set directly.
void Win32Hwnd::Activate(int32_t command) {
  if (!window) return;
  switch (command) {
    case 0: {
      LONG windowStyle = GetWindowLongA(window, GWL_STYLE);
      if ((windowStyle & (WS_CHILD | WS_TABSTOP)) == (WS_CHILD | WS_TABSTOP)) {
        SendMessageA(GetParent(window), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
      }
      if (GetFocus() != window) SetFocus(window);
      break;
    }
    case 10:
    case 11: SendMessageA(window, WM_NEXTDLGCTL, command == 10 ? 1 : 0, FALSE); break;
    case 13: InvalidateRect(window, nullptr, FALSE); break;
    default: break;
  }
}

void Win32Hwnd::ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) const {
  RECT rect{};
  if (window) GetClientRect(window, &rect);
  x = y = 0;
  width = rect.right;
  height = rect.bottom;
}

void Win32Hwnd::PopupMenu(GkMenu* menu) {
  if (!window || !menu) return;
  HMENU popup = BuildMenu(menu, false);
  POINT point{};
  GetCursorPos(&point);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, point.x, point.y, 0, window, nullptr);
  DestroyMenu(popup);
}

void EmitGadgetEvent(GkResource* gadget, int32_t id, int32_t data, int32_t modifiers, int32_t x,
                     int32_t y, const Ref<Object>& extra) {
  if (nativeSink.emit) nativeSink.emit(id, gadget, data, modifiers, x, y, extra);
}

Win32Hwnd* FindHolder(HWND window) {
  if (!window) return nullptr;
  auto found = Registry().find(window);
  return found == Registry().end() ? nullptr : found->second;
}

int32_t RegisteredWindowCount() { return static_cast<int32_t>(Registry().size()); }

LRESULT CALLBACK GadgetWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  Win32Hwnd* holder = FindHolder(window);
  if (!holder) return DefWindowProcA(window, message, w, l);
  LRESULT result = 0;
  GuardCallback([&] { result = Route(holder, window, message, w, l); });
  return result;
}

const char* RegisteredClassName() {
  static const char* name = [] {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = GadgetWindowProc;
    windowClass.cbWndExtra = 30;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(101));
    if (!windowClass.hIcon) windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TARNWICK_WINDOW_CLASS";
    RegisterClassExA(&windowClass);
    DWORD thread = GetCurrentThreadId();
    messageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
    keyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, thread);
    AddExitHandler(RemoveHooks);
    return "TARNWICK_WINDOW_CLASS";
  }();
  return name;
}

int32_t CurrentModifiers() {
  int32_t mask = 0;
  if (GetKeyState(VK_SHIFT) < 0) mask |= 1;
  if (GetKeyState(VK_CONTROL) < 0) mask |= 2;
  if (GetKeyState(VK_MENU) < 0) mask |= 4;
  if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) mask |= 8;
  return mask;
}

std::string WindowTextBytes(const String& text, size_t limit) {
  std::string bytes = text.ToBytes();
  if (bytes.size() > limit) bytes.resize(limit);
  // A NUL inside the text would end it early on the Windows side; keep what precedes it.
  bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
  return bytes;
}

String WindowTextOf(HWND window) {
  if (!window) return String();
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return String();
  std::string bytes(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, bytes.data(), length + 1);
  bytes.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return String::FromBytes(bytes);
}

void SetPointerShape(int32_t shape) {
  static const LPCSTR kCursors[] = {IDC_ARROW,  IDC_ARROW,       IDC_IBEAM,    IDC_WAIT,
                                    IDC_CROSS,  IDC_UPARROW,     IDC_SIZENWSE, IDC_SIZENESW,
                                    IDC_SIZEWE, IDC_SIZENS,      IDC_SIZEALL,  IDC_NO,
                                    IDC_HAND,   IDC_APPSTARTING, IDC_HELP};
  LPCSTR cursor = shape >= 0 && shape <= 14 ? kCursors[shape] : IDC_ARROW;
  pointerCursor = LoadCursorA(nullptr, cursor);
  SetCursor(pointerCursor);
}

String MenuItemText(const GkMenu* item) {
  String text = item->text;
  if (!item->hotKey) return text;
  text += "\t";
  if (item->modifiers & 1) text += "Shift+";
  if (item->modifiers & 2) text += "Ctrl+";
  if (item->modifiers & 4) text += "Alt+";
  return text + KeyText(item->hotKey);
}

HMENU BuildMenu(GkMenu* menu, bool bar) {
  HMENU built = bar ? CreateMenu() : CreatePopupMenu();
  for (GkMenu* item = menu ? menu->firstChild : nullptr; item; item = item->nextSibling) {
    UINT flags = (item->enabled ? 0 : MF_GRAYED) | (item->checked ? MF_CHECKED : 0);
    if (item->firstChild) {
      HMENU sub = BuildMenu(item, false);
      AppendMenuA(built, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(sub),
                  WindowTextBytes(item->text).c_str());
    } else if (item->text.IsEmpty()) {
      AppendMenuA(built, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(built, MF_STRING | flags, static_cast<UINT_PTR>(item->tag + 100),
                  WindowTextBytes(MenuItemText(item)).c_str());
    }
  }
  return built;
}

}  // namespace tarn
