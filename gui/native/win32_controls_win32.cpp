// Panel, label, button and text field.
#include "gui/native/win32_controls.h"

#include <algorithm>

#include "events/event.h"
#include "gui/native/win32_font.h"

namespace tarn {

int32_t textChangeGuard = 0;

namespace {

HWND MakeChild(const char* windowClass, const char* text, DWORD style, DWORD exStyle, HWND parent,
               int id) {
  return CreateWindowExA(exStyle, windowClass, text, style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

HWND ParentWindow(GkGroup* parent) {
  return parent ? reinterpret_cast<HWND>(parent->Query(2)) : GetDesktopWindow();
}

}  // namespace

template <class Base>
void Win32Control<Base>::Make(const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                              int id) {
  HWND window = MakeChild(windowClass, text, style, exStyle, ParentWindow(this->parent), id);
  holder.handler = this;
  holder.Attach(window, this);
}

// Panel

Win32Panel::Win32Panel(GkGroup* parent, int32_t style) : GkPanel(parent, style) {
  HWND parentWindow = ParentWindow(parent);
  constexpr DWORD kInside = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (style & 8) {
    panelKind = 2;
    HWND box = MakeChild("BUTTON", "", kInside | WS_VISIBLE | BS_GROUPBOX, WS_EX_CONTROLPARENT,
                         parentWindow, 0);
    frame.handler = this;
    frame.Attach(box, this);
    HWND innerWindow =
        MakeChild(RegisteredClassName(), "", kInside | WS_VISIBLE, WS_EX_CONTROLPARENT, box, 0);
    inner.handler = this;
    inner.Attach(innerWindow, this);
  } else {
    panelKind = (style & 4) ? 1 : 0;
    DWORD exStyle = WS_EX_CONTROLPARENT | ((style & 1) ? WS_EX_CLIENTEDGE : 0);
    HWND window = MakeChild(RegisteredClassName(), "", kInside, exStyle, parentWindow, 0);
    frame.handler = this;
    frame.Attach(window, this);
  }
  if (style & 6) {
    frame.sensitivity = kSensitiveMouse | kSensitiveKeys;
    if (panelKind == 2) inner.sensitivity = kSensitiveMouse | kSensitiveKeys;
  }
}

Win32Panel::~Win32Panel() {
  inner.Destroy();
  frame.Destroy();
  if (backgroundBrush) DeleteObject(backgroundBrush);
  if (backgroundBitmap) DeleteObject(backgroundBitmap);
}

intptr_t Win32Panel::Query(int32_t code) {
  if (code == 2 && panelKind == 2) return inner.Query(code);
  return frame.Query(code);
}

void Win32Panel::ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) {
  (panelKind == 2 ? inner : frame).ClientRect(x, y, width, height);
}

void Win32Panel::SetShape(int32_t x, int32_t y, int32_t width, int32_t height) {
  frame.SetShape(x, y, width, height);
  if (frame.window) InvalidateRect(frame.window, nullptr, TRUE);
  GkGroup::SetShape(x, y, width, height);
}

void Win32Panel::SetText(const String& text) {
  GkGadget::SetText(text);
  frame.SetText(text);
}

void Win32Panel::SetFont(GkFont* font) {
  GkGadget::SetFont(font);
  frame.SetFont(font);
}

void Win32Panel::SetShow(int32_t flag) {
  visible = flag ? 1 : 0;
  frame.SetShow(flag);
}

void Win32Panel::SetEnabled(int32_t flag) {
  enabled = flag ? 1 : 0;
  frame.SetEnabled(flag);
}

void Win32Panel::Activate(int32_t command) { frame.Activate(command); }

void Win32Panel::SetColor(int32_t r, int32_t g, int32_t b) {
  if (backgroundBrush) DeleteObject(backgroundBrush);
  backgroundBrush = CreateSolidBrush(RGB(r, g, b));
  if (frame.window) InvalidateRect(frame.window, nullptr, TRUE);
}

void Win32Panel::SetAlpha(float alpha) {
  backgroundAlpha = alpha;
  if (frame.window) InvalidateRect(frame.window, nullptr, TRUE);
}

void Win32Panel::SetPixmap(const GkPixels& pixels, int32_t mode) {
  if (backgroundBitmap) DeleteObject(backgroundBitmap);
  backgroundBitmap = nullptr;
  bitmapWidth = bitmapHeight = 0;
  if (pixels.pixels && pixels.width > 0 && pixels.height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    backgroundBitmap = CreateCompatibleBitmap(screen, pixels.width, pixels.height);
    if (backgroundBitmap) {
      SetDIBits(screen, backgroundBitmap, 0, pixels.height, pixels.pixels, &info, DIB_RGB_COLORS);
      bitmapWidth = pixels.width;
      bitmapHeight = pixels.height;
    }
    ReleaseDC(nullptr, screen);
    pixmapMode = mode;
  }
  if (frame.window) InvalidateRect(frame.window, nullptr, TRUE);
}

void Win32Panel::DrawBitmap(HDC dc, const RECT& client) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, backgroundBitmap);
  int cw = client.right, ch = client.bottom, bw = bitmapWidth, bh = bitmapHeight;
  SetStretchBltMode(dc, COLORONCOLOR);
  switch (pixmapMode) {
    case 0:
      for (int y = 0; y < ch; y += bh) {
        for (int x = 0; x < cw; x += bw) BitBlt(dc, x, y, bw, bh, source, 0, 0, SRCCOPY);
      }
      break;
    case 1:
    case 2: {
      int w = bw, h = bh;
      if (pixmapMode == 2) {  // the smaller of the two ratios keeps the whole picture in view
        if (int64_t{cw} * bh <= int64_t{ch} * bw) {
          w = cw;
          h = static_cast<int>(int64_t{bh} * cw / bw);
        } else {
          h = ch;
          w = static_cast<int>(int64_t{bw} * ch / bh);
        }
      }
      int x = (cw - w) / 2, y = (ch - h) / 2;
      if (backgroundBrush) {
        ExcludeClipRect(dc, x, y, x + w, y + h);
        FillRect(dc, &client, backgroundBrush);
        SelectClipRgn(dc, nullptr);
      }
      StretchBlt(dc, x, y, w, h, source, 0, 0, bw, bh, SRCCOPY);
      break;
    }
    default: StretchBlt(dc, 0, 0, cw, ch, source, 0, 0, bw, bh, SRCCOPY); break;
  }
  SelectObject(source, old);
  DeleteDC(source);
}

