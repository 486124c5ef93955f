// The gadget's hierarchy, rectangle and layout.
#include "gui/model/gadget.h"

#include <algorithm>

namespace tarn {

namespace {
// Integer division truncating toward zero, as the layout rules prescribe. The products are
// formed in 64 bits so that large rectangles cannot overflow; the result is narrowed back.
int32_t Scaled(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>(value * numerator / denominator);
}
}  // namespace

void LayoutAxis(int32_t low, int32_t high, int32_t anchor, int32_t anchorSize, int32_t anchorClient,
                int32_t client, int32_t& lo, int32_t& hi) {
  if (low == LayoutFloat && high == LayoutFloat) {
    lo = Scaled(client, int64_t{anchor} + anchorSize / 2, anchorClient) - anchorSize / 2;
    hi = lo + anchorSize;
    return;
  }
  if (low == LayoutFixed) lo = anchor;
  if (low == LayoutScale) lo = Scaled(client, anchor, anchorClient);
  if (high == LayoutFixed)
    hi = static_cast<int32_t>(int64_t{anchor} + anchorSize - anchorClient + client);
  if (high == LayoutScale) hi = Scaled(client, int64_t{anchor} + anchorSize, anchorClient);
  if (low == LayoutFloat) {
    lo = hi - anchorSize;
  } else if (high == LayoutFloat) {
    hi = lo + anchorSize;
  }
}

void TGadget::SetFilter(GadgetFilter callback, const Ref<Object>& context) {
  filter = callback;
  filterContext = context;
}

void TGadget::SetParent(const Ref<TGadget>& group, int32_t index) {
  // A gadget inside itself would make every layout pass recurse for ever.
  for (TGadget* g = group.Get(); g; g = g->parent.Get()) {
    if (g == this) RaiseRuntimeError("A gadget cannot be put inside itself");
  }
  Ref<TGadget> self(this);  // the old parent's list may hold the last reference
  if (parent) {
    auto& siblings = parent->kids;
    auto found = std::find_if(siblings.begin(), siblings.end(),
                              [this](const Ref<TGadget>& kid) { return kid.Get() == this; });
    if (found != siblings.end()) siblings.erase(found);
  }
  parent = group;
  if (!group) return;
  auto& kids = group->kids;
  if (index >= 0 && index < static_cast<int32_t>(kids.size())) {
    kids.insert(kids.begin() + index, self);
  } else {
    kids.push_back(self);
  }
}

Ref<Object> TGadget::Identity(const Ref<Object>& value) { return value; }

void TGadget::SetShape(int32_t x, int32_t y, int32_t w, int32_t h) {
  SetArea(x, y, w, h);
  LockLayout();
}

void TGadget::SetArea(int32_t x, int32_t y, int32_t w, int32_t h) {
  SetRect(x, y, w, h);
  Rethink();
  LayoutKids();
}

void TGadget::SetRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  this->x = x;
  this->y = y;
  width = w;
  height = h;
}

void TGadget::LockLayout() {
  anchorX = x;
  anchorY = y;
  anchorWidth = width;
  anchorHeight = height;
  anchorClientWidth = parent ? std::max(parent->ClientWidth(), 1) : 1;
  anchorClientHeight = parent ? std::max(parent->ClientHeight(), 1) : 1;
}

void TGadget::SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) {
  edgeLeft = left;
  edgeRight = right;
  edgeTop = top;
  edgeBottom = bottom;
  LockLayout();
}

void TGadget::LayoutKids() {
  // A copy: laying out a child may run driver code that changes the list.
  std::vector<Ref<TGadget>> copy = kids;
  for (const Ref<TGadget>& kid : copy) kid->DoLayout();
}

void TGadget::DoLayout() {
  if (!parent) return;
  // A gadget positioned before any LockLayout has no anchor client size yet.
  int32_t acw = std::max(anchorClientWidth, 1);
  int32_t ach = std::max(anchorClientHeight, 1);
  int32_t x0 = x, x1 = x + width, y0 = y, y1 = y + height;
  LayoutAxis(edgeLeft, edgeRight, anchorX, anchorWidth, acw, std::max(parent->ClientWidth(), 1), x0,
             x1);
  LayoutAxis(edgeTop, edgeBottom, anchorY, anchorHeight, ach, std::max(parent->ClientHeight(), 1),
             y0, y1);
  SetArea(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace tarn
