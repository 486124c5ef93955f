// TWin32Gadget: the portable gadget whose driver operations call its native gadget.
#include "gui/native/win32_api.h"

#include "gui/model/gui_constants.h"
#include "gui/native/win32_core.h"
#include "gui/native/win32_library.h"
#include "gui/win32/win32_gui.h"
#include "gui/win32/win32_gui_private.h"
#include "system/system_driver.h"

namespace tarn {

namespace {

GkGadget* AsGadget(GkResource* native) { return dynamic_cast<GkGadget*>(native); }

template <class T>
T* As(GkResource* native) {
  return dynamic_cast<T*>(native);
}

}  // namespace

Ref<TWin32Gadget> TWin32Gadget::Create(int32_t gadgetClass, GkResource* native,
                                       const Ref<TGadget>& group) {
  // Checked before the gadget joins its group, so a refused gadget leaves nothing behind.
  if (IsRegistered(native)) RaiseRuntimeError("Gadget handle already in map!");
  Ref<TWin32Gadget> gadget = New<TWin32Gadget>();
  gadget->gadgetClass = gadgetClass;
  gadget->nativeGadget = native;
  if (group) gadget->SetParent(group, -1);
  gadget->SyncShape();
  RegisterGadget(native, gadget);
  if (gadgetClass == GADGET_SLIDER) {
    gadget->SetRange(1, 10);
    gadget->SetProp(0);
  }
  if (gadgetClass == GADGET_TOOLBAR) gadget->SetLayout(1, 1, 1, 0);
  return gadget;
}

Ref<TGadget> CreateMenuItem(const String& text, int32_t tag, const Ref<TWin32Gadget>& group) {
  GkMenu* parentMenu = nullptr;
  if (group->gadgetClass == GADGET_WINDOW) {
    if (auto* window = As<GkWindow>(group->nativeGadget)) parentMenu = window->menu.Get();
  } else if (group != desktopGadget) {
    parentMenu = As<GkMenu>(group->nativeGadget);
  }
  int32_t command = menuCounter++;
  auto* item = new GkMenu(text, command, parentMenu);
  Ref<TWin32Gadget> gadget = TWin32Gadget::Create(GADGET_MENUITEM, item, group);
  gadget->text = text;
  MenuTagMap()[IntToString(command)] = IntToString(tag);
  MenuGadgetMap()[IntToString(command)] = gadget;
  return gadget;
}

TWin32Gadget::~TWin32Gadget() {
  // Only a gadget that never got registered can still hold its native gadget here.
  if (nativeGadget && gadgetClass != GADGET_DESKTOP) nativeGadget->Release();
}

intptr_t TWin32Gadget::WindowHandleOf(const Ref<TGadget>& gadget) {
  for (Ref<TWin32Gadget> g = Cast<TWin32Gadget>(gadget); g; g = Cast<TWin32Gadget>(g->parent)) {
    if (g->gadgetClass == GADGET_WINDOW) return g->Query(QueryNativeHandle);
  }
  return 0;
}

void TWin32Gadget::SyncShape() {
  if (gadgetClass == GADGET_MENUITEM || gadgetClass == GADGET_NODE) return;
  if (GkGadget* native = AsGadget(nativeGadget)) {
    SetRect(native->x, native->y, native->width, native->height);
  }
  std::vector<Ref<TGadget>> copy = kids;
  for (const Ref<TGadget>& kid : copy) {
    if (Ref<TWin32Gadget> child = Cast<TWin32Gadget>(kid)) child->SyncShape();
  }
}

void TWin32Gadget::SyncPosition() {
  if (GkGadget* native = AsGadget(nativeGadget)) {
    x = native->x;
    y = native->y;
  }
}

void TWin32Gadget::SetShape(int32_t x, int32_t y, int32_t w, int32_t h) {
  GkGadget* native = AsGadget(nativeGadget);
  if (!native || gadgetClass == GADGET_DESKTOP) return;
  native->SetShape(x, y, w, h);
  native->LockLayout();
  SyncShape();
}

void TWin32Gadget::SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) {
  edgeLeft = left;
  edgeRight = right;
  edgeTop = top;
  edgeBottom = bottom;
  if (GkGadget* native = AsGadget(nativeGadget)) native->SetLayout(left, right, top, bottom);
}

