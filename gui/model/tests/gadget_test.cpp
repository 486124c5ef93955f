#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "gui/model/gui_model.h"
#include "gui/model/tests/recording.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing_support::CallLog;
using testing_support::CallsOf;
using testing_support::RecordingGadget;
using testing_support::Tag;

class GadgetModel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitGuiModel(); }
  void SetUp() override { CallLog().clear(); }
  // Takes every gadget made here apart, so that no parent-child cycle outlives the test.
  void TearDown() override {
    for (const Ref<RecordingGadget>& g : made_) {
      g->SetParent(nullptr, -1);
      g->proxy = nullptr;
    }
  }
  Ref<RecordingGadget> Make(const std::string& name) {
    made_.push_back(New<RecordingGadget>(name));
    return made_.back();
  }
  // A list-like gadget showing texts, as if a data source had put them there.
  Ref<RecordingGadget> ListShowing(const std::vector<std::string>& texts) {
    Ref<RecordingGadget> list = Make("list");
    for (const std::string& t : texts) {
      list->InsertItem(list->ItemCount(), String(t.c_str()), String(), 0, nullptr, 0);
      list->sourceTexts.push_back(String(t.c_str()));
    }
    CallLog().clear();
    return list;
  }

 private:
  std::vector<Ref<RecordingGadget>> made_;
};

std::vector<std::string> Names(const std::vector<Ref<TGadget>>& gadgets) {
  std::vector<std::string> names;
  for (const Ref<TGadget>& g : gadgets) names.push_back(g->ToString().ToBytes());
  return names;
}

std::vector<std::string> Bytes(const std::vector<String>& texts) {
  std::vector<std::string> bytes;
  for (const String& t : texts) bytes.push_back(t.ToBytes());
  return bytes;
}

std::vector<String> Texts(const std::vector<std::string>& bytes) {
  std::vector<String> texts;
  for (const std::string& b : bytes) texts.push_back(String(b.c_str()));
  return texts;
}

TEST_F(GadgetModel, SetParentPlacesTheGadgetByIndex) {
  struct Case {
    int32_t index;
    std::vector<std::string> order;
  } cases[] = {
      {-1, {"a", "b", "c", "new"}}, {0, {"new", "a", "b", "c"}}, {1, {"a", "new", "b", "c"}},
      {2, {"a", "b", "new", "c"}},  {3, {"a", "b", "c", "new"}}, {9, {"a", "b", "c", "new"}},
  };
  for (const Case& c : cases) {
    Ref<RecordingGadget> group = Make("group");
    for (const char* name : {"a", "b", "c"}) Make(name)->SetParent(group, -1);
    Ref<RecordingGadget> added = Make("new");
    added->SetParent(group, c.index);
    EXPECT_EQ(Names(group->kids), c.order) << "index " << c.index;
    EXPECT_TRUE(added->parent == group);
  }

  Ref<RecordingGadget> empty = Make("empty");
  Ref<RecordingGadget> first = Make("first");
  first->SetParent(empty, 0);
  EXPECT_EQ(Names(empty->kids), std::vector<std::string>{"first"});
}

TEST_F(GadgetModel, SetParentMovesTheGadgetOutOfItsOldGroup) {
  Ref<RecordingGadget> one = Make("one");
  Ref<RecordingGadget> two = Make("two");
  Ref<RecordingGadget> kid = Make("kid");
  Make("other")->SetParent(one, -1);
  kid->SetParent(one, 0);
  kid->SetParent(two, -1);
  EXPECT_EQ(Names(one->kids), std::vector<std::string>{"other"});
  EXPECT_EQ(Names(two->kids), std::vector<std::string>{"kid"});

  // Within the same group the index counts without the gadget itself.
  Make("x")->SetParent(two, -1);
  Make("y")->SetParent(two, -1);
  kid->SetParent(two, 1);
  EXPECT_EQ(Names(two->kids), (std::vector<std::string>{"x", "kid", "y"}));

  kid->SetParent(nullptr, 0);
  EXPECT_TRUE(kid->parent.IsNull());
  EXPECT_EQ(Names(two->kids), (std::vector<std::string>{"x", "y"}));
}

