// Front-end functions on gadgets, windows, menus, buttons and panels.
#include "gui/model/gui_front.h"

namespace tarn {

void GadgetSetFont(const Ref<TGadget>& gadget, const Ref<TGuiFont>& font) { gadget->SetFont(font); }
void GadgetActivate(const Ref<TGadget>& gadget) { gadget->Activate(ACTIVATE_FOCUS); }
void GadgetDisable(const Ref<TGadget>& gadget) { gadget->SetEnabled(0); }
void GadgetEnable(const Ref<TGadget>& gadget) { gadget->SetEnabled(1); }
String TextFieldGetText(const Ref<TGadget>& gadget) { return gadget->GetText(); }
void GadgetSetText(const Ref<TGadget>& gadget, const String& text) { gadget->SetText(text); }
String GadgetGetText(const Ref<TGadget>& gadget) { return gadget->GetText(); }
void GadgetFree(const Ref<TGadget>& gadget) { gadget->Free(); }
int32_t GadgetPosX(const Ref<TGadget>& gadget) { return gadget->x; }
int32_t GadgetPosY(const Ref<TGadget>& gadget) { return gadget->y; }
int32_t GadgetSizeW(const Ref<TGadget>& gadget) { return gadget->width; }
int32_t GadgetSizeH(const Ref<TGadget>& gadget) { return gadget->height; }
intptr_t GadgetQuery(const Ref<TGadget>& gadget, int32_t code) { return gadget->Query(code); }
void GadgetShow(const Ref<TGadget>& gadget) { gadget->SetShow(1); }
void GadgetHide(const Ref<TGadget>& gadget) { gadget->SetShow(0); }
bool GadgetIsHidden(const Ref<TGadget>& gadget) { return gadget->State() & STATE_HIDDEN; }
bool GadgetIsDisabled(const Ref<TGadget>& gadget) { return gadget->State() & STATE_DISABLED; }
void GadgetSetShape(const Ref<TGadget>& gadget, int32_t x, int32_t y, int32_t width,
                    int32_t height) {
  gadget->SetShape(x, y, width, height);
}
void GadgetSetLayout(const Ref<TGadget>& gadget, int32_t left, int32_t right, int32_t top,
                     int32_t bottom) {
  gadget->SetLayout(left, right, top, bottom);
}
void GadgetCut(const Ref<TGadget>& gadget) { gadget->Activate(ACTIVATE_CUT); }
void GadgetCopy(const Ref<TGadget>& gadget) { gadget->Activate(ACTIVATE_COPY); }
void GadgetPaste(const Ref<TGadget>& gadget) { gadget->Activate(ACTIVATE_PASTE); }
void GadgetPrint(const Ref<TGadget>& gadget) { gadget->Activate(ACTIVATE_PRINT); }
void GadgetRedraw(const Ref<TGadget>& gadget) { gadget->Activate(ACTIVATE_REDRAW); }
Ref<TGadget> GadgetParent(const Ref<TGadget>& gadget) { return gadget->parent; }
int32_t GadgetClientWidth(const Ref<TGadget>& gadget) { return gadget->ClientWidth(); }
int32_t GadgetClientHeight(const Ref<TGadget>& gadget) { return gadget->ClientHeight(); }
void GadgetSetColor(const Ref<TGadget>& gadget, int32_t r, int32_t g, int32_t b,
                    int32_t background) {
  if (background) {
    gadget->SetColor(r, g, b);
  } else {
    gadget->SetTextColor(r, g, b);
  }
}
void GadgetSetTextColor(const Ref<TGadget>& gadget, int32_t r, int32_t g, int32_t b) {
  gadget->SetTextColor(r, g, b);
}
void GadgetSetAlpha(const Ref<TGadget>& gadget, double alpha) { gadget->SetAlpha(alpha); }
void GadgetSetHotKey(const Ref<TGadget>& gadget, int32_t key, int32_t modifiers) {
  gadget->SetHotKey(key, modifiers);
}
void GadgetSetFilter(const Ref<TGadget>& gadget, GadgetFilter callback,
                     const Ref<Object>& context) {
  gadget->SetFilter(callback, context);
}
void GadgetSetIconStrip(const Ref<TGadget>& gadget, const Ref<TIconStrip>& strip) {
  gadget->SetIconStrip(strip);
}

Ref<TGadget> WindowMenuRoot(const Ref<TGadget>& window) { return window->GetMenu(); }
void WindowRedrawMenu(const Ref<TGadget>& window) { window->UpdateMenu(); }
void WindowPopupMenu(const Ref<TGadget>& window, const Ref<TGadget>& menu,
                     const Ref<Object>& extra) {
  window->PopupMenu(menu, extra);
}
void WindowFocus(const Ref<TGadget>& window) { window->Activate(ACTIVATE_FOCUS); }
void WindowSetStatus(const Ref<TGadget>& window, const String& text) {
  window->SetStatusText(text);
}
void WindowSetMinSize(const Ref<TGadget>& window, int32_t width, int32_t height) {
  window->SetMinimumSize(width, height);
}
void WindowMinimise(const Ref<TGadget>& window) { window->Activate(ACTIVATE_MINIMIZE); }
void WindowMaximise(const Ref<TGadget>& window) { window->Activate(ACTIVATE_MAXIMIZE); }
void WindowRestore(const Ref<TGadget>& window) { window->Activate(ACTIVATE_RESTORE); }
bool WindowIsMinimised(const Ref<TGadget>& window) { return window->State() & STATE_MINIMIZED; }
bool WindowIsMaximised(const Ref<TGadget>& window) { return window->State() & STATE_MAXIMIZED; }

void MenuFree(const Ref<TGadget>& menu) { menu->Free(); }
void MenuSetText(const Ref<TGadget>& menu, const String& text) { menu->SetText(text); }
String MenuGetText(const Ref<TGadget>& menu) { return menu->GetText(); }
void MenuCheck(const Ref<TGadget>& menu) { menu->SetSelected(1); }
void MenuUncheck(const Ref<TGadget>& menu) { menu->SetSelected(0); }
void MenuEnable(const Ref<TGadget>& menu) { menu->SetEnabled(1); }
void MenuDisable(const Ref<TGadget>& menu) { menu->SetEnabled(0); }
bool MenuIsChecked(const Ref<TGadget>& menu) { return menu->State() & STATE_SELECTED; }
bool MenuIsEnabled(const Ref<TGadget>& menu) { return !(menu->State() & STATE_DISABLED); }

void ButtonSetState(const Ref<TGadget>& button, int32_t checked) { button->SetSelected(checked); }
bool ButtonGetState(const Ref<TGadget>& button) { return button->State() & STATE_SELECTED; }
void PanelSetColor(const Ref<TGadget>& panel, int32_t r, int32_t g, int32_t b) {
  panel->SetColor(r, g, b);
}
void PanelSetPixmap(const Ref<TGadget>& panel, const Ref<Object>& pixmap, int32_t mode) {
  panel->SetPixmap(pixmap, mode);
}

Ref<Object> CanvasGraphics(const Ref<TGadget>& canvas) { return canvas->CanvasGraphics(); }

}  // namespace tarn
