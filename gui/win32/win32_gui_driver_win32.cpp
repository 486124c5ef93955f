// The driver, the handle map, the menu maps and the functions the native library calls.
#include "gui/native/win32_api.h"

#include "gui/native/win32_core.h"
#include "gui/native/win32_library.h"
#include "gui/win32/win32_gui.h"
#include "gui/win32/win32_gui_private.h"
#include "system/message_translation.h"
#include "system/system_driver.h"

namespace tarn {

Ref<TWin32Gadget> desktopGadget;
int32_t menuCounter = 100;
Ref<Object> popupExtra;

namespace {

struct WrapperOrder {
  bool operator()(const Ref<TIntWrapper>& a, const Ref<TIntWrapper>& b) const {
    return a->Compare(*b) < 0;
  }
};
using HandleMap = std::map<Ref<TIntWrapper>, Ref<TWin32Gadget>, WrapperOrder>;

// The binding's maps live until the process ends and are never destroyed, so nothing is let
// go of while the process exits.
HandleMap& Handles() {
  static auto* map = new HandleMap();
  return *map;
}

intptr_t NativeKey(GkResource* native) { return reinterpret_cast<intptr_t>(native); }

void ForwardInput(HWND window, UINT message, WPARAM w, LPARAM l, GkResource* native) {
  TranslateSystemMessage(window, message, w, l, GadgetFromNativeResource(native));
}

}  // namespace

std::map<String, String>& MenuTagMap() {
  static auto* map = new std::map<String, String>();
  return *map;
}

std::map<String, Ref<TWin32Gadget>>& MenuGadgetMap() {
  static auto* map = new std::map<String, Ref<TWin32Gadget>>();
  return *map;
}

Ref<TWin32Gadget> GadgetFromNativeResource(GkResource* native) {
  if (!native) return nullptr;
  auto found = Handles().find(TIntWrapper::Create(NativeKey(native)));
  return found == Handles().end() ? nullptr : found->second;
}

bool RegisterGadget(GkResource* native, const Ref<TWin32Gadget>& gadget) {
  return Handles().emplace(TIntWrapper::Create(NativeKey(native)), gadget).second;
}

bool IsRegistered(GkResource* native) { return !GadgetFromNativeResource(native).IsNull(); }

void UnregisterGadget(GkResource* native) {
  Handles().erase(TIntWrapper::Create(NativeKey(native)));
}

int32_t RegisteredGadgetCount() { return static_cast<int32_t>(Handles().size()); }

void InitWin32Gui() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitSystem();
  InitEvents();
  InitGuiModel();
  MenuTagMap().clear();
  MenuGadgetMap().clear();
  guiDriver = New<TWin32GUIDriver>();
}

TWin32GUIDriver::TWin32GUIDriver() {
  StartNativeLibrary();
  nativeSink.emit = EmitNativeEvent;
  nativeSink.filterKeyDown = FilterKeyDown;
  nativeSink.filterKeyChar = FilterKeyChar;
  nativeSink.forwardInput = ForwardInput;
  if (!desktopGadget) desktopGadget = TWin32Gadget::Create(0, NativeFactory()->Desktop(), nullptr);
}

Ref<TGuiFont> TWin32GUIDriver::LoadFont(const String& name, int32_t size, int32_t style) {
  GkFont* native = FontDriver().CreateFont(name, size, style & 7);
  return native ? WrapNativeFont(native) : nullptr;
}

Ref<TGadget> TWin32GUIDriver::CreateGadget(int32_t gadgetClass, const String& text, int32_t x,
                                           int32_t y, int32_t width, int32_t height,
                                           const Ref<TGadget>& group, int32_t style) {
  if (gadgetClass == 0) return desktopGadget;
  if (gadgetClass == 16) Raise(String("chunks"));
  Ref<TWin32Gadget> groupGadget = group ? Cast<TWin32Gadget>(group) : desktopGadget;
  // A group of another driver, or one already freed, has no native side to hold a gadget.
  if (!groupGadget || !groupGadget->nativeGadget) return nullptr;
  if (gadgetClass == 15) return CreateMenuItem(text, style, groupGadget);
  auto* parent = dynamic_cast<GkGroup*>(groupGadget->nativeGadget);
  if (!parent) return nullptr;
  GkGadget* native = CreateNativeGadget(gadgetClass, text, x, y, width, height, parent, style);
  if (!native) return nullptr;
  if (gadgetClass == 3 && !text.IsEmpty()) native->SetText(text);
  Ref<TWin32Gadget> gadget = TWin32Gadget::Create(gadgetClass, native, groupGadget);
  gadget->text = text;
  return gadget;
}

Ref<TGadget> TWin32GUIDriver::FocusedGadget() {
  Win32Hwnd* holder = FindHolder(GetFocus());
  return holder ? GadgetFromNative(holder->owner) : nullptr;
}

