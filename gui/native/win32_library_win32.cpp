#include "gui/native/win32_library.h"

#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>

#include "gui/native/win32_controls.h"
#include "gui/native/win32_window.h"
#include "system/startup.h"

namespace tarn {

namespace {

Win32Font* defaultGuiFont = nullptr;
Win32Desktop* desktop = nullptr;
Win32GuiDriver* factory = nullptr;

void EndOle() { OleUninitialize(); }

template <class Gadget>
GkGadget* WithDefaultFont(Gadget* gadget) {
  gadget->SetFont(defaultGuiFont);
  return gadget;
}

}  // namespace

Win32Desktop::Win32Desktop() : GkDesktop(nullptr, 0), window(GetDesktopWindow()) {
  x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width == 0) {
    RECT rect{};
    GetWindowRect(window, &rect);
    x = rect.left;
    y = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
  }
  ClientRect(clientX, clientY, clientWidth, clientHeight);
}

intptr_t Win32Desktop::Query(int32_t code) {
  return code == 1 || code == 2 ? reinterpret_cast<intptr_t>(window) : 0;
}

void Win32Desktop::ClientRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) {
  RECT rect{};
  GetClientRect(window, &rect);
  x = y = 0;
  width = rect.right;
  height = rect.bottom;
}

GkGadget* Win32GuiDriver::CreateLabel(GkGroup* parent, int32_t style) {
  return WithDefaultFont(new Win32Label(parent, style));
}
GkGadget* Win32GuiDriver::CreateButton(GkGroup* parent, int32_t style) {
  return WithDefaultFont(new Win32Button(parent, style));
}
GkGadget* Win32GuiDriver::CreateTextField(GkGroup* parent, int32_t style) {
  return WithDefaultFont(new Win32TextField(parent, style));
}
GkGadget* Win32GuiDriver::CreateWindow(GkGroup* parent, int32_t style) {
  return WithDefaultFont(new Win32Window(parent, style));
}
GkGadget* Win32GuiDriver::CreatePanel(GkGroup* parent, int32_t style) {
  return WithDefaultFont(new Win32Panel(parent, style));
}
GkDesktop* Win32GuiDriver::Desktop() { return desktop; }

void StartNativeLibrary() {
  if (factory) return;
  StartFontDriver();
  if (SUCCEEDED(OleInitialize(nullptr))) AddExitHandler(EndOle);
  INITCOMMONCONTROLSEX controls{sizeof controls, 0xEFF};
  InitCommonControlsEx(&controls);
  LoadLibraryA("riched32.dll");
  defaultGuiFont = new Win32Font(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 12, true);
  desktop = new Win32Desktop();
  factory = new Win32GuiDriver();
}

GkGuiDriver* NativeFactory() { return factory; }
Win32Font* DefaultGuiFont() { return defaultGuiFont; }

GkGadget* CreateNativeGadget(int32_t gadgetClass, const String& text, int32_t x, int32_t y,
                             int32_t width, int32_t height, GkGroup* parent, int32_t style) {
  GkGadget* gadget = nullptr;
  bool hasText = false;
  switch (gadgetClass) {
    case 1:
      gadget = factory->CreateWindow(parent, style);
      hasText = true;
      break;
    case 2:
      gadget = factory->CreateButton(parent, style);
      hasText = true;
      break;
    case 3: gadget = factory->CreatePanel(parent, style); break;
    case 4: gadget = factory->CreateTextField(parent, style); break;
    case 5: gadget = factory->CreateTextArea(parent, style); break;
    case 6: gadget = factory->CreateComboBox(parent, style); break;
    case 7: gadget = factory->CreateListBox(parent, style); break;
    case 8: gadget = factory->CreateToolBar(parent, style); break;
    case 9: gadget = factory->CreateTabControl(parent, style); break;
    case 10: gadget = factory->CreateTreeView(parent, style); break;
    case 11: gadget = factory->CreateHtmlView(parent, style); break;
    case 12:
      gadget = factory->CreateLabel(parent, style);
      hasText = true;
      break;
    case 13: gadget = factory->CreateSlider(parent, style); break;
    case 14: gadget = factory->CreateProgBar(parent, style); break;
    case 17: gadget = factory->CreatePanel(parent, style | 4); break;
    default: break;
  }
  if (!gadget) return nullptr;
  gadget->SetShape(x, y, width, height);
  if (hasText) gadget->SetText(text);
  if (!(gadgetClass == 1 && (style & 64))) gadget->SetShow(1);
  gadget->LockLayout();
  return gadget;
}

namespace {
class Win32IconStrip : public GkIconStrip {
 public:
  explicit Win32IconStrip(HIMAGELIST list) : list(list) {}
  HIMAGELIST list;

 protected:
  ~Win32IconStrip() override { ImageList_Destroy(list); }
};
}  // namespace

GkIconStrip* LoadNativeIconStrip(const GkPixels& pixels) {
  if (!pixels.pixels || pixels.height <= 0 || pixels.width < pixels.height) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, pixels.width, pixels.height);
  if (bitmap) {
    SetDIBits(screen, bitmap, 0, pixels.height, pixels.pixels, &info, DIB_RGB_COLORS);
  }
  ReleaseDC(nullptr, screen);
  if (!bitmap) return nullptr;
  int count = pixels.width / pixels.height;
  HIMAGELIST list =
      ImageList_Create(pixels.height, pixels.height, ILC_COLOR32 | ILC_MASK, count, 0);
  if (list) ImageList_AddMasked(list, bitmap, RGB(255, 255, 255));
  DeleteObject(bitmap);
  return list ? new Win32IconStrip(list) : nullptr;
}

bool RequestColor(COLORREF& colour) {
  static COLORREF custom[16] = {};
  CHOOSECOLORA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = GetActiveWindow();
  request.rgbResult = colour;
  request.lpCustColors = custom;
  request.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&request)) return false;
  colour = request.rgbResult;
  return true;
}

Win32Font* RequestFont(Win32Font* font) {
  LOGFONTA logFont{};
  if (font) GetObjectA(font->handle, sizeof logFont, &logFont);
  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = GetActiveWindow();
  request.lpLogFont = &logFont;
  request.Flags = CF_SCREENFONTS | (font ? CF_INITTOLOGFONTSTRUCT : 0);
  if (!ChooseFontA(&request)) return nullptr;
  HFONT handle = CreateFontIndirectA(&logFont);
  if (!handle) return nullptr;
  return new Win32Font(handle, request.iPointSize / 10, false);
}

}  // namespace tarn
