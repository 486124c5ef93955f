#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/model/gui_front.h"
#include "gui/model/tests/recording.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing_support::Arg;
using testing_support::CallLog;
using testing_support::OuterCalls;
using testing_support::RecordingDriver;
using testing_support::RecordingGadget;
using testing_support::Tag;

int32_t Swallow(const Ref<TEvent>&, const Ref<Object>&) { return 0; }

class GuiFront : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitGuiModel(); }

  // A fresh driver and gadget g (inside m, rectangle 11, 12, 13, 14, items "a" and "b").
  void Reset() {
    Detach();
    driver = New<RecordingDriver>();
    driver->font->name = "Face";
    driver->font->size = 12;
    driver->font->style = 3;
    driver->strip = strip;
    guiDriver = driver;
    m = New<RecordingGadget>("m");
    g = New<RecordingGadget>("g");
    g->SetParent(m, -1);
    g->SetRect(11, 12, 13, 14);
    g->clientWidth = 21;
    g->clientHeight = 22;
    g->state = STATE_MINIMIZED | STATE_SELECTED;
    g->result = m;
    g->InsertItem(0, "a", "", 1, itemExtra, 0);
    g->InsertItem(1, "b", "", -1, nullptr, 0);
    CallLog().clear();
  }
  void Detach() {
    if (g) g->SetParent(nullptr, -1);
    g = nullptr;
    m = nullptr;
  }
  void SetUp() override {
    strip->count = 2;
    Reset();
  }
  void TearDown() override {
    Detach();
    guiDriver = nullptr;
    driver = nullptr;
  }

  Ref<RecordingDriver> driver;
  Ref<RecordingGadget> g, m;
  Ref<TIconStrip> strip = New<TIconStrip>();
  Ref<Object> extra = New<Tag>("extra");
  Ref<Object> itemExtra = New<Tag>("itemExtra");
  Ref<Object> icons = New<Tag>("icons");
};

struct Row {
  const char* code;
  std::function<std::string()> run;
  std::vector<std::string> calls;  // the calls that reach the driver and the gadgets
  std::string result;
};

// A row for an expression with a result, and one for a statement.
// clang-format off
#define RESULT(expr) #expr, [&] { return Arg(expr); }
#define EFFECT(expr) #expr, [&] { expr; return std::string(); }
// clang-format on

