// The portable core of the native library: reference counts with ownership links, kid lists,
// native layout and menu chains.
#include <gtest/gtest.h>

#include "gui/native/gk_gadget.h"

namespace tarn {
namespace {

class TestGadget : public GkGadget {
 public:
  using GkGadget::GkGadget;
  void SetShow(int32_t) override {}
  void SetEnabled(int32_t) override {}
  void Activate(int32_t) override {}
};

class TestGroup : public GkGroup {
 public:
  using GkGroup::GkGroup;
  void SetShow(int32_t) override {}
  void SetEnabled(int32_t) override {}
  void Activate(int32_t) override {}
  // The whole rectangle is client area.
  void ClientRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h) override {
    x = y = 0;
    w = width;
    h = height;
  }
};

TEST(GkCore, OwnedResourcesLiveUntilTheirHolderGoes) {
  int32_t live = GkResource::LiveCount();
  auto* group = new TestGroup(nullptr, 0);
  auto* gadget = new TestGadget(nullptr, 0);
  group->AddOwned(gadget);
  EXPECT_EQ(gadget->RefCount(), 2);
  gadget->Release();  // the creator lets go; the group still holds it
  EXPECT_EQ(GkResource::LiveCount(), live + 2);
  group->Release();  // and the group takes it along
  EXPECT_EQ(GkResource::LiveCount(), live);
}

TEST(GkCore, KidsLeaveTheirGroupAndAGroupCutsRemainingKidsLoose) {
  auto* group = new TestGroup(nullptr, 0);
  auto* first = new TestGadget(group, 0);
  auto* second = new TestGadget(group, 0);
  ASSERT_EQ(group->kids.size(), 2u);
  first->Release();
  ASSERT_EQ(group->kids.size(), 1u);
  EXPECT_EQ(group->kids[0], second);
  group->Release();
  EXPECT_EQ(second->parent, nullptr);
  second->Release();  // no group to touch any more
}

TEST(GkCore, GroupLaysOutItsKidsWhenItsClientSizeChanges) {
  auto* group = new TestGroup(nullptr, 0);
  group->SetShape(0, 0, 200, 100);
  auto* pinned = new TestGadget(group, 0);
  pinned->SetShape(10, 20, 180, 30);
  pinned->SetLayout(1, 1, 1, 0);  // keeps both side margins and the top
  auto* floating = new TestGadget(group, 0);
  floating->SetShape(10, 20, 40, 40);
  floating->LockLayout();
  group->SetShape(0, 0, 400, 200);
  EXPECT_EQ(pinned->x, 10);
  EXPECT_EQ(pinned->width, 380);
  EXPECT_EQ(pinned->y, 20);
  EXPECT_EQ(pinned->height, 30);
  EXPECT_EQ(floating->x, 40);  // the centre keeps its fraction of the client
  EXPECT_EQ(floating->y, 60);
  EXPECT_EQ(floating->width, 40);
  group->SetShape(0, 0, 0, 0);  // a client of 0 counts as 1: no division by zero
  pinned->Release();
  floating->Release();
  group->Release();
}

TEST(GkCore, MenuChainsHoldTheirItemsInOrder) {
  int32_t live = GkResource::LiveCount();
  auto* root = new GkMenu(String(), -1, nullptr);
  auto* a = new GkMenu("a", 100, root);
  auto* b = new GkMenu("b", 101, root);
  auto* c = new GkMenu("c", 102, root);
  EXPECT_EQ(root->firstChild, a);
  EXPECT_EQ(a->nextSibling, b);
  EXPECT_EQ(b->nextSibling, c);
  b->Detach();
  EXPECT_EQ(a->nextSibling, c);
  b->Release();
  a->Release();
  c->Release();  // the chain still holds a and c
  EXPECT_EQ(GkResource::LiveCount(), live + 3);
  root->Release();
  EXPECT_EQ(GkResource::LiveCount(), live);
}

}  // namespace
}  // namespace tarn