void Win32Panel::Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  if (backgroundAlpha > 0) {
    if (backgroundBitmap) {
      DrawBitmap(dc, client);
    } else if (backgroundBrush) {
      FillRect(dc, &client, backgroundBrush);
    }
  }
  EndPaint(window, &paint);
}

LRESULT Win32Panel::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) {
  bool isGroupFrame = panelKind == 2 && window == frame.window;
  switch (message) {
    case WM_SIZE:
      if (panelKind == 2 && window == inner.window) return 0;
      if (isGroupFrame && inner.window) {
        RECT client;
        GetClientRect(window, &client);
        MoveWindow(inner.window, 4, 16, std::max(0L, client.right - 8),
                   std::max(0L, client.bottom - 20), TRUE);
      }
      break;
    case WM_PAINT:
      if (panelKind == 1) {
        EmitGadgetEvent(this, EVENT_GADGETPAINT, 0, 0, 0, 0, nullptr);
        ValidateRect(window, nullptr);
        return 0;
      }
      if (isGroupFrame) break;
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      if (isGroupFrame) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(w), &client,
                 backgroundBrush ? backgroundBrush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      // Nothing of its own to paint (no brush or picture, or fully transparent): the class
      // background, so that old pixels do not stay behind.
      if ((!(backgroundBrush || backgroundBitmap) || backgroundAlpha <= 0) && panelKind != 1) {
        break;
      }
      return 1;
    case WM_LBUTTONDOWN: SetFocus(frame.window); return 0;
    default: break;
  }
  return CallWindowProcA(prevProc, window, message, w, l);
}

// Label

Win32Label::Win32Label(GkGroup* parent, int32_t style) : Win32Control<GkLabel>(parent, style) {
  DWORD windowStyle = WS_CHILD | WS_CLIPSIBLINGS | SS_NOPREFIX;
  int32_t alignment = style & (8 | 16);
  if (alignment == 8) windowStyle |= SS_RIGHT;
  if (alignment == 16) windowStyle |= SS_CENTER;
  switch (style & 7) {
    case 1: windowStyle |= WS_BORDER; break;
    case 2: windowStyle |= SS_SUNKEN; break;
    case 3: windowStyle = WS_CHILD | SS_ETCHEDFRAME; break;
    default: break;
  }
  Make("STATIC", "blah", windowStyle, 0, 0);
}