TEST_F(GadgetModel, AGadgetCannotBePutInsideItself) {
  Ref<RecordingGadget> outer = Make("outer");
  Ref<RecordingGadget> inner = Make("inner");
  inner->SetParent(outer, -1);
  EXPECT_RAISES_TEXT(outer->SetParent(outer, -1), "A gadget cannot be put inside itself");
  EXPECT_RAISES_TEXT(outer->SetParent(inner, -1), "A gadget cannot be put inside itself");
  EXPECT_TRUE(outer->parent.IsNull());
  EXPECT_EQ(Names(outer->kids), std::vector<std::string>{"inner"});
}

// A gadget locked into a parent's client area of one size, then laid out in another.
struct LayoutCase {
  const char* what;
  int32_t left, right, top, bottom;
  int32_t x, y, w, h;              // the rectangle at LockLayout
  int32_t clientW, clientH;        // the parent's client size at LockLayout
  int32_t newClientW, newClientH;  // ... and at DoLayout
  int32_t ex, ey, ew, eh;          // the rectangle DoLayout gives
};

TEST_F(GadgetModel, DoLayoutFollowsTheEdgeModes) {
  const LayoutCase cases[] = {
      {"float keeps size and centre fraction", 0, 0, 0, 0, 10, 20, 40, 40, 200, 100, 400, 200, 40,
       60, 40, 40},
      {"fixed edges keep both margins", 1, 1, 1, 1, 10, 20, 40, 40, 200, 100, 300, 150, 10, 20, 140,
       90},
      {"scaled edges keep their fractions", 2, 2, 2, 2, 10, 20, 40, 40, 200, 100, 300, 150, 15, 30,
       60, 60},
      {"fixed left and top, floating right and bottom", 1, 0, 1, 0, 10, 20, 40, 40, 200, 100, 300,
       150, 10, 20, 40, 40},
      {"fixed right and bottom pull the gadget along", 0, 1, 0, 1, 10, 20, 40, 40, 200, 100, 300,
       150, 110, 70, 40, 40},
      {"scaled left with floating right keeps the width", 2, 0, 0, 2, 10, 20, 40, 40, 200, 100, 300,
       150, 15, 50, 40, 40},
      {"shrinking client", 1, 1, 0, 0, 10, 20, 40, 40, 200, 100, 100, 50, 10, 0, -60, 40},
      {"division truncates toward zero", 0, 0, 0, 0, -35, 0, 40, 10, 200, 100, 300, 100, -42, 0, 40,
       10},
      {"client size 0 counts as 1 at lock and layout", 0, 0, 1, 1, 10, 20, 40, 40, 0, 0, 0, 0, 10,
       20, 40, 40},
      {"client grown from 0", 1, 1, 0, 0, 10, 20, 40, 40, 0, 0, 100, 1, 10, 20, 139, 40},
  };
  for (const LayoutCase& c : cases) {
    Ref<RecordingGadget> parent = Make("parent");
    Ref<RecordingGadget> kid = Make("kid");
    kid->SetParent(parent, -1);
    parent->clientWidth = c.clientW;
    parent->clientHeight = c.clientH;
    kid->SetRect(c.x, c.y, c.w, c.h);
    kid->SetLayout(c.left, c.right, c.top, c.bottom);
    EXPECT_EQ(kid->anchorClientWidth, std::max(c.clientW, 1)) << c.what;
    parent->clientWidth = c.newClientW;
    parent->clientHeight = c.newClientH;
    kid->DoLayout();
    EXPECT_EQ((std::vector<int32_t>{kid->x, kid->y, kid->width, kid->height}),
              (std::vector<int32_t>{c.ex, c.ey, c.ew, c.eh}))
        << c.what;
  }
}

// A group whose client area is its whole rectangle.
class Group : public TGadget {
 public:
  int32_t ClientWidth() override { return width; }
  int32_t ClientHeight() override { return height; }
};