void TWin32Gadget::Reparent(const Ref<TGadget>& group, int32_t index) {
  Ref<TWin32Gadget> target = Cast<TWin32Gadget>(group);
  if (target && target->nativeGadget && nativeGadget) {
    target->nativeGadget->AddOwned(nativeGadget);
  }
  SetParent(group, index);
}

intptr_t TWin32Gadget::Query(int32_t code) { return nativeGadget ? nativeGadget->Query(code) : 0; }

// Children go first, then the native gadget; a second Free finds nothing left to do. The
// shared desktop is never freed.
void TWin32Gadget::Free() {
  if (gadgetClass == GADGET_DESKTOP) return;
  Ref<TWin32Gadget> self(this);  // the parent's list may hold the last reference
  if (parent) SetParent(nullptr, -1);
  std::vector<Ref<TGadget>> copy = kids;
  for (const Ref<TGadget>& kid : copy) kid->Free();
  if (gadgetClass == GADGET_CANVAS) canvasGraphics = nullptr;
  if (hotKey) {  // a freed gadget's key would otherwise keep firing its events
    RemoveHotKey(hotKey);
    hotKey = nullptr;
  }
  if (!nativeGadget) return;
  GkResource* native = std::exchange(nativeGadget, nullptr);
  // Unregistered first: messages sent while the native gadget goes carry no source.
  UnregisterGadget(native);
  if (auto* item = As<GkMenu>(native)) item->Detach();
  native->Release();
}

int32_t TWin32Gadget::ClientWidth() {
  auto* group = As<GkGroup>(nativeGadget);
  return group ? group->clientWidth : 0;
}

int32_t TWin32Gadget::ClientHeight() {
  auto* group = As<GkGroup>(nativeGadget);
  return group ? group->clientHeight : 0;
}

void TWin32Gadget::Activate(int32_t command) {
  if (gadgetClass == GADGET_WINDOW) {
    auto* window = As<GkWindow>(nativeGadget);
    if (!window) return;
    switch (command) {
      case ACTIVATE_FOCUS: window->ActivateWindow(); return;
      case ACTIVATE_MINIMIZE: window->Minimise(); return;
      case ACTIVATE_MAXIMIZE: window->Maximise(); return;
      case ACTIVATE_RESTORE: window->Restore(); return;
      default: break;
    }
  }
  if (GkGadget* native = AsGadget(nativeGadget)) native->Activate(command);
}

int32_t TWin32Gadget::State() {
  int32_t state = 0;
  if (!nativeGadget) return disabledFlag ? STATE_DISABLED : 0;
  if (auto* window = As<GkWindow>(nativeGadget)) {
    if (window->minimised) state |= STATE_MINIMIZED;
    if (window->maximised) state |= STATE_MAXIMIZED;
  }
  if (auto* item = As<GkMenu>(nativeGadget); item && item->checked) state |= STATE_SELECTED;
  if (auto* button = As<GkButton>(nativeGadget); button && button->Checked()) {
    state |= STATE_SELECTED;
  }
  auto window = reinterpret_cast<HWND>(Query(QueryNativeHandle));
  if (!window || !IsWindowVisible(window)) state |= STATE_HIDDEN;
  if (disabledFlag) state |= STATE_DISABLED;
  return state;
}

void TWin32Gadget::SetText(const String& newText) {
  if (auto* item = As<GkMenu>(nativeGadget)) {
    item->text = newText;
  } else if (GkGadget* native = AsGadget(nativeGadget)) {
    native->SetText(newText);
  }
}

String TWin32Gadget::GetText() {
  if (auto* field = As<GkTextField>(nativeGadget)) return field->CurrentText();
  if (auto* item = As<GkMenu>(nativeGadget)) return item->text;
  if (GkGadget* native = AsGadget(nativeGadget)) return native->text;
  return String();
}

void TWin32Gadget::SetFont(const Ref<TGuiFont>& font) {
  Ref<TWin32Font> own = Cast<TWin32Font>(font);
  GkGadget* native = AsGadget(nativeGadget);
  if (own && native) native->SetFont(own->native.Get());
}

void TWin32Gadget::SetColor(int32_t r, int32_t g, int32_t b) {
  if (GkGadget* native = AsGadget(nativeGadget)) native->SetColor(r, g, b);
}

void TWin32Gadget::SetTextColor(int32_t r, int32_t g, int32_t b) {
  if (GkGadget* native = AsGadget(nativeGadget)) native->SetTextColor(r, g, b);
}