TEST_F(GuiFront, EveryFunctionReachesItsOperation) {
  const std::string created = "new";
  const Row rows[] = {
      // Creation.
      {RESULT(NewWindow("T", 1, 2, 3, 4, m, 33)),
       {"driver.CreateGadget(1, \"T\", 1, 2, 3, 4, m, 33)"},
       created},
      {RESULT(NewPanel(1, 2, 3, 4, m, 2, "P")),
       {"driver.CreateGadget(3, \"P\", 1, 2, 3, 4, m, 2)"},
       created},
      {RESULT(NewPanel(1, 2, 3, 4, nullptr, 2)),
       {"driver.CreateGadget(3, \"\", 1, 2, 3, 4, null, 2)"},
       created},
      {RESULT(NewLabel("L", 1, 2, 3, 4, m, 16)),
       {"driver.CreateGadget(12, \"L\", 1, 2, 3, 4, m, 16)"},
       created},
      {RESULT(NewButton("B", 1, 2, 3, 4, m, 5)),
       {"driver.CreateGadget(2, \"B\", 1, 2, 3, 4, m, 5)"},
       created},
      {RESULT(NewTextField(1, 2, 3, 4, m, 1)),
       {"driver.CreateGadget(4, \"\", 1, 2, 3, 4, m, 1)"},
       created},
      {RESULT(NewTextArea(1, 2, 3, 4, m, 1)),
       {"driver.CreateGadget(5, \"\", 1, 2, 3, 4, m, 1)"},
       created},
      {RESULT(NewComboBox(1, 2, 3, 4, m, 1)),
       {"driver.CreateGadget(6, \"\", 1, 2, 3, 4, m, 1)"},
       created},
      {RESULT(NewListBox(1, 2, 3, 4, m, 0)),
       {"driver.CreateGadget(7, \"\", 1, 2, 3, 4, m, 0)"},
       created},
      {RESULT(NewToolBar(icons, 1, 2, 3, 4, m, 0)),
       {"driver.CreateGadget(8, \"\", 1, 2, 3, 4, m, 0)", "driver.LoadIconStrip(icons)",
        "new.SetIconStrip(TIconStrip)", "new.ItemCount()",
        "new.InsertItem(0, \"\", \"\", 0, null, 0)", "new.ItemCount()",
        "new.InsertItem(1, \"\", \"\", 1, null, 0)"},
       created},
      {RESULT(NewTabControl(1, 2, 3, 4, m, 0)),
       {"driver.CreateGadget(9, \"\", 1, 2, 3, 4, m, 0)"},
       created},
      {RESULT(NewTreeView(1, 2, 3, 4, m, 0)),
       {"driver.CreateGadget(10, \"\", 1, 2, 3, 4, m, 0)"},
       created},
      {RESULT(NewHtmlView(1, 2, 3, 4, m, 2)),
       {"driver.CreateGadget(11, \"\", 1, 2, 3, 4, m, 2)"},
       created},
      {RESULT(NewSlider(1, 2, 3, 4, m, 5)),
       {"driver.CreateGadget(13, \"\", 1, 2, 3, 4, m, 5)"},
       created},
      {RESULT(NewProgBar(1, 2, 3, 4, m, 0)),
       {"driver.CreateGadget(14, \"\", 1, 2, 3, 4, m, 0)"},
       created},
      {RESULT(NewMenu("M", 7, m, 79, 2)),
       {"driver.CreateGadget(15, \"M\", 0, 0, 0, 0, m, 7)", "new.SetHotKey(79, 2)"},
       created},
      {RESULT(NewMenu("M", 7, m)), {"driver.CreateGadget(15, \"M\", 0, 0, 0, 0, m, 7)"}, created},
      {RESULT(NewCanvas(1, 2, 3, 4, m, 0)),
       {"driver.CreateGadget(17, \"\", 1, 2, 3, 4, m, 0)", "new.AttachGraphics(0)"},
       created},
      {RESULT(DesktopGadget()), {"driver.CreateGadget(0, \"\", 0, 0, 0, 0, null, 0)"}, created},

      // Fonts.
      {RESULT(OpenGuiFont("verdana.ttf", 26, 1, 0, 0)),
       {"driver.LoadFont(\"verdana.ttf\", 26, 1)"},
       "TGuiFont"},
      {RESULT(OpenGuiFont("f", 9, 0, 1, 1)), {"driver.LoadFont(\"f\", 9, 6)"}, "TGuiFont"},
      {RESULT(PickFont(driver->font)), {"driver.PickFont(TGuiFont)"}, "TGuiFont"},
      {RESULT(FontFaceName(driver->font)), {}, "\"Face\""},
      {RESULT(FontPointSize(driver->font)), {}, "12"},
      {RESULT(FontStyleBits(driver->font)), {}, "3"},

      // Gadgets.
      {EFFECT(GadgetSetFont(g, driver->font)), {"g.SetFont(TGuiFont)"}, ""},
      {EFFECT(GadgetActivate(g)), {"g.Activate(0)"}, ""},
      {EFFECT(GadgetDisable(g)), {"g.SetEnabled(0)"}, ""},
      {EFFECT(GadgetEnable(g)), {"g.SetEnabled(1)"}, ""},
      {RESULT(TextFieldGetText(g)), {"g.GetText()"}, "\"GetText result\""},
      {EFFECT(GadgetSetText(g, "x")), {"g.SetText(\"x\")"}, ""},
      {RESULT(GadgetGetText(g)), {"g.GetText()"}, "\"GetText result\""},
      {EFFECT(GadgetFree(g)), {"g.Free()"}, ""},
      {RESULT(GadgetPosX(g)), {}, "11"},
      {RESULT(GadgetPosY(g)), {}, "12"},
      {RESULT(GadgetSizeW(g)), {}, "13"},
      {RESULT(GadgetSizeH(g)), {}, "14"},
      {RESULT(GadgetQuery(g, 1)), {"g.Query(1)"}, "1001"},
      {EFFECT(GadgetShow(g)), {"g.SetShow(1)"}, ""},
      {EFFECT(GadgetHide(g)), {"g.SetShow(0)"}, ""},
      {RESULT(GadgetIsHidden(g)), {"g.State()"}, "0"},
      {RESULT(GadgetIsDisabled(g)), {"g.State()"}, "0"},
      {EFFECT(GadgetSetShape(g, 1, 2, 3, 4)), {"g.SetShape(1, 2, 3, 4)"}, ""},
      {EFFECT(GadgetSetLayout(g, 1, 2, 0, 1)), {"g.SetLayout(1, 2, 0, 1)"}, ""},
      {EFFECT(GadgetCut(g)), {"g.Activate(1)"}, ""},
      {EFFECT(GadgetCopy(g)), {"g.Activate(2)"}, ""},
      {EFFECT(GadgetPaste(g)), {"g.Activate(3)"}, ""},
      {EFFECT(GadgetPrint(g)), {"g.Activate(12)"}, ""},
      {EFFECT(GadgetRedraw(g)), {"g.Activate(13)"}, ""},
      {RESULT(GadgetParent(g)), {}, "m"},
      {RESULT(GadgetClientWidth(g)), {"g.ClientWidth()"}, "21"},
      {RESULT(GadgetClientHeight(g)), {"g.ClientHeight()"}, "22"},
      {EFFECT(GadgetSetColor(g, 1, 2, 3)), {"g.SetColor(1, 2, 3)"}, ""},
      {EFFECT(GadgetSetColor(g, 1, 2, 3, 0)), {"g.SetTextColor(1, 2, 3)"}, ""},
      {EFFECT(GadgetSetTextColor(g, 4, 5, 6)), {"g.SetTextColor(4, 5, 6)"}, ""},
      {EFFECT(GadgetSetAlpha(g, 0.5)), {"g.SetAlpha(0.5)"}, ""},
      {EFFECT(GadgetSetHotKey(g, 65, 2)), {"g.SetHotKey(65, 2)"}, ""},
      {EFFECT(GadgetSetFilter(g, Swallow, extra)), {"g.SetFilter(filter, extra)"}, ""},
      {EFFECT(GadgetSetIconStrip(g, strip)), {"g.SetIconStrip(TIconStrip)"}, ""},
      {RESULT(FocusedGadget()), {"driver.FocusedGadget()"}, "focused"},
      {EFFECT(SetMousePointer(99)), {"driver.SetMousePointer(99)"}, ""},
      {RESULT(LoadIconStrip(icons)), {"driver.LoadIconStrip(icons)"}, "TIconStrip"},
      {RESULT(PickColor(1, 2, 3)), {"driver.PickColor(1, 2, 3)"}, "0"},

      // Windows.
      {RESULT(WindowMenuRoot(g)), {"g.GetMenu()"}, "m"},
      {EFFECT(WindowRedrawMenu(g)), {"g.UpdateMenu()"}, ""},
      {EFFECT(WindowPopupMenu(g, m, extra)), {"g.PopupMenu(m, extra)"}, ""},
      {EFFECT(WindowFocus(g)), {"g.Activate(0)"}, ""},
      {EFFECT(WindowSetStatus(g, "s")), {"g.SetStatusText(\"s\")"}, ""},
      {EFFECT(WindowSetMinSize(g, 5, 6)), {"g.SetMinimumSize(5, 6)"}, ""},
      {EFFECT(WindowMinimise(g)), {"g.Activate(4)"}, ""},
      {EFFECT(WindowMaximise(g)), {"g.Activate(5)"}, ""},
      {EFFECT(WindowRestore(g)), {"g.Activate(6)"}, ""},
      {RESULT(WindowIsMinimised(g)), {"g.State()"}, "1"},
      {RESULT(WindowIsMaximised(g)), {"g.State()"}, "0"},

      // Menus.
      {EFFECT(MenuFree(g)), {"g.Free()"}, ""},
      {EFFECT(MenuSetText(g, "m")), {"g.SetText(\"m\")"}, ""},
      {RESULT(MenuGetText(g)), {"g.GetText()"}, "\"GetText result\""},
      {EFFECT(MenuCheck(g)), {"g.SetSelected(1)"}, ""},
      {EFFECT(MenuUncheck(g)), {"g.SetSelected(0)"}, ""},
      {EFFECT(MenuEnable(g)), {"g.SetEnabled(1)"}, ""},
      {EFFECT(MenuDisable(g)), {"g.SetEnabled(0)"}, ""},
      {RESULT(MenuIsChecked(g)), {"g.State()"}, "1"},
      {RESULT(MenuIsEnabled(g)), {"g.State()"}, "1"},

      // Buttons and panels.
      {EFFECT(ButtonSetState(g, 1)), {"g.SetSelected(1)"}, ""},
      {RESULT(ButtonGetState(g)), {"g.State()"}, "1"},
      {EFFECT(PanelSetColor(g, 7, 8, 9)), {"g.SetColor(7, 8, 9)"}, ""},
      {EFFECT(PanelSetPixmap(g, extra, 2)), {"g.SetPixmap(extra, 2)"}, ""},

      // Text areas.
      {EFFECT(TextAreaSetText(g, "t", 1, 2, 3)), {"g.ReplaceText(1, 2, \"t\", 3)"}, ""},
      {EFFECT(TextAreaAddText(g, "t")), {"g.AddText(\"t\")"}, ""},
      {RESULT(TextAreaGetText(g, 1, 2, 3)), {"g.AreaText(1, 2, 3)"}, "\"AreaText result\""},
      {RESULT(TextAreaLength(g, 2)), {"g.AreaLength(2)"}, "70"},
      {EFFECT(TextAreaLock(g)), {"g.LockText()"}, ""},
      {EFFECT(TextAreaUnlock(g)), {"g.UnlockText()"}, ""},
      {EFFECT(TextAreaSetTabs(g, 8)), {"g.SetTabs(8)"}, ""},
      {EFFECT(TextAreaSetFont(g, driver->font)), {"g.SetFont(TGuiFont)"}, ""},
      {EFFECT(TextAreaSetColor(g, 1, 2, 3)), {"g.SetColor(1, 2, 3)"}, ""},
      {RESULT(TextAreaSelectionLength(g, 1)), {"g.SelectionLength(1)"}, "74"},
      {RESULT(TextAreaCursor(g, 2)), {"g.CursorPos(2)"}, "75"},
      {EFFECT(TextAreaFormat(g, 1, 2, 3, 4, 5, 6, 7)), {"g.SetStyle(1, 2, 3, 4, 5, 6, 7)"}, ""},
      {EFFECT(TextAreaSelect(g, 1, 2, 3)), {"g.SetSelection(1, 2, 3)"}, ""},
      {RESULT(TextAreaCharOfLine(g, 4)), {"g.CharAt(4)"}, "78"},
      {RESULT(TextAreaLineOfChar(g, 9)), {"g.LineAt(9)"}, "79"},

      // Items.
      {EFFECT(ItemsClear(g)), {"g.ClearItems()"}, ""},
      {EFFECT(ItemsAdd(g, "c", 0, 2, "tip", extra)),
       {"g.ItemCount()", "g.InsertItem(2, \"c\", \"tip\", 2, extra, 0)"},
       ""},
      {EFFECT(ItemsInsert(g, 1, "c", 2, 3, "tip", extra)),
       {"g.InsertItem(1, \"c\", \"tip\", 3, extra, 2)"},
       ""},
      {EFFECT(ItemsModify(g, 1, "c", 0, 3, "tip", extra)),
       {"g.ModifyItem(1, \"c\", \"tip\", 3, extra, 0)"},
       ""},
      {EFFECT(ItemsRemove(g, 1)), {"g.RemoveItem(1)"}, ""},
      {EFFECT(ItemsEnable(g, 1)), {"g.ItemState(1)", "g.SetItemState(1, 0)"}, ""},
      {EFFECT(ItemsDisable(g, 1)), {"g.ItemState(1)", "g.SetItemState(1, 4)"}, ""},
      {EFFECT(ItemsSelect(g, 1)), {"g.SelectItem(1, 1)"}, ""},
      {EFFECT(ItemsDeselect(g, 1)), {"g.SelectItem(1, 0)"}, ""},
      {EFFECT(ItemsToggle(g, -1)), {"g.SelectItem(-1, 2)"}, ""},
      {RESULT(ItemsSelected(g)), {"g.SelectedItem()"}, "-1"},
      {RESULT(ItemsSelectedAll(g)), {"g.SelectedItems()"}, "[]"},
      {RESULT(ItemsCount(g)), {"g.ItemCount()"}, "2"},
      {RESULT(ItemsText(g, 1)), {"g.ItemText(1)"}, "\"b\""},
      {RESULT(ItemsIcon(g, 0)), {"g.ItemIcon(0)"}, "1"},
      {RESULT(ItemsExtra(g, 0)), {"g.ItemExtra(0)"}, "itemExtra"},
      {RESULT(ItemsFlags(g, 0)), {"g.ItemFlags(0)"}, "0"},
      {EFFECT(ItemsSetTips(g, {nullptr, String("t0"), String("t1"), String("t2")})),
       {"g.ItemCount()", "g.ItemText(0)", "g.ItemIcon(0)", "g.ItemExtra(0)", "g.ItemFlags(0)",
        "g.ModifyItem(0, \"a\", \"t0\", 1, itemExtra, 0)", "g.ItemCount()", "g.ItemText(1)",
        "g.ItemIcon(1)", "g.ItemExtra(1)", "g.ItemFlags(1)",
        "g.ModifyItem(1, \"b\", \"t1\", -1, null, 0)", "g.ItemCount()"},
       ""},

      // Tree views.
      {RESULT(TreeViewRoot(g)), {"g.RootNode()"}, "m"},
      {RESULT(TreeViewAddNode("n", g, 3)), {"g.InsertNode(-1, \"n\", 3)"}, "m"},
      {RESULT(TreeViewInsertNode(2, "n", g, 3)), {"g.InsertNode(2, \"n\", 3)"}, "m"},
      {EFFECT(TreeViewModifyNode(g, "n", 4)), {"g.ModifyNode(\"n\", 4)"}, ""},
      {RESULT(TreeViewSelectedNode(g)), {"g.SelectedNode()"}, "m"},
      {RESULT(TreeViewCountKids(g)), {"g.CountKids()"}, "66"},
      {EFFECT(TreeViewSelectNode(g)), {"g.Activate(7)"}, ""},
      {EFFECT(TreeViewExpandNode(g)), {"g.Activate(8)"}, ""},
      {EFFECT(TreeViewCollapseNode(g)), {"g.Activate(9)"}, ""},
      {EFFECT(TreeViewFreeNode(g)), {"g.Free()"}, ""},

      // HTML views.
      {EFFECT(HtmlViewGo(g, "http://x/")), {"g.SetText(\"http://x/\")"}, ""},
      {EFFECT(HtmlViewBack(g)), {"g.Activate(10)"}, ""},
      {EFFECT(HtmlViewForward(g)), {"g.Activate(11)"}, ""},
      {RESULT(HtmlViewStatus(g)), {"g.State()"}, "17"},
      {RESULT(HtmlViewCurrentAddress(g)), {"g.GetText()"}, "\"GetText result\""},
      {RESULT(HtmlViewRun(g, "s()")), {"g.RunScript(\"s()\")"}, "\"RunScript result\""},

      // Sliders, progress bars, canvases.
      {EFFECT(SliderSetRange(g, 1, 10)), {"g.SetRange(1, 10)"}, ""},
      {EFFECT(SliderSetValue(g, 5)), {"g.SetProp(5)"}, ""},
      {RESULT(SliderValue(g)), {"g.GetProp()"}, "83"},
      {EFFECT(ProgBarUpdate(g, 0.25)), {"g.SetValue(0.25)"}, ""},
      {RESULT(CanvasGraphics(g)), {"g.CanvasGraphics()"}, "result"},
  };
  for (const Row& row : rows) {
    Reset();
    std::string result = row.run();
    EXPECT_EQ(OuterCalls(), row.calls) << row.code;
    EXPECT_EQ(result, row.result) << row.code;
  }
}

