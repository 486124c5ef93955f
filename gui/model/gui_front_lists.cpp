// Front-end functions on text areas, items of list-like gadgets, tree views, HTML views,
// sliders and progress bars.
#include "gui/model/gui_front.h"

namespace tarn {

void TextAreaSetText(const Ref<TGadget>& area, const String& text, int32_t pos, int32_t length,
                     int32_t units) {
  area->ReplaceText(pos, length, text, units);
}
void TextAreaAddText(const Ref<TGadget>& area, const String& text) { area->AddText(text); }
String TextAreaGetText(const Ref<TGadget>& area, int32_t pos, int32_t length, int32_t units) {
  return area->AreaText(pos, length, units);
}
int32_t TextAreaLength(const Ref<TGadget>& area, int32_t units) { return area->AreaLength(units); }
void TextAreaLock(const Ref<TGadget>& area) { area->LockText(); }
void TextAreaUnlock(const Ref<TGadget>& area) { area->UnlockText(); }
void TextAreaSetTabs(const Ref<TGadget>& area, int32_t tabs) { area->SetTabs(tabs); }
void TextAreaSetFont(const Ref<TGadget>& area, const Ref<TGuiFont>& font) { area->SetFont(font); }
void TextAreaSetColor(const Ref<TGadget>& area, int32_t r, int32_t g, int32_t b) {
  area->SetColor(r, g, b);
}
int32_t TextAreaSelectionLength(const Ref<TGadget>& area, int32_t units) {
  return area->SelectionLength(units);
}
int32_t TextAreaCursor(const Ref<TGadget>& area, int32_t units) { return area->CursorPos(units); }
void TextAreaFormat(const Ref<TGadget>& area, int32_t r, int32_t g, int32_t b, int32_t flags,
                    int32_t pos, int32_t length, int32_t units) {
  area->SetStyle(r, g, b, flags, pos, length, units);
}
void TextAreaSelect(const Ref<TGadget>& area, int32_t pos, int32_t length, int32_t units) {
  area->SetSelection(pos, length, units);
}
int32_t TextAreaCharOfLine(const Ref<TGadget>& area, int32_t line) { return area->CharAt(line); }
int32_t TextAreaLineOfChar(const Ref<TGadget>& area, int32_t index) { return area->LineAt(index); }

void ItemsClear(const Ref<TGadget>& gadget) { gadget->ClearItems(); }
void ItemsAdd(const Ref<TGadget>& gadget, const String& text, int32_t flags, int32_t icon,
              const String& tip, const Ref<Object>& extra) {
  gadget->InsertItem(gadget->ItemCount(), text, tip, icon, extra, flags);
}
void ItemsInsert(const Ref<TGadget>& gadget, int32_t index, const String& text, int32_t flags,
                 int32_t icon, const String& tip, const Ref<Object>& extra) {
  gadget->InsertItem(index, text, tip, icon, extra, flags);
}
void ItemsModify(const Ref<TGadget>& gadget, int32_t index, const String& text, int32_t flags,
                 int32_t icon, const String& tip, const Ref<Object>& extra) {
  gadget->ModifyItem(index, text, tip, icon, extra, flags);
}
void ItemsRemove(const Ref<TGadget>& gadget, int32_t index) { gadget->RemoveItem(index); }
void ItemsEnable(const Ref<TGadget>& gadget, int32_t index) {
  gadget->SetItemState(index, gadget->ItemState(index) & ~ITEMSTATE_DISABLED);
}
void ItemsDisable(const Ref<TGadget>& gadget, int32_t index) {
  gadget->SetItemState(index, gadget->ItemState(index) | ITEMSTATE_DISABLED);
}
void ItemsSelect(const Ref<TGadget>& gadget, int32_t index) { gadget->SelectItem(index, 1); }
void ItemsDeselect(const Ref<TGadget>& gadget, int32_t index) { gadget->SelectItem(index, 0); }
void ItemsToggle(const Ref<TGadget>& gadget, int32_t index) { gadget->SelectItem(index, 2); }
int32_t ItemsSelected(const Ref<TGadget>& gadget) { return gadget->SelectedItem(); }
std::vector<int32_t> ItemsSelectedAll(const Ref<TGadget>& gadget) {
  return gadget->SelectedItems();
}
int32_t ItemsCount(const Ref<TGadget>& gadget) { return gadget->ItemCount(); }
String ItemsText(const Ref<TGadget>& gadget, int32_t index) { return gadget->ItemText(index); }
int32_t ItemsIcon(const Ref<TGadget>& gadget, int32_t index) { return gadget->ItemIcon(index); }
Ref<Object> ItemsExtra(const Ref<TGadget>& gadget, int32_t index) {
  return gadget->ItemExtra(index);
}
int32_t ItemsFlags(const Ref<TGadget>& gadget, int32_t index) { return gadget->ItemFlags(index); }

void ItemsSetTips(const Ref<TGadget>& gadget, const std::vector<Ref<Object>>& tips) {
  int32_t index = 0;
  for (const Ref<Object>& tip : tips) {
    if (!tip) continue;
    if (index >= gadget->ItemCount()) return;
    String text = gadget->ItemText(index);
    int32_t icon = gadget->ItemIcon(index);
    Ref<Object> extra = gadget->ItemExtra(index);
    int32_t flags = gadget->ItemFlags(index);
    gadget->ModifyItem(index, text, tip->ToString(), icon, extra, flags);
    ++index;
  }
}

Ref<TGadget> TreeViewRoot(const Ref<TGadget>& treeView) { return treeView->RootNode(); }
Ref<TGadget> TreeViewAddNode(const String& text, const Ref<TGadget>& parent, int32_t icon) {
  return parent->InsertNode(-1, text, icon);
}
Ref<TGadget> TreeViewInsertNode(int32_t index, const String& text, const Ref<TGadget>& parent,
                                int32_t icon) {
  return parent->InsertNode(index, text, icon);
}
void TreeViewModifyNode(const Ref<TGadget>& node, const String& text, int32_t icon) {
  node->ModifyNode(text, icon);
}
Ref<TGadget> TreeViewSelectedNode(const Ref<TGadget>& treeView) { return treeView->SelectedNode(); }
int32_t TreeViewCountKids(const Ref<TGadget>& node) { return node->CountKids(); }
void TreeViewSelectNode(const Ref<TGadget>& node) { node->Activate(ACTIVATE_SELECT); }
void TreeViewExpandNode(const Ref<TGadget>& node) { node->Activate(ACTIVATE_EXPAND); }
void TreeViewCollapseNode(const Ref<TGadget>& node) { node->Activate(ACTIVATE_COLLAPSE); }
void TreeViewFreeNode(const Ref<TGadget>& node) { node->Free(); }

void HtmlViewGo(const Ref<TGadget>& view, const String& address) { view->SetText(address); }
void HtmlViewBack(const Ref<TGadget>& view) { view->Activate(ACTIVATE_BACK); }
void HtmlViewForward(const Ref<TGadget>& view) { view->Activate(ACTIVATE_FORWARD); }
int32_t HtmlViewStatus(const Ref<TGadget>& view) { return view->State(); }
String HtmlViewCurrentAddress(const Ref<TGadget>& view) { return view->GetText(); }
String HtmlViewRun(const Ref<TGadget>& view, const String& script) {
  return view->RunScript(script);
}

void SliderSetRange(const Ref<TGadget>& slider, int32_t min, int32_t max) {
  slider->SetRange(min, max);
}
void SliderSetValue(const Ref<TGadget>& slider, int32_t value) { slider->SetProp(value); }
int32_t SliderValue(const Ref<TGadget>& slider) { return slider->GetProp(); }
void ProgBarUpdate(const Ref<TGadget>& bar, double value) { bar->SetValue(value); }

}  // namespace tarn