TEST_F(GadgetModel, SetAreaLaysOutTheWholeTree) {
  Ref<Group> window = New<Group>();
  Ref<Group> panel = New<Group>();
  Ref<Group> button = New<Group>();
  window->SetShape(0, 0, 200, 100);
  panel->SetParent(window, -1);
  panel->SetShape(0, 0, 200, 100);
  panel->SetLayout(LayoutFixed, LayoutFixed, LayoutFixed, LayoutFixed);
  button->SetParent(panel, -1);
  button->SetShape(150, 80, 40, 10);
  button->SetLayout(LayoutFloat, LayoutFixed, LayoutFloat, LayoutFixed);

  window->SetShape(0, 0, 300, 150);
  EXPECT_EQ((std::vector<int32_t>{panel->width, panel->height}), (std::vector<int32_t>{300, 150}));
  EXPECT_EQ((std::vector<int32_t>{button->x, button->y, button->width, button->height}),
            (std::vector<int32_t>{250, 130, 40, 10}));
  // Laid out again for the same client size, nothing moves.
  panel->DoLayout();
  EXPECT_EQ(button->x, 250);

  button->SetParent(nullptr, -1);
  panel->SetParent(nullptr, -1);
}

TEST_F(GadgetModel, LayoutWithoutParentOrAnchor) {
  Ref<RecordingGadget> lone = Make("lone");
  lone->SetRect(5, 6, 7, 8);
  lone->LockLayout();
  EXPECT_EQ(lone->anchorClientWidth, 1);
  EXPECT_EQ(lone->anchorClientHeight, 1);
  lone->DoLayout();  // no parent: nothing
  EXPECT_EQ((std::vector<int32_t>{lone->x, lone->y, lone->width, lone->height}),
            (std::vector<int32_t>{5, 6, 7, 8}));

  // Laid out before any LockLayout: the anchor client size 0 counts as 1.
  Ref<RecordingGadget> parent = Make("parent");
  Ref<RecordingGadget> fresh = Make("fresh");
  fresh->SetParent(parent, -1);
  parent->clientWidth = 50;
  fresh->DoLayout();
  EXPECT_EQ(fresh->width, 0);
}

TEST_F(GadgetModel, ItemOperationsReachTheNativeList) {
  Ref<RecordingGadget> list = Make("list");
  Ref<Object> extra = New<Tag>("extra");
  list->InsertItem(0, "b", "tip b", 1, extra, 0);
  list->InsertItem(0, "a", "", -1, nullptr, ITEMFLAG_SELECTED);
  list->InsertItem(2, "c", "", 2, nullptr, 0);
  EXPECT_EQ(Bytes(list->nativeTexts), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list->nativeStates, (std::vector<int32_t>{ITEMSTATE_SELECTED, 0, 0}));
  EXPECT_EQ(list->ItemTip(1).ToBytes(), "tip b");
  EXPECT_TRUE(list->ItemExtra(1) == extra);
  EXPECT_EQ(list->ItemIcon(0), -1);

  list->ModifyItem(2, "C", "tip", 5, extra, ITEMFLAG_SELECTED);
  EXPECT_EQ(list->ItemText(2).ToBytes(), "C");
  EXPECT_EQ(list->ItemFlags(2), ITEMFLAG_SELECTED);
  EXPECT_EQ(list->SelectedItems(), (std::vector<int32_t>{0, 2}));

  list->RemoveItem(0);
  EXPECT_EQ(Bytes(list->nativeTexts), (std::vector<std::string>{"b", "C"}));
  EXPECT_EQ(list->SelectedItem(), 1);
  list->ClearItems();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_TRUE(list->nativeTexts.empty());
  EXPECT_EQ(list->SelectedItem(), -1);
}

TEST_F(GadgetModel, InvalidItemIndicesRaiseArrayBounds) {
  Ref<RecordingGadget> list = ListShowing({"a", "b"});
  EXPECT_RAISES_CLASS(list->InsertItem(3, "x", "", 0, nullptr, 0), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->InsertItem(-1, "x", "", 0, nullptr, 0), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->ModifyItem(2, "x", "", 0, nullptr, 0), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->RemoveItem(2), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->ItemText(-1), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->ItemState(2), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->SetItemState(5, 16), TArrayBoundsException);
  EXPECT_RAISES_CLASS(list->SelectItem(-2, 1), TArrayBoundsException);
  // Nothing reached the native list, and nothing changed.
  EXPECT_TRUE(CallsOf("InsertListItem").empty());
  EXPECT_TRUE(CallsOf("RemoveListItem").empty());
  EXPECT_EQ(Bytes(list->nativeTexts), (std::vector<std::string>{"a", "b"}));
}