TEST_F(GuiFront, OpenGuiFontCountsTheFlagsAsBooleans) {
  struct Case {
    int32_t bold, italic, underline, style;
  } cases[] = {{5, 0, 0, 1}, {0, -1, 0, 2}, {0, 0, 9, 4}, {2, 2, 2, 7}, {0, 0, 0, 0}};
  for (const Case& c : cases) {
    CallLog().clear();
    OpenGuiFont("f", 10, c.bold, c.italic, c.underline);
    EXPECT_EQ(OuterCalls(), std::vector<std::string>{"driver.LoadFont(\"f\", 10, " +
                                                     std::to_string(c.style) + ")"});
  }
  driver->font = nullptr;  // the platform has no such font
  EXPECT_TRUE(OpenGuiFont("none", 10).IsNull());
}

TEST_F(GuiFront, PickColorKeepsTheConfirmedColour) {
  driver->pickedColor = static_cast<int32_t>(0xFF123456u);
  EXPECT_EQ(PickColor(0, 0, 0), 1);
  driver->pickedColor = 0;  // cancelled
  EXPECT_EQ(PickColor(9, 9, 9), 0);
  EXPECT_EQ(PickedRed(), 0x12);
  EXPECT_EQ(PickedGreen(), 0x34);
  EXPECT_EQ(PickedBlue(), 0x56);
}

