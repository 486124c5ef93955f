#include "gui/native/win32_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "events/event.h"

namespace tarn {

namespace {

DWORD FrameStyle(int32_t style) {
  DWORD windowStyle = 0;
  if (style & 1) {
    windowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (style & 2) windowStyle |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  } else {
    windowStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  }
  if (style & 2) windowStyle |= WS_THICKFRAME;
  if (style & 256) windowStyle = (windowStyle & ~WS_POPUP) | WS_CHILD;
  return windowStyle;
}

BOOL CALLBACK FirstTabStop(HWND child, LPARAM result) {
  if (!(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)) return TRUE;
  *reinterpret_cast<HWND*>(result) = child;
  return FALSE;
}

}  // namespace

Win32Window::Win32Window(GkGroup* parent, int32_t style)
    : GkWindow(parent, style), windowStyle_(FrameStyle(style)) {
  exStyle_ = WS_EX_CONTROLPARENT | ((style & 16) ? WS_EX_TOOLWINDOW : 0) |
             ((style & 128) ? WS_EX_ACCEPTFILES : 0);
  HMENU bar = nullptr;
  if (style & 4) {
    bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 0, "");
  }
  HWND parentWindow = parent ? reinterpret_cast<HWND>(parent->Query(2)) : GetDesktopWindow();
  HWND window = CreateWindowExA(exStyle_, RegisteredClassName(), "", windowStyle_, 0, 0, 0, 0,
                                parentWindow, bar, GetModuleHandleA(nullptr), nullptr);
  if (!window && bar) DestroyMenu(bar);
  if (window && (style & 8)) {
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND clientWindow =
        CreateWindowExA(WS_EX_CONTROLPARENT, RegisteredClassName(), "",
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                        window, nullptr, GetModuleHandleA(nullptr), nullptr);
    client.handler = this;
    client.Attach(clientWindow, this);
  }
  frame.handler = this;
  frame.Attach(window, this);
}

Win32Window::~Win32Window() {
  client.Attach(nullptr, nullptr);
  frame.Destroy();
}

intptr_t Win32Window::Query(int32_t code) {
  if (code == 2 && client.window) return client.Query(code);
  return frame.Query(code);
}

void Win32Window::ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) {
  (client.window ? client : frame).ClientRect(x, y, width, height);
}

RECT Win32Window::Margins() const {
  RECT rect{0, 0, 0, 0};
  bool hasMenu = frame.window && GetMenu(frame.window) != nullptr;
  AdjustWindowRectEx(&rect, windowStyle_, hasMenu, exStyle_);
  return RECT{-rect.left, -rect.top, rect.right, rect.bottom};
}

int32_t Win32Window::StatusHeight() const {
  RECT rect{};
  if (!statusBar || !GetWindowRect(statusBar, &rect)) return 0;
  return rect.bottom - rect.top;
}

void Win32Window::ToFrame(int32_t& x, int32_t& y, int32_t& width, int32_t& height) const {
  if (!(style & 32)) return;
  RECT margins = Margins();
  height += StatusHeight();
  x -= margins.left;
  y -= margins.top;
  width += margins.left + margins.right;
  height += margins.top + margins.bottom;
}

void Win32Window::ReadGeometry(int32_t& x, int32_t& y, int32_t& width, int32_t& height) const {
  RECT rect{};
  GetWindowRect(frame.window, &rect);
  if (windowStyle_ & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(frame.window), reinterpret_cast<POINT*>(&rect), 2);
  }
  x = rect.left;
  y = rect.top;
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  if (!(style & 32)) return;
  RECT margins = Margins();
  RECT inside{};
  GetClientRect(frame.window, &inside);
  x += margins.left;
  y += margins.top;
  width = inside.right;
  height = inside.bottom;
}

void Win32Window::StoreGeometry() {
  int32_t x, y, width, height;
  ReadGeometry(x, y, width, height);
  GkGroup::SetShape(x, y, width, height);
}

void Win32Window::SetShape(int32_t x, int32_t y, int32_t width, int32_t height) {
  ToFrame(x, y, width, height);
  if (frame.window) MoveWindow(frame.window, x, y, width, height, TRUE);
}

void Win32Window::SetText(const String& text) {
  GkGadget::SetText(text);
  frame.SetText(text);
}