TEST_F(GadgetModel, SelectItemOperations) {
  Ref<RecordingGadget> list = ListShowing({"a", "b", "c", "d"});
  list->SelectItem(1, 1);
  list->SelectItem(3, 2);
  list->SelectItem(3, 7);  // unknown op: state stays
  EXPECT_EQ(list->SelectedItems(), (std::vector<int32_t>{1, 3}));
  list->SelectItem(-1, 2);  // flips every item
  EXPECT_EQ(list->SelectedItems(), (std::vector<int32_t>{0, 2}));
  list->SelectItem(0, 0);
  EXPECT_EQ(list->SelectedItem(), 2);
  list->SelectItem(-1, 1);
  EXPECT_EQ(list->SelectedItems(), (std::vector<int32_t>{0, 1, 2, 3}));
  // Other state bits survive selection changes.
  list->SetItemState(0, ITEMSTATE_DISABLED | ITEMSTATE_SELECTED);
  list->SelectItem(0, 2);
  EXPECT_EQ(list->ItemState(0), ITEMSTATE_DISABLED);
}

TEST_F(GadgetModel, ToggleItemsShowTheNextIconWhileSelected) {
  Ref<RecordingGadget> bar = Make("bar");
  bar->InsertItem(0, "t", "tip", 3, nullptr, ITEMFLAG_TOGGLE);
  bar->InsertItem(1, "n", "", -1, nullptr, ITEMFLAG_TOGGLE);  // no icon: nothing to show
  bar->InsertItem(2, "p", "", 3, nullptr, 0);                 // not a toggle item
  CallLog().clear();
  bar->SelectItem(0, 2);
  bar->SelectItem(0, 2);
  bar->SelectItem(1, 1);
  bar->SelectItem(2, 1);
  EXPECT_EQ(CallsOf("SetListItem"), (std::vector<std::string>{
                                        "bar.SetListItem(0, \"t\", \"tip\", 4, null)",
                                        "bar.SetListItem(0, \"t\", \"tip\", 3, null)",
                                    }));
  EXPECT_EQ(bar->SelectedItems(), (std::vector<int32_t>{1, 2}));
}

TEST_F(GadgetModel, SyncItemsMakesFewChanges) {
  struct Case {
    std::vector<std::string> from, to, listCalls;
  } cases[] = {
      {{"a", "b", "c"}, {"a", "x", "b", "c"}, {"list.InsertListItem(1, \"x\", \"\", 0, null)"}},
      {{"a", "b", "c", "d"}, {"a", "c", "d"}, {"list.RemoveListItem(1)"}},
      // One skipped entry does not outweigh one match: insert, then drop the tail.
      {{"a", "b", "c"},
       {"a", "c"},
       {"list.InsertListItem(1, \"c\", \"\", 0, null)", "list.RemoveListItem(2)",
        "list.RemoveListItem(2)"}},
      {{"P", "Q", "R"}, {"Q", "R"}, {"list.RemoveListItem(0)"}},
      {{"P", "Q", "R"}, {"X", "P", "Q", "R"}, {"list.InsertListItem(0, \"X\", \"\", 0, null)"}},
      {{"a", "b"}, {"a", "b"}, {}},
      {{},
       {"a", "b"},
       {"list.InsertListItem(0, \"a\", \"\", 0, null)",
        "list.InsertListItem(1, \"b\", \"\", 0, null)"}},
      {{"a", "b"}, {}, {"list.RemoveListItem(0)", "list.RemoveListItem(0)"}},
  };
  for (const Case& c : cases) {
    Ref<RecordingGadget> list = ListShowing(c.from);
    list->SyncItems(Texts(c.to));
    std::vector<std::string> listCalls;
    for (const auto& call : CallLog()) {
      if (call.text.find("ListItem(") != std::string::npos) listCalls.push_back(call.text);
    }
    EXPECT_EQ(listCalls, c.listCalls) << ::testing::PrintToString(c.to);
    EXPECT_EQ(Bytes(list->nativeTexts), c.to);
  }
}