TEST_F(GuiFront, NewToolBarWithoutIconsOrWithAReadyStrip) {
  driver->strip = nullptr;
  Ref<TGadget> bare = NewToolBar(icons, 0, 0, 10, 10, nullptr, 0);
  EXPECT_EQ(OuterCalls(),
            (std::vector<std::string>{"driver.CreateGadget(8, \"\", 0, 0, 10, 10, null, 0)",
                                      "driver.LoadIconStrip(icons)"}));
  EXPECT_EQ(bare->ItemCount(), 0);

  CallLog().clear();
  strip->count = 1;
  Ref<TGadget> ready = NewToolBar(strip, 0, 0, 10, 10, nullptr, 0);
  EXPECT_EQ(OuterCalls(),
            (std::vector<std::string>{"driver.CreateGadget(8, \"\", 0, 0, 10, 10, null, 0)",
                                      "new.SetIconStrip(TIconStrip)", "new.ItemCount()",
                                      "new.InsertItem(0, \"\", \"\", 0, null, 0)"}));
}

TEST_F(GuiFront, TheDriverBaseIsAbstract) {
  Ref<TLoomkitDriver> base = New<TLoomkitDriver>();
  const char* abstract = "Attempt to call abstract method";
  EXPECT_RAISES_TEXT(base->LoadFont("f", 1, 0), abstract);
  EXPECT_RAISES_TEXT(base->CreateGadget(1, "", 0, 0, 0, 0, nullptr, 0), abstract);
  EXPECT_RAISES_TEXT(base->FocusedGadget(), abstract);
  EXPECT_RAISES_TEXT(base->PickColor(0, 0, 0), abstract);
  EXPECT_RAISES_TEXT(base->PickFont(nullptr), abstract);
  EXPECT_RAISES_TEXT(base->SetMousePointer(0), abstract);
  EXPECT_RAISES_TEXT(base->LoadIconStrip(nullptr), abstract);
  // Installed, it answers the front end in the same way.
  guiDriver = base;
  EXPECT_RAISES_TEXT(NewWindow("T", 0, 0, 10, 10, nullptr, 0), abstract);
}