// An etched frame is a line: always 4 pixels high.
void Win32Label::SetShape(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (holder.window && (GetWindowLongA(holder.window, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDFRAME) {
    height = 4;
  }
  Win32Control<GkLabel>::SetShape(x, y, width, height);
}

LRESULT Win32Label::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC prevProc) {
  return CallWindowProcA(prevProc, window, message, w, l);
}

// Button

Win32Button::Win32Button(GkGroup* parent, int32_t style) : Win32Control<GkButton>(parent, style) {
  DWORD windowStyle = WS_CHILD | WS_TABSTOP;
  int32_t kind = style & 7;
  if (kind == 2) {
    windowStyle |= BS_AUTOCHECKBOX;
  } else if (kind == 3) {
    windowStyle |= BS_AUTORADIOBUTTON;
  } else {
    windowStyle |= BS_PUSHBUTTON;
  }
  if (style & 8) windowStyle |= BS_DEFPUSHBUTTON;
  int id = kind == 4 ? IDOK : kind == 5 ? IDCANCEL : 0;
  Make("BUTTON", "", windowStyle, 0, id);
}

void Win32Button::SetSelected(int32_t flag) {
  if (holder.window) {
    SendMessageA(holder.window, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

int32_t Win32Button::Checked() {
  return holder.window && SendMessageA(holder.window, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

LRESULT Win32Button::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l,
                                   WNDPROC prevProc) {
  if (message == WM_COMMAND && reinterpret_cast<HWND>(l) == holder.window) {
    if (HIWORD(w) == BN_CLICKED) {
      EmitGadgetEvent(this, EVENT_GADGETACTION, Checked(), 0, 0, 0, nullptr);
    }
    return 0;
  }
  return CallWindowProcA(prevProc, window, message, w, l);
}

// Text field

Win32TextField::Win32TextField(GkGroup* parent, int32_t style)
    : Win32Control<GkTextField>(parent, style) {
  DWORD windowStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL;
  if (style & 1) windowStyle |= ES_PASSWORD;
  Make("EDIT", "", windowStyle, WS_EX_CLIENTEDGE, 0);
}

// The program's own change keeps the user's selection and raises no event. The guard is put
// back as it was, so a change made while another one runs (from an event handler) is safe.
void Win32TextField::SetText(const String& text) {
  int32_t saved = textChangeGuard;
  textChangeGuard = 1;
  DWORD start = 0, end = 0;
  if (holder.window) {
    SendMessageA(holder.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  }
  holder.SetText(text);
  if (holder.window) SendMessageA(holder.window, EM_SETSEL, start, end);
  GkGadget::SetText(text);
  textChangeGuard = saved;
}

void Win32TextField::Activate(int32_t command) {
  if (command == 0 && holder.window) SendMessageA(holder.window, EM_SETSEL, 0, -1);
  holder.Activate(command);
}

LRESULT Win32TextField::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l,
                                      WNDPROC prevProc) {
  switch (message) {
    case WM_KILLFOCUS: EmitGadgetEvent(this, EVENT_GADGETLOSTFOCUS, 0, 0, 0, 0, nullptr); break;
    case WM_KEYDOWN:
      if (nativeSink.filterKeyDown &&
          nativeSink.filterKeyDown(this, static_cast<int32_t>(w), CurrentModifiers()) == 0) {
        return 1;
      }
      break;
    case WM_CHAR:
      if (nativeSink.filterKeyChar &&
          nativeSink.filterKeyChar(this, static_cast<int32_t>(w), CurrentModifiers()) == 0) {
        return 1;
      }
      break;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(l) != holder.window || textChangeGuard) break;
      if (HIWORD(w) == EN_UPDATE) EmitGadgetEvent(this, EVENT_GADGETACTION, 0, 0, 0, 0, nullptr);
      if (HIWORD(w) == EN_KILLFOCUS) SendMessageA(holder.window, EM_SETSEL, 0, 0);
      break;
    default: break;
  }
  return CallWindowProcA(prevProc, window, message, w, l);
}

template class Win32Control<GkLabel>;
template class Win32Control<GkButton>;
template class Win32Control<GkTextField>;

}  // namespace tarn