void TWin32Gadget::SetAlpha(double alpha) {
  if (auto* panel = As<GkPanel>(nativeGadget)) panel->SetAlpha(static_cast<float>(alpha));
}

void TWin32Gadget::SetShow(int32_t flag) {
  if (GkGadget* native = AsGadget(nativeGadget); native && gadgetClass != GADGET_DESKTOP) {
    native->SetShow(flag);
  }
}

void TWin32Gadget::SetEnabled(int32_t flag) {
  if (gadgetClass == GADGET_DESKTOP) return;
  disabledFlag = flag ? 0 : 1;
  if (auto* item = As<GkMenu>(nativeGadget)) {
    item->enabled = flag ? 1 : 0;
  } else if (GkGadget* native = AsGadget(nativeGadget)) {
    native->SetEnabled(flag);
  }
}

void TWin32Gadget::SetSelected(int32_t flag) {
  if (auto* button = As<GkButton>(nativeGadget)) button->SetSelected(flag);
  if (auto* item = As<GkMenu>(nativeGadget)) item->checked = flag ? 1 : 0;
}

void TWin32Gadget::SetHotKey(int32_t key, int32_t modifiers) {
  if (hotKey) RemoveHotKey(hotKey);
  Ref<TEvent> event;
  if (auto* item = As<GkMenu>(nativeGadget)) {
    item->hotKey = key;
    item->modifiers = modifiers;
    auto tag = MenuTagMap().find(IntToString(item->tag));
    int32_t data = tag == MenuTagMap().end() ? 0 : StringToInt(tag->second);
    event = MakeEvent(EVENT_MENUACTION, Ref<TGadget>(this), data, 0, 0, 0, nullptr);
  } else {
    event = MakeEvent(EVENT_GADGETACTION, Ref<TGadget>(this), 0, 0, 0, 0, nullptr);
  }
  hotKey = SetHotKeyEvent(key, modifiers, event, WindowHandleOf(Ref<TGadget>(this)));
}

void TWin32Gadget::SetStatusText(const String& status) {
  if (auto* window = As<GkWindow>(nativeGadget)) window->SetStatusText(status);
}

Ref<TGadget> TWin32Gadget::GetMenu() { return Ref<TGadget>(this); }
Ref<TGadget> TWin32Gadget::RootNode() { return Ref<TGadget>(this); }

void TWin32Gadget::PopupMenu(const Ref<TGadget>& menu, const Ref<Object>& extra) {
  Ref<TWin32Gadget> menuGadget = Cast<TWin32Gadget>(menu);
  GkGadget* native = AsGadget(nativeGadget);
  auto* root = menuGadget ? As<GkMenu>(menuGadget->nativeGadget) : nullptr;
  if (!native || !root) return;
  popupExtra = extra;
  native->PopupMenu(root);
  try {
    PumpMessages();  // the chosen command becomes its event while popupExtra is still set
  } catch (...) {
    popupExtra = nullptr;
    throw;
  }
  popupExtra = nullptr;
}

void TWin32Gadget::UpdateMenu() {
  if (auto* window = As<GkWindow>(nativeGadget)) window->UpdateMenu();
}

void TWin32Gadget::SetMinimumSize(int32_t w, int32_t h) {
  if (auto* window = As<GkWindow>(nativeGadget)) window->SetMinimumSize(w, h);
}

void TWin32Gadget::SetPixmap(const Ref<Object>& pixmap, int32_t flags) {
  auto* panel = As<GkPanel>(nativeGadget);
  if (!panel) return;
  if (!pixmap) {
    panelPixmap = nullptr;
    panel->SetPixmap(GkPixels{}, flags);
    return;
  }
  Ref<TPixmap> picture = Cast<TPixmap>(pixmap);
  if (!picture) return;
  Ref<TPixmap> argb = picture->ToArgb();
  panelPixmap = argb;
  panel->SetPixmap(GkPixels{argb->width, argb->height, argb->Words()}, flags);
}

// The graphics subsystem is not part of this build: a canvas has no graphics context.
void TWin32Gadget::AttachGraphics(int32_t) { canvasGraphics = nullptr; }
Ref<Object> TWin32Gadget::CanvasGraphics() { return canvasGraphics; }

}  // namespace tarn
