#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/model/gui_model.h"
#include "gui/model/tests/recording.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing_support::Arg;
using testing_support::CallLog;
using testing_support::CallsOf;
using testing_support::OuterCalls;
using testing_support::RecordingGadget;
using testing_support::Tag;

class ProxyGadget : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitGuiModel(); }
  void SetUp() override {
    proxy = New<TProxyGadget>();
    target = New<RecordingGadget>("target");
    target->result = other;
    target->state = 9;
    target->clientWidth = 31;
    target->clientHeight = 32;
    target->InsertItem(0, "a", "", 0, nullptr, 0);
    proxy->SetProxy(target);
    CallLog().clear();
  }
  void TearDown() override {
    target->proxy = nullptr;
    proxy->target = nullptr;
  }

  Ref<TProxyGadget> proxy;
  Ref<RecordingGadget> target;
  Ref<RecordingGadget> other = New<RecordingGadget>("other");
  Ref<Object> extra = New<Tag>("extra");
  Ref<TGuiFont> font = New<TGuiFont>();
  Ref<TIconStrip> strip = New<TIconStrip>();
};

TEST_F(ProxyGadget, StartsOnTheBlankGadgetAndSetProxyLinksBothWays) {
  Ref<TProxyGadget> fresh = New<TProxyGadget>();
  EXPECT_TRUE(fresh->target == blankGadget);
  EXPECT_EQ(fresh->Query(1), 0);  // the blank gadget does nothing
  EXPECT_TRUE(proxy->target == target);
  EXPECT_TRUE(target->proxy == proxy);
}

TEST_F(ProxyGadget, SetProxyRefusesWhatWouldLoop) {
  EXPECT_RAISES_CLASS(proxy->SetProxy(nullptr), TNullObjectException);
  EXPECT_RAISES_TEXT(proxy->SetProxy(proxy), "A proxy gadget cannot stand in for itself");
  Ref<TProxyGadget> outer = New<TProxyGadget>();
  outer->SetProxy(proxy);
  EXPECT_RAISES_TEXT(proxy->SetProxy(outer), "A proxy gadget cannot stand in for itself");
  EXPECT_TRUE(proxy->target == target);  // unchanged by the refusals
  proxy->proxy = nullptr;
  outer->target = nullptr;
}

