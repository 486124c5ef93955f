// The Windows binding: joins the portable gadgets to the native gadget library.
//
// TWin32GUIDriver is the one concrete GUI driver: it makes native gadgets and wraps each in a
// TWin32Gadget, whose driver operations call the native gadget. Events of native gadgets come
// back through EmitNativeEvent, which finds the portable gadget in the handle map, brings its
// copy of the geometry up to date and posts the event with it as the source. InitWin32Gui is
// the module's initialiser; it installs the driver in guiDriver. Windows build, GUI thread only.
#pragma once

#include <cstdint>
#include <map>

#include "gui/model/gui_driver.h"
#include "gui/model/gui_model.h"
#include "gui/win32/pixmap.h"

namespace tarn {

class GkResource;
class GkFont;

// Starts the runtime, the system driver, the event system and the gadget model, then the
// binding: its menu maps and a new driver in guiDriver. Once.
void InitWin32Gui();

// The key of the handle map: a native gadget's address as an integer (pointer-sized, so a
// 64-bit build keeps every address apart). Compare orders by value without subtracting, which
// could overflow for addresses far apart.
class TIntWrapper : public Object {
 public:
  explicit TIntWrapper(intptr_t value) : value(value) {}
  static Ref<TIntWrapper> Create(intptr_t value) { return New<TIntWrapper>(value); }
  int32_t Compare(const TIntWrapper& other) const {
    return value < other.value ? -1 : value > other.value ? 1 : 0;
  }
  const intptr_t value;
};

class TWin32Gadget : public TGadget {
 public:
  ~TWin32Gadget() override;

  // Wraps native in a new gadget of gadgetClass, attached to group, registered in the handle
  // map (a native gadget registered already raises "Gadget handle already in map!").
  static Ref<TWin32Gadget> Create(int32_t gadgetClass, GkResource* native,
                                  const Ref<TGadget>& group);
  // The native window handle of the window that holds gadget, or 0.
  static intptr_t WindowHandleOf(const Ref<TGadget>& gadget);
  // The native rectangle copied into this gadget and its descendants.
  virtual void SyncShape();
  virtual void SyncPosition();

  // Layout runs on the native side; the portable rectangle follows.
  void SetShape(int32_t x, int32_t y, int32_t w, int32_t h) override;
  void SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) override;

  void Reparent(const Ref<TGadget>& group, int32_t index) override;
  intptr_t Query(int32_t code) override;
  void Free() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  void Activate(int32_t command) override;
  int32_t State() override;
  void SetText(const String& text) override;
  String GetText() override;
  void SetFont(const Ref<TGuiFont>& font) override;
  void SetColor(int32_t r, int32_t g, int32_t b) override;
  void SetAlpha(double alpha) override;
  void SetTextColor(int32_t r, int32_t g, int32_t b) override;
  void SetShow(int32_t flag) override;
  void SetEnabled(int32_t flag) override;
  void SetSelected(int32_t flag) override;
  void SetHotKey(int32_t key, int32_t modifiers) override;
  void SetStatusText(const String& text) override;
  Ref<TGadget> GetMenu() override;
  void PopupMenu(const Ref<TGadget>& menu, const Ref<Object>& extra) override;
  void UpdateMenu() override;
  void SetMinimumSize(int32_t w, int32_t h) override;
  Ref<TGadget> RootNode() override;
  void SetPixmap(const Ref<Object>& pixmap, int32_t flags) override;
  void AttachGraphics(int32_t flags) override;
  Ref<Object> CanvasGraphics() override;

  int32_t gadgetClass = 0;
  GkResource* nativeGadget = nullptr;  // holds the creating reference until Free
  Ref<Object> canvasGraphics;
  int32_t disabledFlag = 0;
  Ref<THotKey> hotKey;
  Ref<Object> panelPixmap;
};

class TWin32IconStrip : public TIconStrip {
 public:
  ~TWin32IconStrip() override;
  GkResource* nativeStrip = nullptr;
};

class TWin32GUIDriver : public TLoomkitDriver {
 public:
  TWin32GUIDriver();

  Ref<TGuiFont> LoadFont(const String& name, int32_t size, int32_t style) override;
  Ref<TGadget> CreateGadget(int32_t gadgetClass, const String& text, int32_t x, int32_t y,
                            int32_t width, int32_t height, const Ref<TGadget>& group,
                            int32_t style) override;
  Ref<TGadget> FocusedGadget() override;
  int32_t PickColor(int32_t r, int32_t g, int32_t b) override;
  Ref<TGuiFont> PickFont(const Ref<TGuiFont>& font) override;
  void SetMousePointer(int32_t shape) override;
  Ref<TIconStrip> LoadIconStrip(const Ref<Object>& source) override;

  Ref<TWin32Gadget> GadgetFromNative(GkResource* native);
  // A TGuiFont holding a reference on native (taken over from the caller).
  Ref<TGuiFont> WrapNativeFont(GkFont* native);
  int32_t Reserved() { return 0; }
  void PrepareIconPixmap(const Ref<TPixmap>& pixmap);
};

// Module globals of the binding.
extern Ref<TWin32Gadget> desktopGadget;
extern int32_t menuCounter;  // the next menu command number, from 100
extern Ref<Object> popupExtra;
// The binding's functions that the native library calls.
void EmitNativeEvent(int32_t id, GkResource* native, int32_t data, int32_t modifiers, int32_t x,
                     int32_t y, const Ref<Object>& extra);
int32_t FilterKeyDown(GkResource* native, int32_t key, int32_t modifiers);
int32_t FilterKeyChar(GkResource* native, int32_t character, int32_t modifiers);
// How many gadgets the handle map holds (for leak checks).
int32_t RegisteredGadgetCount();

}  // namespace tarn
