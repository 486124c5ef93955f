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
// clang-format off
#define RESULT(expr) [&](TGadget& g) { return Arg(expr); }
#define EFFECT(expr) [&](TGadget& g) { expr; return std::string(); }
// clang-format on

TEST_F(ProxyGadget, ForwardsEveryDriverOperation) {
  struct Row {
    const char* call;  // what the target receives
    std::function<std::string(TGadget&)> run;
    std::string result;
  };
  const Row rows[] = {
      {"Query(2)", RESULT(g.Query(2)), "1002"},
      {"Free()", EFFECT(g.Free()), ""},
      {"Rethink()", EFFECT(g.Rethink()), ""},
      {"ClientWidth()", RESULT(g.ClientWidth()), "31"},
      {"ClientHeight()", RESULT(g.ClientHeight()), "32"},
      {"Activate(5)", EFFECT(g.Activate(5)), ""},
      {"State()", RESULT(g.State()), "9"},
      {"SetText(\"t\")", EFFECT(g.SetText("t")), ""},
      {"GetText()", RESULT(g.GetText()), "\"GetText result\""},
      {"SetFont(TGuiFont)", EFFECT(g.SetFont(font)), ""},
      {"SetColor(1, 2, 3)", EFFECT(g.SetColor(1, 2, 3)), ""},
      {"SetAlpha(0.75)", EFFECT(g.SetAlpha(0.75)), ""},
      {"SetTextColor(4, 5, 6)", EFFECT(g.SetTextColor(4, 5, 6)), ""},
      {"SetIconStrip(TIconStrip)", EFFECT(g.SetIconStrip(strip)), ""},
      {"SetShow(1)", EFFECT(g.SetShow(1)), ""},
      {"SetEnabled(0)", EFFECT(g.SetEnabled(0)), ""},
      {"SetSelected(1)", EFFECT(g.SetSelected(1)), ""},
      {"SetHotKey(27, 3)", EFFECT(g.SetHotKey(27, 3)), ""},
      {"SetStatusText(\"s\")", EFFECT(g.SetStatusText("s")), ""},
      {"GetMenu()", RESULT(g.GetMenu()), "other"},
      {"PopupMenu(other, extra)", EFFECT(g.PopupMenu(other, extra)), ""},
      {"UpdateMenu()", EFFECT(g.UpdateMenu()), ""},
      {"SetMinimumSize(7, 8)", EFFECT(g.SetMinimumSize(7, 8)), ""},
      {"ClearListItems()", EFFECT(g.ClearListItems()), ""},
      {"InsertListItem(0, \"x\", \"tip\", 2, extra)",
       EFFECT(g.InsertListItem(0, "x", "tip", 2, extra)), ""},
      {"SetListItem(0, \"y\", \"tip\", 3, extra)", EFFECT(g.SetListItem(0, "y", "tip", 3, extra)),
       ""},
      {"RemoveListItem(0)", EFFECT(g.RemoveListItem(0)), ""},
      {"SetListItemState(0, 16)", EFFECT(g.SetListItemState(0, 16)), ""},
      {"ListItemState(0)", RESULT(g.ListItemState(0)), "0"},
      {"RootNode()", RESULT(g.RootNode()), "other"},
      {"InsertNode(1, \"n\", 2)", RESULT(g.InsertNode(1, "n", 2)), "other"},
      {"ModifyNode(\"n\", 3)", EFFECT(g.ModifyNode("n", 3)), ""},
      {"SelectedNode()", RESULT(g.SelectedNode()), "other"},
      {"CountKids()", RESULT(g.CountKids()), "66"},
      {"ReplaceText(1, 2, \"r\", 3)", EFFECT(g.ReplaceText(1, 2, "r", 3)), ""},
      {"AddText(\"a\")", EFFECT(g.AddText("a")), ""},
      {"AreaText(1, 2, 3)", RESULT(g.AreaText(1, 2, 3)), "\"AreaText result\""},
      {"AreaLength(2)", RESULT(g.AreaLength(2)), "70"},
      {"LockText()", EFFECT(g.LockText()), ""},
      {"UnlockText()", EFFECT(g.UnlockText()), ""},
      {"SetTabs(4)", EFFECT(g.SetTabs(4)), ""},
      {"SelectionLength(1)", RESULT(g.SelectionLength(1)), "74"},
      {"CursorPos(2)", RESULT(g.CursorPos(2)), "75"},
      {"SetStyle(1, 2, 3, 4, 5, 6, 7)", EFFECT(g.SetStyle(1, 2, 3, 4, 5, 6, 7)), ""},
      {"SetSelection(1, 2, 3)", EFFECT(g.SetSelection(1, 2, 3)), ""},
      {"CharAt(3)", RESULT(g.CharAt(3)), "78"},
      {"LineAt(4)", RESULT(g.LineAt(4)), "79"},
      {"SetValue(0.5)", EFFECT(g.SetValue(0.5)), ""},
      {"SetRange(1, 10)", EFFECT(g.SetRange(1, 10)), ""},
      {"SetProp(6)", EFFECT(g.SetProp(6)), ""},
      {"GetProp()", RESULT(g.GetProp()), "83"},
      {"SetPixmap(extra, 1)", EFFECT(g.SetPixmap(extra, 1)), ""},
      {"AttachGraphics(2)", EFFECT(g.AttachGraphics(2)), ""},
      {"CanvasGraphics()", RESULT(g.CanvasGraphics()), "result"},
      {"RunScript(\"go()\")", RESULT(g.RunScript("go()")), "\"RunScript result\""},
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