void Win32Window::SetFont(GkFont* font) { GkGadget::SetFont(font); }

void Win32Window::SetShow(int32_t flag) {
  visible = flag ? 1 : 0;
  frame.SetShow(flag);
}

void Win32Window::SetEnabled(int32_t flag) {
  enabled = flag ? 1 : 0;
  frame.SetEnabled(flag);
}

void Win32Window::UpdateMenu() {
  if (!frame.window) return;
  HMENU fresh = BuildMenu(menu.Get(), true);
  HMENU old = GetMenu(frame.window);
  SetMenu(frame.window, fresh);
  if (old) DestroyMenu(old);
  DrawMenuBar(frame.window);
}

void Win32Window::ActivateWindow() {
  if (!frame.window) return;
  HWND found = nullptr;
  EnumChildWindows(frame.window, FirstTabStop, reinterpret_cast<LPARAM>(&found));
  SetFocus(found ? found : frame.window);
}

void Win32Window::SetMinimumSize(int32_t width, int32_t height) {
  int32_t x = 0, y = 0;
  ToFrame(x, y, width, height);
  minWidth = width;
  minHeight = height;
}

void Win32Window::SetStatusText(const String& text) {
  if (statusBar) SetWindowTextA(statusBar, WindowTextBytes(text).c_str());
}

void Win32Window::Minimise() {
  minimised = 1;
  maximised = 0;
  if (frame.window) ShowWindow(frame.window, SW_MINIMIZE);
}

void Win32Window::Maximise() {
  maximised = 1;
  minimised = 0;
  if (frame.window) ShowWindow(frame.window, SW_MAXIMIZE);
}

void Win32Window::Restore() {
  minimised = maximised = 0;
  if (frame.window) ShowWindow(frame.window, SW_RESTORE);
}

LRESULT Win32Window::DropFiles(HDROP drop) {
  POINT point{};
  DragQueryPoint(drop, &point);
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[261] = {};
    DragQueryFileA(drop, i, path, sizeof path);
    EmitGadgetEvent(this, EVENT_WINDOWACCEPT, 0, 0, point.x, point.y, String::FromBytes(path));
  }
  DragFinish(drop);
  return 0;
}

LRESULT Win32Window::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l,
                                   WNDPROC prevProc) {
  if (window != frame.window) return CallWindowProcA(prevProc, window, message, w, l);
  switch (message) {
    case WM_MOVE:
      // A maximised or minimised window is not where the user placed it: keep the old place.
      if (maximised || IsZoomed(window) || IsIconic(window)) return 0;
      StoreGeometry();
      EmitGadgetEvent(this, EVENT_WINDOWMOVE, 0, 0, x, y, nullptr);
      return 0;
    case WM_SIZE: {
      if (statusBar) SendMessageA(statusBar, WM_SIZE, 0, 0);
      if (w == SIZE_MINIMIZED) {
        minimised = 1;
        maximised = 0;
      } else if (w == SIZE_MAXIMIZED) {
        maximised = 1;
        minimised = 0;
      } else if (w == SIZE_RESTORED) {
        minimised = maximised = 0;
      }
      if (!minimised) {
        if (client.window) {
          RECT inside{};
          GetClientRect(window, &inside);
          MoveWindow(client.window, 0, 0, inside.right, inside.bottom - StatusHeight(), TRUE);
        }
        StoreGeometry();
      }
      EmitGadgetEvent(this, EVENT_WINDOWSIZE, 0, 0, width, height, nullptr);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE) {
        EmitGadgetEvent(this, EVENT_WINDOWACTIVATE, 0, 0, 0, 0, nullptr);
      }
      return 0;
    case WM_CLOSE: EmitGadgetEvent(this, EVENT_WINDOWCLOSE, 0, 0, 0, 0, nullptr); return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(l);
      if (minWidth > 0) info->ptMinTrackSize.x = minWidth;
      if (minHeight > 0) info->ptMinTrackSize.y = minHeight;
      return 0;
    }
    case WM_DROPFILES: return DropFiles(reinterpret_cast<HDROP>(w));
    default: return CallWindowProcA(prevProc, window, message, w, l);
  }
}

}  // namespace tarn