TEST_F(GadgetModel, SyncItemsAlwaysEndsWithTheNewTexts) {
  std::mt19937 random(12345);
  auto randomTexts = [&random] {
    std::vector<std::string> texts(random() % 8);
    for (std::string& t : texts) t = std::string(1, static_cast<char>('a' + random() % 4));
    return texts;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> from = randomTexts(), to = randomTexts();
    Ref<RecordingGadget> list = ListShowing(from);
    list->SyncItems(Texts(to));
    ASSERT_EQ(Bytes(list->nativeTexts), to) << ::testing::PrintToString(from);
    for (int32_t i = 0; i < list->ItemCount(); ++i) ASSERT_EQ(list->ItemText(i).ToBytes(), to[i]);
  }
}

TEST_F(GadgetModel, DataSourcesOfEveryShape) {
  Ref<Object> named = New<Tag>("named");
  struct Case {
    const char* what;
    Ref<Object> source;
    std::vector<std::string> shown;
  } cases[] = {
      // Null elements are skipped, so the texts end in empty ones.
      {"list",
       New<TObjectList>(std::list<Ref<Object>>{String("a"), nullptr, named}),
       {"a", "named", ""}},
      {"strings", New<TStringArray>(std::vector<String>{"x", "", "y"}), {"x", "", "y"}},
      {"objects", New<TObjectArray>(std::vector<Ref<Object>>{nullptr, named}), {"named", ""}},
      {"other object", named, {}},
      {"empty array", New<TStringArray>(), {}},
  };
  for (const Case& c : cases) {
    Ref<RecordingGadget> list = ListShowing({"old"});
    list->SetDataSource(c.source);
    EXPECT_EQ(Bytes(list->nativeTexts), c.shown) << c.what;
    EXPECT_EQ(Bytes(list->sourceTexts), c.shown) << c.what;
    for (int32_t i = 0; i < list->ItemCount(); ++i) {
      EXPECT_TRUE(list->ItemExtra(i) == c.source) << c.what;
      EXPECT_EQ(list->ItemIcon(i), 0) << c.what;
    }
  }
}