int32_t TWin32GUIDriver::PickColor(int32_t r, int32_t g, int32_t b) {
  COLORREF colour = RGB(r, g, b);
  if (!RequestColor(colour)) return 0;
  return static_cast<int32_t>(0xFF000000u | (uint32_t{GetRValue(colour)} << 16) |
                              (uint32_t{GetGValue(colour)} << 8) | GetBValue(colour));
}

Ref<TGuiFont> TWin32GUIDriver::PickFont(const Ref<TGuiFont>& font) {
  Ref<TWin32Font> current = Cast<TWin32Font>(font);
  Win32Font* chosen =
      RequestFont(current ? dynamic_cast<Win32Font*>(current->native.Get()) : nullptr);
  return chosen ? WrapNativeFont(chosen) : nullptr;
}

void TWin32GUIDriver::SetMousePointer(int32_t shape) { SetPointerShape(shape); }

Ref<TIconStrip> TWin32GUIDriver::LoadIconStrip(const Ref<Object>& source) {
  if (Ref<TIconStrip> strip = Cast<TIconStrip>(source)) return strip;
  Ref<TPixmap> pixmap = Cast<TPixmap>(source);
  if (!pixmap || pixmap->height <= 0 || pixmap->width < pixmap->height) return nullptr;
  Ref<TPixmap> copy = New<TPixmap>(pixmap->width, pixmap->height, pixmap->format);
  copy->pixels = pixmap->pixels;
  PrepareIconPixmap(copy);
  copy = copy->ToArgb();
  GkIconStrip* native = LoadNativeIconStrip(GkPixels{copy->width, copy->height, copy->Words()});
  if (!native) return nullptr;
  Ref<TWin32IconStrip> strip = New<TWin32IconStrip>();
  strip->pixmap = pixmap;
  strip->nativeStrip = native;
  strip->count = pixmap->width / pixmap->height;
  return strip;
}

Ref<TWin32Gadget> TWin32GUIDriver::GadgetFromNative(GkResource* native) {
  return GadgetFromNativeResource(native);
}

Ref<TGuiFont> TWin32GUIDriver::WrapNativeFont(GkFont* native) {
  Ref<TWin32Font> font = New<TWin32Font>();
  font->native = GkRef<GkFont>::Adopt(native);
  font->name = native->FaceName();
  font->size = native->Size();
  font->style = native->Style();
  font->handle = reinterpret_cast<intptr_t>(native);
  return font;
}

void TWin32GUIDriver::PrepareIconPixmap(const Ref<TPixmap>& pixmap) {
  if (pixmap) DitherAlphaToColourKey(*pixmap);
}

TWin32IconStrip::~TWin32IconStrip() {
  if (nativeStrip) nativeStrip->Release();
}

void EmitNativeEvent(int32_t id, GkResource* native, int32_t data, int32_t modifiers, int32_t x,
                     int32_t y, const Ref<Object>& extra) {
  Ref<TWin32Gadget> source = GadgetFromNativeResource(native);
  Ref<Object> reportedExtra = extra;
  if (source && id == EVENT_WINDOWSIZE) source->SyncShape();
  if (source && id == EVENT_WINDOWMOVE) source->SyncPosition();
  if (id == EVENT_MENUACTION) {
    String key = IntToString(data);
    auto tag = MenuTagMap().find(key);
    data = tag == MenuTagMap().end() ? 0 : StringToInt(tag->second);
    auto item = MenuGadgetMap().find(key);
    source = item == MenuGadgetMap().end() ? nullptr : item->second;
    reportedExtra = popupExtra;
  }
  if (source && source->gadgetClass >= 6 && source->gadgetClass <= 9 && data >= 0 &&
      data < source->ItemCount()) {
    reportedExtra = source->ItemExtra(data);
    if (source->ItemFlags(data) & 2) source->SelectItem(data, 2);
  }
  PostGuiEvent(id, source, data, modifiers, x, y, reportedExtra);
}

namespace {
int32_t Filter(int32_t id, GkResource* native, int32_t value, int32_t modifiers) {
  Ref<TWin32Gadget> gadget = GadgetFromNativeResource(native);
  if (!gadget || !gadget->filter) return 1;
  Ref<TEvent> event = MakeEvent(id, gadget, value, modifiers, 0, 0, nullptr);
  return gadget->filter(event, gadget->filterContext);
}
}  // namespace

int32_t FilterKeyDown(GkResource* native, int32_t key, int32_t modifiers) {
  return Filter(EVENT_KEYDOWN, native, key, modifiers);
}

int32_t FilterKeyChar(GkResource* native, int32_t character, int32_t modifiers) {
  return Filter(EVENT_KEYCHAR, native, character, modifiers);
}

}  // namespace tarn
