#include "gui/model/proxy_gadget.h"

#include "gui/model/gui_model.h"

namespace tarn {

TProxyGadget::TProxyGadget() : target(blankGadget) {}

void TProxyGadget::SetProxy(const Ref<TGadget>& gadget) {
  if (!gadget) RaiseNullObject();
  // A proxy that reached itself through its targets would forward for ever.
  for (Ref<TGadget> g = gadget; g;
       g = Is<TProxyGadget>(g) ? Cast<TProxyGadget>(g)->target : nullptr) {
    if (g.Get() == this) RaiseRuntimeError("A proxy gadget cannot stand in for itself");
  }
  gadget->proxy = Ref<TGadget>(this);
  target = gadget;
}

intptr_t TProxyGadget::Query(int32_t code) { return target->Query(code); }
void TProxyGadget::Free() { target->Free(); }
void TProxyGadget::Rethink() { target->Rethink(); }
int32_t TProxyGadget::ClientWidth() { return target->ClientWidth(); }
int32_t TProxyGadget::ClientHeight() { return target->ClientHeight(); }
void TProxyGadget::Activate(int32_t command) { target->Activate(command); }
int32_t TProxyGadget::State() { return target->State(); }
void TProxyGadget::SetText(const String& text) { target->SetText(text); }
String TProxyGadget::GetText() { return target->GetText(); }
void TProxyGadget::SetFont(const Ref<TGuiFont>& font) { target->SetFont(font); }
void TProxyGadget::SetColor(int32_t r, int32_t g, int32_t b) { target->SetColor(r, g, b); }
void TProxyGadget::SetAlpha(double alpha) { target->SetAlpha(alpha); }
void TProxyGadget::SetTextColor(int32_t r, int32_t g, int32_t b) { target->SetTextColor(r, g, b); }
void TProxyGadget::SetIconStrip(const Ref<TIconStrip>& strip) { target->SetIconStrip(strip); }
void TProxyGadget::SetShow(int32_t flag) { target->SetShow(flag); }
void TProxyGadget::SetEnabled(int32_t flag) { target->SetEnabled(flag); }
void TProxyGadget::SetSelected(int32_t flag) { target->SetSelected(flag); }
void TProxyGadget::SetHotKey(int32_t key, int32_t modifiers) { target->SetHotKey(key, modifiers); }
void TProxyGadget::SetStatusText(const String& text) { target->SetStatusText(text); }
Ref<TGadget> TProxyGadget::GetMenu() { return target->GetMenu(); }
void TProxyGadget::PopupMenu(const Ref<TGadget>& menu, const Ref<Object>& extra) {
  target->PopupMenu(menu, extra);
}
void TProxyGadget::UpdateMenu() { target->UpdateMenu(); }
void TProxyGadget::SetMinimumSize(int32_t w, int32_t h) { target->SetMinimumSize(w, h); }
void TProxyGadget::ClearListItems() { target->ClearListItems(); }
void TProxyGadget::InsertListItem(int32_t index, const String& text, const String& tip,
                                  int32_t icon, const Ref<Object>& extra) {
  target->InsertListItem(index, text, tip, icon, extra);
}
void TProxyGadget::SetListItem(int32_t index, const String& text, const String& tip, int32_t icon,
                               const Ref<Object>& extra) {
  target->SetListItem(index, text, tip, icon, extra);
}
void TProxyGadget::RemoveListItem(int32_t index) { target->RemoveListItem(index); }
void TProxyGadget::SetListItemState(int32_t index, int32_t state) {
  target->SetListItemState(index, state);
}
int32_t TProxyGadget::ListItemState(int32_t index) { return target->ListItemState(index); }
Ref<TGadget> TProxyGadget::RootNode() { return target->RootNode(); }
Ref<TGadget> TProxyGadget::InsertNode(int32_t index, const String& text, int32_t icon) {
  return target->InsertNode(index, text, icon);
}
void TProxyGadget::ModifyNode(const String& text, int32_t icon) { target->ModifyNode(text, icon); }
Ref<TGadget> TProxyGadget::SelectedNode() { return target->SelectedNode(); }
int32_t TProxyGadget::CountKids() { return target->CountKids(); }
void TProxyGadget::ReplaceText(int32_t pos, int32_t length, const String& text, int32_t units) {
  target->ReplaceText(pos, length, text, units);
}
void TProxyGadget::AddText(const String& text) { target->AddText(text); }
String TProxyGadget::AreaText(int32_t pos, int32_t length, int32_t units) {
  return target->AreaText(pos, length, units);
}
int32_t TProxyGadget::AreaLength(int32_t units) { return target->AreaLength(units); }
void TProxyGadget::LockText() { target->LockText(); }
void TProxyGadget::UnlockText() { target->UnlockText(); }
void TProxyGadget::SetTabs(int32_t tabs) { target->SetTabs(tabs); }
int32_t TProxyGadget::SelectionLength(int32_t units) { return target->SelectionLength(units); }
int32_t TProxyGadget::CursorPos(int32_t units) { return target->CursorPos(units); }
void TProxyGadget::SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos,
                            int32_t length, int32_t units) {
  target->SetStyle(r, g, b, flags, pos, length, units);
}
void TProxyGadget::SetSelection(int32_t pos, int32_t length, int32_t units) {
  target->SetSelection(pos, length, units);
}
int32_t TProxyGadget::CharAt(int32_t line) { return target->CharAt(line); }
int32_t TProxyGadget::LineAt(int32_t index) { return target->LineAt(index); }
void TProxyGadget::SetValue(double value) { target->SetValue(value); }
void TProxyGadget::SetRange(int32_t min, int32_t max) { target->SetRange(min, max); }
void TProxyGadget::SetProp(int32_t value) { target->SetProp(value); }
int32_t TProxyGadget::GetProp() { return target->GetProp(); }
void TProxyGadget::SetPixmap(const Ref<Object>& pixmap, int32_t flags) {
  target->SetPixmap(pixmap, flags);
}
void TProxyGadget::AttachGraphics(int32_t flags) { target->AttachGraphics(flags); }
Ref<Object> TProxyGadget::CanvasGraphics() { return target->CanvasGraphics(); }
String TProxyGadget::RunScript(const String& script) { return target->RunScript(script); }

}  // namespace tarn