TEST_F(GadgetModel, SyncDataSourceFollowsTheSourceThroughEmptiness) {
  Ref<TStringArray> source = New<TStringArray>(std::vector<String>{"a", "b", "c"});
  Ref<RecordingGadget> list = Make("list");
  list->SetDataSource(source);
  source->elements = {"a", "c", "d"};
  list->SyncDataSource();
  EXPECT_EQ(Bytes(list->nativeTexts), (std::vector<std::string>{"a", "c", "d"}));

  // Emptied, the gadget shows nothing; filled again with the very same texts, it shows
  // them all again.
  source->elements.clear();
  list->SyncDataSource();
  EXPECT_EQ(list->ItemCount(), 0);
  source->elements = {"a", "c", "d"};
  list->SyncDataSource();
  EXPECT_EQ(Bytes(list->nativeTexts), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_EQ(list->ItemCount(), 3);

  list->SetDataSource(nullptr);
  EXPECT_EQ(list->ItemCount(), 0);
  list->SyncDataSource();  // no source: nothing
}

std::vector<Ref<TEvent>>* posted = nullptr;
Ref<Object> Catch(int32_t, const Ref<Object>& data, const Ref<Object>&) {
  if (posted) posted->push_back(Cast<TEvent>(data));
  return data;
}

TEST_F(GadgetModel, PostGuiEventReportsTheProxyAsSource) {
  std::vector<Ref<TEvent>> events;
  posted = &events;
  InsertHook(EventHookId, Catch, nullptr, 0);
  Ref<RecordingGadget> plain = Make("plain");
  Ref<RecordingGadget> standIn = Make("standIn");
  Ref<RecordingGadget> proxied = Make("proxied");
  proxied->proxy = standIn;
  Ref<Object> other = New<Tag>("other");

  PostGuiEvent(EVENT_GADGETACTION, proxied, 1, 2, 3, 4, String("x"));
  PostGuiEvent(EVENT_GADGETACTION, plain, 0, 0, 0, 0, nullptr);
  PostGuiEvent(EVENT_GADGETACTION, other, 0, 0, 0, 0, nullptr);
  PostGuiEvent(EVENT_WINDOWCLOSE, nullptr, 0, 0, 0, 0, nullptr);
  DeleteHook(EventHookId, Catch, nullptr);
  posted = nullptr;

  ASSERT_EQ(events.size(), 4u);
  EXPECT_TRUE(events[0]->source == standIn);
  EXPECT_EQ(events[0]->ToString().ToBytes(), "GadgetAction: data=1, mods=2, x=3, y=4, extra=\"x\"");
  EXPECT_TRUE(events[1]->source == plain);
  EXPECT_TRUE(events[2]->source == other);
  EXPECT_TRUE(events[3]->source.IsNull());
}

class HotKeys : public GadgetModel {
 protected:
  void SetUp() override {
    GadgetModel::SetUp();
    hotKeys = nullptr;
  }
  void TearDown() override {
    hotKeys = nullptr;
    GadgetModel::TearDown();
  }
  static int Count() {
    int n = 0;
    for (Ref<THotKey> k = hotKeys; k; k = k->next) ++n;
    return n;
  }
};

TEST_F(HotKeys, SetHotKeyEventMakesOrReplacesOneEntry) {
  Ref<THotKey> made = SetHotKeyEvent(65, 2, nullptr, 0);
  ASSERT_TRUE(made == hotKeys);
  EXPECT_EQ(made->event->ToString().ToBytes(),
            "Unknown Event, id=4097: data=65, mods=2, x=0, y=0, extra=\"\"");
  EXPECT_EQ(made->event->id, EVENT_HOTKEY);
  EXPECT_TRUE(made->event->source.IsNull());

  // Same key and modifiers, another owner: the one entry now belongs to the second owner.
  Ref<TEvent> action = MakeEvent(EVENT_GADGETACTION, nullptr, 0, 0, 0, 0, nullptr);
  Ref<THotKey> again = SetHotKeyEvent(65, 2, action, 77);
  EXPECT_TRUE(again == made);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(again->owner, 77);
  EXPECT_TRUE(again->event == action);

  Ref<THotKey> other = SetHotKeyEvent(65, 1, nullptr, 0);
  EXPECT_TRUE(hotKeys == other);  // new entries go to the head
  EXPECT_EQ(Count(), 2);
}

TEST_F(HotKeys, FindHotKeyEventLooksAtTheOwner) {
  Ref<TEvent> forWindow = MakeEvent(EVENT_GADGETACTION, nullptr, 1, 0, 0, 0, nullptr);
  Ref<TEvent> forAny = MakeEvent(EVENT_GADGETACTION, nullptr, 2, 0, 0, 0, nullptr);
  SetHotKeyEvent(13, 0, forWindow, 500);
  SetHotKeyEvent(27, 0, forAny, 0);
  EXPECT_TRUE(FindHotKeyEvent(13, 0, 500) == forWindow);
  EXPECT_TRUE(FindHotKeyEvent(13, 0, 501).IsNull());
  EXPECT_TRUE(FindHotKeyEvent(13, 1, 500).IsNull());
  EXPECT_TRUE(FindHotKeyEvent(27, 0, 500) == forAny);
  EXPECT_TRUE(FindHotKeyEvent(27, 0, 0) == forAny);
}

TEST_F(HotKeys, RemoveHotKeyUnlinksByIdentity) {
  Ref<THotKey> a = SetHotKeyEvent(1, 0, nullptr, 0);
  Ref<THotKey> b = SetHotKeyEvent(2, 0, nullptr, 0);
  Ref<THotKey> c = SetHotKeyEvent(3, 0, nullptr, 0);
  RemoveHotKey(b);  // in the middle
  EXPECT_EQ(Count(), 2);
  EXPECT_TRUE(FindHotKeyEvent(2, 0, 0).IsNull());
  RemoveHotKey(c);  // the head
  EXPECT_TRUE(hotKeys == a);
  Ref<THotKey> stranger = New<THotKey>();
  stranger->key = 1;
  RemoveHotKey(stranger);  // not in the list, though its key matches one that is
  RemoveHotKey(nullptr);
  EXPECT_EQ(Count(), 1);
  RemoveHotKey(a);
  EXPECT_TRUE(hotKeys.IsNull());
}

}  // namespace
}  // namespace tarn
