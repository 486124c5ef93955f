// Native gadgets, groups and menus: fields, kid lists and the native layout.
#include "gui/native/gk_gadget.h"

#include <algorithm>

namespace tarn {

namespace {

int32_t Scaled(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>(value * numerator / denominator);
}

// One axis of DoLayout, as the portable model computes it.
void LayoutAxis(int32_t low, int32_t high, int32_t anchor, int32_t anchorSize, int32_t anchorClient,
                int32_t client, int32_t& lo, int32_t& hi) {
  if (low == 0 && high == 0) {
    lo = Scaled(client, int64_t{anchor} + anchorSize / 2, anchorClient) - anchorSize / 2;
    hi = lo + anchorSize;
    return;
  }
  if (low == 1) lo = anchor;
  if (low == 2) lo = Scaled(client, anchor, anchorClient);
  if (high == 1) hi = static_cast<int32_t>(int64_t{anchor} + anchorSize - anchorClient + client);
  if (high == 2) hi = Scaled(client, int64_t{anchor} + anchorSize, anchorClient);
  if (low == 0) {
    lo = hi - anchorSize;
  } else if (high == 0) {
    hi = lo + anchorSize;
  }
}

}  // namespace

GkGadget::GkGadget(GkGroup* parent, int32_t style) : parent(parent), style(style) {
  if (parent) parent->kids.push_back(this);
  LockLayout();
}

// A gadget missing from its parent's list has nothing to remove; a destructor cannot raise,
// so that case is simply passed over.
GkGadget::~GkGadget() {
  if (parent) {
    auto& kids = parent->kids;
    auto found = std::find(kids.begin(), kids.end(), this);
    if (found != kids.end()) kids.erase(found);
  }
}

void GkGadget::SetFont(GkFont* newFont) { font = GkRef<GkFont>(newFont); }
void GkGadget::SetText(const String& newText) { text = newText; }
void GkGadget::SetIconStrip(GkIconStrip* strip) { iconStrip = GkRef<GkIconStrip>(strip); }

void GkGadget::SetShape(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight) {
  x = newX;
  y = newY;
  width = newWidth;
  height = newHeight;
}

// Without a parent the anchored client size stays as it was.
void GkGadget::LockLayout() {
  anchorX = x;
  anchorY = y;
  anchorWidth = width;
  anchorHeight = height;
  if (!parent) return;
  anchorClientWidth = std::max(parent->clientWidth, 1);
  anchorClientHeight = std::max(parent->clientHeight, 1);
}

void GkGadget::SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) {
  edgeLeft = left;
  edgeRight = right;
  edgeTop = top;
  edgeBottom = bottom;
  LockLayout();
}

void GkGadget::DoLayout() {
  if (!parent) return;
  int32_t x0 = x, x1 = x + width, y0 = y, y1 = y + height;
  LayoutAxis(edgeLeft, edgeRight, anchorX, anchorWidth, std::max(anchorClientWidth, 1),
             std::max(parent->clientWidth, 1), x0, x1);
  LayoutAxis(edgeTop, edgeBottom, anchorY, anchorHeight, std::max(anchorClientHeight, 1),
             std::max(parent->clientHeight, 1), y0, y1);
  SetShape(x0, y0, x1 - x0, y1 - y0);
}

void GkGroup::SetShape(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight) {
  GkGadget::SetShape(newX, newY, newWidth, newHeight);
  int32_t oldWidth = clientWidth, oldHeight = clientHeight;
  ClientRect(clientX, clientY, clientWidth, clientHeight);
  if (clientWidth != oldWidth || clientHeight != oldHeight) LayoutKids();
}

void GkGroup::LayoutKids() {
  // A copy: laying a kid out may run code that changes the list.
  std::vector<GkGadget*> copy = kids;
  for (GkGadget* kid : copy) kid->DoLayout();
}

GkGroup::~GkGroup() {
  for (GkGadget* kid : kids) kid->parent = nullptr;
}

GkMenu::GkMenu(const String& text, int32_t tag, GkMenu* parent)
    : text(text), tag(tag), parent(parent) {
  if (!parent) return;
  GkMenu** link = &parent->firstChild;
  while (*link) link = &(*link)->nextSibling;
  *link = this;
  Retain();  // the parent's chain holds this item
}

void GkMenu::Detach() {
  if (!parent) return;
  GkMenu* from = parent;
  for (GkMenu** link = &from->firstChild; *link; link = &(*link)->nextSibling) {
    if (*link == this) {
      *link = nextSibling;
      break;
    }
  }
  nextSibling = nullptr;
  parent = nullptr;
  Release();
}

GkMenu::~GkMenu() {
  while (firstChild) firstChild->Detach();
}

GkWindow::GkWindow(GkGroup* parent, int32_t style) : GkGroup(parent, style) {
  menu = GkRef<GkMenu>::Adopt(new GkMenu(String(), -1, nullptr));
}

}  // namespace tarn
