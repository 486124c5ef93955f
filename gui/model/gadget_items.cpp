// The gadget's list items and their binding to a data source.
//
// The model keeps the item records; the native control keeps what it shows and the selection
// state. Every change goes to both sides, the model first, through the list operations of the
// driver.
#include <algorithm>

#include "gui/model/data_source.h"
#include "gui/model/gadget.h"

namespace tarn {

void TGadgetItem::Set(const String& text, const String& tip, int32_t icon, const Ref<Object>& extra,
                      int32_t flags) {
  this->text = text;
  this->tip = tip;
  this->icon = icon;
  this->extra = extra;
  this->flags = flags;
}

void TGadget::CheckItemIndex(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(items.size())) Raise(New<TArrayBoundsException>());
}

const Ref<TGadgetItem>& TGadget::Item(int32_t index) const {
  CheckItemIndex(index);
  return items[index];
}

void TGadget::SetDataSource(const Ref<Object>& source) {
  ClearItems();
  dataSource = source;
  sourceTexts.clear();
  SyncDataSource();
}

std::vector<String> TGadget::ListToTexts(const std::list<Ref<Object>>& list) {
  std::vector<String> texts(list.size());
  size_t filled = 0;
  for (const Ref<Object>& element : list) {
    if (element) texts[filled++] = element->ToString();
  }
  return texts;
}

std::vector<String> TGadget::ObjectsToTexts(const std::vector<Ref<Object>>& objects) {
  std::vector<String> texts(objects.size());
  size_t filled = 0;
  for (const Ref<Object>& element : objects) {
    if (element) texts[filled++] = element->ToString();
  }
  return texts;
}

void TGadget::SyncDataSource() {
  if (!dataSource) return;
  std::vector<String> texts;
  if (Ref<TObjectList> list = Cast<TObjectList>(dataSource)) {
    texts = ListToTexts(list->elements);
  } else if (Ref<TStringArray> strings = Cast<TStringArray>(dataSource)) {
    texts = strings->elements;
  } else if (Ref<TObjectArray> objects = Cast<TObjectArray>(dataSource)) {
    texts = ObjectsToTexts(objects->elements);
  }
  if (!texts.empty()) {
    SyncItems(texts);
    sourceTexts = texts;
    return;
  }
  // An empty or unknown source shows no items. The remembered texts go too: they describe
  // the items, and a later sync must not take the cleared items for still shown.
  if (!items.empty()) ClearItems();
  sourceTexts.clear();
}

void TGadget::SyncItems(const std::vector<String>& texts) {
  const std::vector<String> old = sourceTexts;  // the driver calls below may not change it
  const size_t oldCount = old.size();
  size_t a = 0;  // read position in the old texts; items[i...] show old[a...]
  size_t i = 0;
  for (; i < texts.size(); ++i) {
    const String& t = texts[i];
    if (a < oldCount) {
      if (t == old[a]) {
        ++a;
        continue;
      }
      size_t j = a + 1;
      while (j < oldCount && !(old[j] == t)) ++j;
      size_t k = j - a;  // old entries before the match
      size_t b = 1;      // the match and the pairs that follow it
      while (i + b < texts.size() && j + b < oldCount && texts[i + b] == old[j + b]) ++b;
      if (k < b) {
        for (size_t n = 0; n < k; ++n) RemoveItem(static_cast<int32_t>(i));
        a += k + 1;
        continue;
      }
    }
    InsertSourceItem(static_cast<int32_t>(i), t);
  }
  while (static_cast<int32_t>(i) < ItemCount()) RemoveItem(static_cast<int32_t>(i));
}

void TGadget::InsertSourceItem(int32_t index, const String& text) {
  InsertItem(index, text, String(), 0, dataSource, 0);
}

void TGadget::ClearItems() {
  ClearListItems();
  items.clear();
}

void TGadget::InsertItem(int32_t index, const String& text, const String& tip, int32_t icon,
                         const Ref<Object>& extra, int32_t flags) {
  if (index < 0 || index > static_cast<int32_t>(items.size())) Raise(New<TArrayBoundsException>());
  Ref<TGadgetItem> item = New<TGadgetItem>();
  item->Set(text, tip, icon, extra, flags);
  items.insert(items.begin() + index, item);
  InsertListItem(index, text, tip, icon, extra);
  if (flags & ITEMFLAG_SELECTED) SelectItem(index, 1);
}

void TGadget::ModifyItem(int32_t index, const String& text, const String& tip, int32_t icon,
                         const Ref<Object>& extra, int32_t flags) {
  Item(index)->Set(text, tip, icon, extra, flags);
  SetListItem(index, text, tip, icon, extra);
  if (flags & ITEMFLAG_SELECTED) SelectItem(index, 1);
}

void TGadget::RemoveItem(int32_t index) {
  CheckItemIndex(index);
  items.erase(items.begin() + index);
  RemoveListItem(index);
}

int32_t TGadget::ItemCount() { return static_cast<int32_t>(items.size()); }
String TGadget::ItemText(int32_t index) { return Item(index)->text; }
String TGadget::ItemTip(int32_t index) { return Item(index)->tip; }
int32_t TGadget::ItemFlags(int32_t index) { return Item(index)->flags; }
int32_t TGadget::ItemIcon(int32_t index) { return Item(index)->icon; }
Ref<Object> TGadget::ItemExtra(int32_t index) { return Item(index)->extra; }

void TGadget::SetItemState(int32_t index, int32_t state) {
  CheckItemIndex(index);
  SetListItemState(index, state);
}

int32_t TGadget::ItemState(int32_t index) {
  CheckItemIndex(index);
  return ListItemState(index);
}

void TGadget::SelectItem(int32_t index, int32_t op) {
  if (index == -1) {
    for (int32_t i = 0; i < ItemCount(); ++i) SelectItem(i, op);
    return;
  }
  int32_t state = ItemState(index);
  if (op == 0) state &= ~ITEMSTATE_SELECTED;
  if (op == 1) state |= ITEMSTATE_SELECTED;
  if (op == 2) state ^= ITEMSTATE_SELECTED;
  Ref<TGadgetItem> item = Item(index);
  if (item->icon >= 0 && (item->flags & ITEMFLAG_TOGGLE)) {
    int32_t shown = item->icon + ((state & ITEMSTATE_SELECTED) ? 1 : 0);
    SetListItem(index, item->text, item->tip, shown, item->extra);
  }
  SetItemState(index, state);
}

int32_t TGadget::SelectedItem() {
  for (int32_t i = 0; i < ItemCount(); ++i) {
    if (ItemState(i) & ITEMSTATE_SELECTED) return i;
  }
  return -1;
}

std::vector<int32_t> TGadget::SelectedItems() {
  std::vector<int32_t> selected;
  for (int32_t i = 0; i < ItemCount(); ++i) {
    if (ItemState(i) & ITEMSTATE_SELECTED) selected.push_back(i);
  }
  return selected;
}

}  // namespace tarn