// Every driver operation, Query to RunScript, goes to the target with the same arguments and
// gives the target's result.
TEST_F(ProxyGadget, ForwardsEveryDriverOperation) {
  struct Row {
    const char* call;  // what the target receives
    std::function<std::string(TGadget&)> run;
    std::string result;
  };
  const Row rows[] = {
      {"Query(2)", [](TGadget& g) { return Arg(g.Query(2)); }, "1002"},
      {"Free()", [](TGadget& g) { g.Free(); return std::string(); }, ""},
      {"Rethink()", [](TGadget& g) { g.Rethink(); return std::string(); }, ""},
      {"ClientWidth()", [](TGadget& g) { return Arg(g.ClientWidth()); }, "31"},
      {"ClientHeight()", [](TGadget& g) { return Arg(g.ClientHeight()); }, "32"},
      {"Activate(5)", [](TGadget& g) { g.Activate(5); return std::string(); }, ""},
      {"State()", [](TGadget& g) { return Arg(g.State()); }, "9"},
      {"SetText(\"t\")", [](TGadget& g) { g.SetText("t"); return std::string(); }, ""},
      {"GetText()", [](TGadget& g) { return Arg(g.GetText()); }, "\"GetText result\""},
      {"SetFont(TGuiFont)", [&](TGadget& g) { g.SetFont(font); return std::string(); }, ""},
      {"SetColor(1, 2, 3)", [](TGadget& g) { g.SetColor(1, 2, 3); return std::string(); }, ""},
      {"SetAlpha(0.75)", [](TGadget& g) { g.SetAlpha(0.75); return std::string(); }, ""},
      {"SetTextColor(4, 5, 6)", [](TGadget& g) { g.SetTextColor(4, 5, 6); return std::string(); },
       ""},
      {"SetIconStrip(TIconStrip)", [&](TGadget& g) { g.SetIconStrip(strip); return std::string(); },
       ""},
      {"SetShow(1)", [](TGadget& g) { g.SetShow(1); return std::string(); }, ""},
      {"SetEnabled(0)", [](TGadget& g) { g.SetEnabled(0); return std::string(); }, ""},
      {"SetSelected(1)", [](TGadget& g) { g.SetSelected(1); return std::string(); }, ""},
      {"SetHotKey(27, 3)", [](TGadget& g) { g.SetHotKey(27, 3); return std::string(); }, ""},
      {"SetStatusText(\"s\")", [](TGadget& g) { g.SetStatusText("s"); return std::string(); }, ""},
      {"GetMenu()", [](TGadget& g) { return Arg(g.GetMenu()); }, "other"},
      {"PopupMenu(other, extra)",
       [&](TGadget& g) { g.PopupMenu(other, extra); return std::string(); }, ""},
      {"UpdateMenu()", [](TGadget& g) { g.UpdateMenu(); return std::string(); }, ""},
      {"SetMinimumSize(7, 8)", [](TGadget& g) { g.SetMinimumSize(7, 8); return std::string(); },
       ""},
      {"ClearListItems()", [](TGadget& g) { g.ClearListItems(); return std::string(); }, ""},
      {"InsertListItem(0, \"x\", \"tip\", 2, extra)",
       [&](TGadget& g) { g.InsertListItem(0, "x", "tip", 2, extra); return std::string(); }, ""},
      {"SetListItem(0, \"y\", \"tip\", 3, extra)",
       [&](TGadget& g) { g.SetListItem(0, "y", "tip", 3, extra); return std::string(); }, ""},
      {"RemoveListItem(0)", [](TGadget& g) { g.RemoveListItem(0); return std::string(); }, ""},
      {"SetListItemState(0, 16)",
       [](TGadget& g) { g.SetListItemState(0, 16); return std::string(); }, ""},
      {"ListItemState(0)", [](TGadget& g) { return Arg(g.ListItemState(0)); }, "0"},
      {"RootNode()", [](TGadget& g) { return Arg(g.RootNode()); }, "other"},
      {"InsertNode(1, \"n\", 2)", [](TGadget& g) { return Arg(g.InsertNode(1, "n", 2)); },
       "other"},
      {"ModifyNode(\"n\", 3)", [](TGadget& g) { g.ModifyNode("n", 3); return std::string(); }, ""},
      {"SelectedNode()", [](TGadget& g) { return Arg(g.SelectedNode()); }, "other"},
      {"CountKids()", [](TGadget& g) { return Arg(g.CountKids()); }, "66"},
      {"ReplaceText(1, 2, \"r\", 3)",
       [](TGadget& g) { g.ReplaceText(1, 2, "r", 3); return std::string(); }, ""},
      {"AddText(\"a\")", [](TGadget& g) { g.AddText("a"); return std::string(); }, ""},
      {"AreaText(1, 2, 3)", [](TGadget& g) { return Arg(g.AreaText(1, 2, 3)); },
       "\"AreaText result\""},
      {"AreaLength(2)", [](TGadget& g) { return Arg(g.AreaLength(2)); }, "70"},
      {"LockText()", [](TGadget& g) { g.LockText(); return std::string(); }, ""},
      {"UnlockText()", [](TGadget& g) { g.UnlockText(); return std::string(); }, ""},
      {"SetTabs(4)", [](TGadget& g) { g.SetTabs(4); return std::string(); }, ""},
      {"SelectionLength(1)", [](TGadget& g) { return Arg(g.SelectionLength(1)); }, "74"},
      {"CursorPos(2)", [](TGadget& g) { return Arg(g.CursorPos(2)); }, "75"},
      {"SetStyle(1, 2, 3, 4, 5, 6, 7)",
       [](TGadget& g) { g.SetStyle(1, 2, 3, 4, 5, 6, 7); return std::string(); }, ""},
      {"SetSelection(1, 2, 3)",
       [](TGadget& g) { g.SetSelection(1, 2, 3); return std::string(); }, ""},
      {"CharAt(3)", [](TGadget& g) { return Arg(g.CharAt(3)); }, "78"},
      {"LineAt(4)", [](TGadget& g) { return Arg(g.LineAt(4)); }, "79"},
      {"SetValue(0.5)", [](TGadget& g) { g.SetValue(0.5); return std::string(); }, ""},
      {"SetRange(1, 10)", [](TGadget& g) { g.SetRange(1, 10); return std::string(); }, ""},
      {"SetProp(6)", [](TGadget& g) { g.SetProp(6); return std::string(); }, ""},
      {"GetProp()", [](TGadget& g) { return Arg(g.GetProp()); }, "83"},
      {"SetPixmap(extra, 1)", [&](TGadget& g) { g.SetPixmap(extra, 1); return std::string(); },
       ""},
      {"AttachGraphics(2)", [](TGadget& g) { g.AttachGraphics(2); return std::string(); }, ""},
      {"CanvasGraphics()", [](TGadget& g) { return Arg(g.CanvasGraphics()); }, "result"},
      {"RunScript(\"go()\")", [](TGadget& g) { return Arg(g.RunScript("go()")); },
       "\"RunScript result\""},
  };
  EXPECT_EQ(std::size(rows), 55u);  // slots 33 to 87
  for (const Row& row : rows) {
    target->nativeTexts = {"a"};  // each row starts from the same native list
    target->nativeStates = {0};
    CallLog().clear();
    EXPECT_EQ(row.run(*proxy), row.result) << row.call;
    EXPECT_EQ(OuterCalls(), std::vector<std::string>{std::string("target.") + row.call});
  }
}

TEST_F(ProxyGadget, KeepsTheModelOperationsForItself) {
  proxy->SetRect(1, 2, 3, 4);
  proxy->SetFilter(nullptr, extra);
  EXPECT_EQ(proxy->x, 1);
  EXPECT_EQ(target->x, 0);
  EXPECT_TRUE(target->filterContext.IsNull());
  EXPECT_TRUE(CallsOf("SetRect").empty());

  // Its own items, shown through the target's native list.
  proxy->InsertItem(0, "p", "", 0, nullptr, ITEMFLAG_SELECTED);
  EXPECT_EQ(proxy->ItemCount(), 1);
  EXPECT_EQ(target->ItemCount(), 1);  // the target's own item "a"
  EXPECT_EQ(CallsOf("InsertListItem"),
            std::vector<std::string>{"target.InsertListItem(0, \"p\", \"\", 0, null)"});
  EXPECT_EQ(proxy->SelectedItem(), 0);  // state read back from the target
  EXPECT_EQ(target->nativeStates[0], ITEMSTATE_SELECTED);
}

}  // namespace
}  // namespace tarn
