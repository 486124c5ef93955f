// Front-end functions that make gadgets and fonts through the installed driver.
#include "gui/model/gui_front.h"

namespace tarn {

int32_t canvasGraphicsFlags = 0;

namespace {
Ref<TGadget> Create(int32_t gadgetClass, const String& text, int32_t x, int32_t y, int32_t width,
                    int32_t height, const Ref<TGadget>& group, int32_t style) {
  return guiDriver->CreateGadget(gadgetClass, text, x, y, width, height, group, style);
}
}  // namespace

Ref<TGadget> NewWindow(const String& title, int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_WINDOW, title, x, y, width, height, group, style);
}
Ref<TGadget> NewPanel(int32_t x, int32_t y, int32_t width, int32_t height,
                      const Ref<TGadget>& group, int32_t style, const String& title) {
  return Create(GADGET_PANEL, title, x, y, width, height, group, style);
}
Ref<TGadget> NewLabel(const String& text, int32_t x, int32_t y, int32_t width, int32_t height,
                      const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_LABEL, text, x, y, width, height, group, style);
}
Ref<TGadget> NewButton(const String& text, int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_BUTTON, text, x, y, width, height, group, style);
}
Ref<TGadget> NewTextField(int32_t x, int32_t y, int32_t width, int32_t height,
                          const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_TEXTFIELD, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewTextArea(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_TEXTAREA, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewComboBox(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_COMBOBOX, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewListBox(int32_t x, int32_t y, int32_t width, int32_t height,
                        const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_LISTBOX, String(), x, y, width, height, group, style);
}

Ref<TGadget> NewToolBar(const Ref<Object>& source, int32_t x, int32_t y, int32_t width,
                        int32_t height, const Ref<TGadget>& group, int32_t style) {
  Ref<TGadget> bar = Create(GADGET_TOOLBAR, String(), x, y, width, height, group, style);
  Ref<TIconStrip> strip = Cast<TIconStrip>(source);
  if (!strip) strip = guiDriver->LoadIconStrip(source);
  if (!strip) return bar;
  bar->SetIconStrip(strip);
  for (int32_t i = 0; i < strip->count; ++i) {
    bar->InsertItem(bar->ItemCount(), String(), String(), i, nullptr, 0);
  }
  return bar;
}

Ref<TGadget> NewTabControl(int32_t x, int32_t y, int32_t width, int32_t height,
                           const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_TABBER, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewTreeView(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_TREEVIEW, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewHtmlView(int32_t x, int32_t y, int32_t width, int32_t height,
                         const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_HTMLVIEW, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewSlider(int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_SLIDER, String(), x, y, width, height, group, style);
}
Ref<TGadget> NewProgBar(int32_t x, int32_t y, int32_t width, int32_t height,
                        const Ref<TGadget>& group, int32_t style) {
  return Create(GADGET_PROGBAR, String(), x, y, width, height, group, style);
}

Ref<TGadget> NewMenu(const String& text, int32_t tag, const Ref<TGadget>& parent, int32_t hotKey,
                     int32_t modifiers) {
  Ref<TGadget> menu = Create(GADGET_MENUITEM, text, 0, 0, 0, 0, parent, tag);
  if (hotKey != 0) menu->SetHotKey(hotKey, modifiers);
  return menu;
}

Ref<TGadget> NewCanvas(int32_t x, int32_t y, int32_t width, int32_t height,
                       const Ref<TGadget>& group, int32_t style) {
  Ref<TGadget> canvas = Create(GADGET_CANVAS, String(), x, y, width, height, group, style);
  canvas->AttachGraphics(canvasGraphicsFlags);
  return canvas;
}

Ref<TGadget> DesktopGadget() { return Create(GADGET_DESKTOP, String(), 0, 0, 0, 0, nullptr, 0); }

Ref<TGuiFont> OpenGuiFont(const String& name, int32_t size, int32_t bold, int32_t italic,
                          int32_t underline) {
  int32_t style =
      (bold ? FONT_BOLD : 0) | (italic ? FONT_ITALIC : 0) | (underline ? FONT_UNDERLINE : 0);
  return guiDriver->LoadFont(name, size, style);
}

Ref<TGuiFont> PickFont(const Ref<TGuiFont>& font) { return guiDriver->PickFont(font); }
String FontFaceName(const Ref<TGuiFont>& font) { return font->name; }
int32_t FontPointSize(const Ref<TGuiFont>& font) { return font->size; }
int32_t FontStyleBits(const Ref<TGuiFont>& font) { return font->style; }

Ref<TGadget> FocusedGadget() { return guiDriver->FocusedGadget(); }
void SetMousePointer(int32_t shape) { guiDriver->SetMousePointer(shape); }
Ref<TIconStrip> LoadIconStrip(const Ref<Object>& source) {
  return guiDriver->LoadIconStrip(source);
}

namespace {
int32_t pickedColor = 0;  // the colour last confirmed in the colour requester
}

int32_t PickColor(int32_t r, int32_t g, int32_t b) {
  int32_t chosen = guiDriver->PickColor(r, g, b);
  if (chosen == 0) return 0;
  pickedColor = chosen;
  return 1;
}
int32_t PickedRed() { return (pickedColor >> 16) & 0xFF; }
int32_t PickedGreen() { return (pickedColor >> 8) & 0xFF; }
int32_t PickedBlue() { return pickedColor & 0xFF; }

}  // namespace tarn