TEST_F(GuiFront, WithoutADriverOrGadgetCallsRaiseNullObject) {
  guiDriver = nullptr;
  EXPECT_RAISES_CLASS(NewWindow("QuarnCountdown", 0, 0, 200, 75, nullptr, 33),
                      TNullObjectException);
  EXPECT_RAISES_CLASS(NewToolBar(icons, 0, 0, 1, 1, nullptr, 0), TNullObjectException);
  EXPECT_RAISES_CLASS(DesktopGadget(), TNullObjectException);
  EXPECT_RAISES_CLASS(OpenGuiFont("verdana.ttf", 26, 1), TNullObjectException);
  EXPECT_RAISES_CLASS(FocusedGadget(), TNullObjectException);
  EXPECT_RAISES_CLASS(SetMousePointer(1), TNullObjectException);
  EXPECT_RAISES_CLASS(PickColor(1, 2, 3), TNullObjectException);
  EXPECT_RAISES_CLASS(LoadIconStrip(icons), TNullObjectException);

  Ref<TGadget> none;
  EXPECT_RAISES_CLASS(GadgetSetText(none, "x"), TNullObjectException);
  EXPECT_RAISES_CLASS(GadgetPosX(none), TNullObjectException);
  EXPECT_RAISES_CLASS(GadgetQuery(none, 1), TNullObjectException);
  EXPECT_RAISES_CLASS(ItemsAdd(none, "x"), TNullObjectException);
  EXPECT_RAISES_CLASS(FontFaceName(nullptr), TNullObjectException);
}

}  // namespace
}  // namespace tarn
