// The driver operations of the plain gadget: each does nothing and gives 0, "" or the null
// object, so that the model runs without a platform and a driver overrides only what it has.
#include "gui/model/gadget.h"

namespace tarn {

void TGadget::Reparent(const Ref<TGadget>&, int32_t) {}
intptr_t TGadget::Query(int32_t) { return 0; }
void TGadget::Free() {}
void TGadget::Rethink() {}
int32_t TGadget::ClientWidth() { return 0; }
int32_t TGadget::ClientHeight() { return 0; }
void TGadget::Activate(int32_t) {}
int32_t TGadget::State() { return 0; }
void TGadget::SetText(const String&) {}
String TGadget::GetText() { return String(); }
void TGadget::SetFont(const Ref<TGuiFont>&) {}
void TGadget::SetColor(int32_t, int32_t, int32_t) {}
void TGadget::SetAlpha(double) {}
void TGadget::SetTextColor(int32_t, int32_t, int32_t) {}
void TGadget::SetIconStrip(const Ref<TIconStrip>&) {}
void TGadget::SetShow(int32_t) {}
void TGadget::SetEnabled(int32_t) {}
void TGadget::SetSelected(int32_t) {}
void TGadget::SetHotKey(int32_t, int32_t) {}
void TGadget::SetStatusText(const String&) {}
Ref<TGadget> TGadget::GetMenu() { return nullptr; }
void TGadget::PopupMenu(const Ref<TGadget>&, const Ref<Object>&) {}
void TGadget::UpdateMenu() {}
void TGadget::SetMinimumSize(int32_t, int32_t) {}
void TGadget::ClearListItems() {}
void TGadget::InsertListItem(int32_t, const String&, const String&, int32_t, const Ref<Object>&) {}
void TGadget::SetListItem(int32_t, const String&, const String&, int32_t, const Ref<Object>&) {}
void TGadget::RemoveListItem(int32_t) {}
void TGadget::SetListItemState(int32_t, int32_t) {}
int32_t TGadget::ListItemState(int32_t) { return 0; }
Ref<TGadget> TGadget::RootNode() { return nullptr; }
Ref<TGadget> TGadget::InsertNode(int32_t, const String&, int32_t) { return nullptr; }
void TGadget::ModifyNode(const String&, int32_t) {}
Ref<TGadget> TGadget::SelectedNode() { return nullptr; }
int32_t TGadget::CountKids() { return 0; }
void TGadget::ReplaceText(int32_t, int32_t, const String&, int32_t) {}
void TGadget::AddText(const String&) {}
String TGadget::AreaText(int32_t, int32_t, int32_t) { return String(); }
int32_t TGadget::AreaLength(int32_t) { return 0; }
void TGadget::LockText() {}
void TGadget::UnlockText() {}
void TGadget::SetTabs(int32_t) {}
int32_t TGadget::SelectionLength(int32_t) { return 0; }
int32_t TGadget::CursorPos(int32_t) { return 0; }
void TGadget::SetStyle(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void TGadget::SetSelection(int32_t, int32_t, int32_t) {}
int32_t TGadget::CharAt(int32_t) { return 0; }
int32_t TGadget::LineAt(int32_t) { return 0; }
void TGadget::SetValue(double) {}
void TGadget::SetRange(int32_t, int32_t) {}
void TGadget::SetProp(int32_t) {}
int32_t TGadget::GetProp() { return 0; }
void TGadget::SetPixmap(const Ref<Object>&, int32_t) {}
void TGadget::AttachGraphics(int32_t) {}
Ref<Object> TGadget::CanvasGraphics() { return nullptr; }
String TGadget::RunScript(const String&) { return String(); }

}  // namespace tarn
