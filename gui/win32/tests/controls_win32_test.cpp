// The controls of the countdown's two windows through the front end: dialog keys on zero-size
// buttons, the text field's events and filter, labels, check boxes, fonts, enabling.
#include "gui/win32/tests/gui_test_support.h"
#include "tests/support/raises.h"

namespace tarn::testing {
namespace {

using ControlsTest = GuiTest;

void PostKey(HWND window, UINT key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void PostChars(HWND window, const char* text) {
  for (const char* c = text; *c; ++c) PostMessageA(window, WM_CHAR, static_cast<BYTE>(*c), 1);
}

struct Countdown {
  Ref<TGadget> window, panel, label, cancel, field;
};

// The main window of the countdown, built as the program builds it.
Countdown MakeCountdownWindow() {
  Countdown c;
  c.window = NewWindow("QuarnCountdown", 100, 100, 200, 75, nullptr, 33);
  c.panel = NewPanel(0, 0, 200, 75, c.window, 2, "");
  c.label = NewLabel("", 0, 18, 200, 75, c.panel, 16);
  c.cancel = NewButton("", 0, 0, 0, 0, c.panel, 5);
  GadgetSetFont(c.label, OpenGuiFont("verdana.ttf", 26, 1, 0, 0));
  c.field = NewTextField(0, 0, 0, 0, c.panel, 0);
  GadgetActivate(c.field);
  return c;
}

TEST_F(ControlsTest, EscapePressesTheZeroSizeCancelButton) {
  Countdown c = MakeCountdownWindow();
  Keep(c.window);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Hwnd(c.field); }));
  SeenEvents().clear();
  PostKey(Hwnd(c.field), VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_GADGETACTION).empty(); }));
  Seen action = EventsOf(EVENT_GADGETACTION)[0];
  EXPECT_TRUE(action.source == c.cancel);
  EXPECT_EQ(action.data, 0);
}

TEST_F(ControlsTest, EnterAndEscapeInThePromptPressTheirButtons) {
  Ref<TGadget> prompt = Keep(NewWindow("Eingabe Minuten", 117, 110, 165, 50, nullptr, 17));
  Ref<TGadget> field = NewTextField(5, 5, 150, 20, prompt, 0);
  Ref<TGadget> cancel = NewButton("", 0, 0, 0, 0, prompt, 5);
  Ref<TGadget> ok = NewButton("", 0, 0, 0, 0, prompt, 4);
  GadgetActivate(field);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Hwnd(field); }));
  SeenEvents().clear();
  PostKey(Hwnd(field), VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_GADGETACTION).empty(); }));
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION)[0].source == ok);
  GadgetActivate(field);
  SeenEvents().clear();
  PostKey(Hwnd(field), VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_GADGETACTION).empty(); }));
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION)[0].source == cancel);
}

TEST_F(ControlsTest, TypingRaisesOneActionPerChangeAndSetTextNone) {
  Countdown c = MakeCountdownWindow();
  Keep(c.window);
  // The program clears the field from its handler, as the countdown does.
  OnEvent() = [&](const Ref<TEvent>& event) {
    if (event->id == EVENT_GADGETACTION) GadgetSetText(c.field, "");
  };
  PostChars(Hwnd(c.field), "12");
  ASSERT_TRUE(PumpUntil([] { return EventsOf(EVENT_GADGETACTION).size() >= 2; }));
  PumpAWhile();
  EXPECT_EQ(EventsOf(EVENT_GADGETACTION).size(), 2u);
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION)[0].source == c.field);
  EXPECT_EQ(TextFieldGetText(c.field).ToBytes(), "");

  OnEvent() = nullptr;
  SeenEvents().clear();
  GadgetSetText(c.field, "5");
  PumpAWhile();
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION).empty());
  EXPECT_EQ(TextFieldGetText(c.field).ToBytes(), "5");
}

int32_t SwallowDigitOne(const Ref<TEvent>& event, const Ref<Object>&) {
  return event->id == EVENT_KEYCHAR && event->data == '1' ? 0 : 1;
}

TEST_F(ControlsTest, AKeyFilterReturningZeroSwallowsTheKey) {
  Countdown c = MakeCountdownWindow();
  Keep(c.window);
  GadgetSetFilter(c.field, SwallowDigitOne, nullptr);
  PostChars(Hwnd(c.field), "121");
  PumpAWhile();
  EXPECT_EQ(TextFieldGetText(c.field).ToBytes(), "2");
}

TEST_F(ControlsTest, ActivateSelectsTheWholeText) {
  Countdown c = MakeCountdownWindow();
  Keep(c.window);
  GadgetSetText(c.field, "hello");
  SendMessageA(Hwnd(c.field), EM_SETSEL, 2, 2);
  GadgetActivate(c.field);
  DWORD start = 0, end = 0;
  SendMessageA(Hwnd(c.field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(GetFocus(), Hwnd(c.field));
  EXPECT_TRUE(FocusedGadget() == c.field);
}

TEST_F(ControlsTest, LabelTextAlignmentAndEtchedLine) {
  Countdown c = MakeCountdownWindow();
  Keep(c.window);
  GadgetSetText(c.label, "05:00");
  char text[16] = {};
  GetWindowTextA(Hwnd(c.label), text, sizeof text);
  EXPECT_STREQ(text, "05:00");
  EXPECT_EQ(GadgetGetText(c.label).ToBytes(), "05:00");
  EXPECT_EQ(GetWindowLongA(Hwnd(c.label), GWL_STYLE) & SS_TYPEMASK, static_cast<LONG>(SS_CENTER));
  EXPECT_TRUE(GetWindowLongA(Hwnd(c.label), GWL_STYLE) & SS_NOPREFIX);

  Ref<TGadget> line = NewLabel("", 0, 0, 100, 20, c.panel, 3);
  EXPECT_EQ(GadgetSizeH(line), 4);
  RECT rect{};
  GetWindowRect(Hwnd(line), &rect);
  EXPECT_EQ(rect.bottom - rect.top, 4);
}

TEST_F(ControlsTest, CheckBoxReportsItsNewState) {
  Ref<TGadget> window = Keep(NewWindow("check", 100, 100, 200, 100, nullptr, 33));
  Ref<TGadget> box = NewButton("check", 10, 10, 150, 20, window, 2);
  SendMessageA(Hwnd(box), BM_CLICK, 0, 0);
  PumpMessages();
  SendMessageA(Hwnd(box), BM_CLICK, 0, 0);
  PumpMessages();
  std::vector<Seen> actions = EventsOf(EVENT_GADGETACTION);
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[0].data, 1);
  EXPECT_EQ(actions[1].data, 0);
  ButtonSetState(box, 1);
  EXPECT_TRUE(ButtonGetState(box));
}

TEST_F(ControlsTest, FontNameGoesToThePlatformUnchanged) {
  Ref<TGuiFont> font = OpenGuiFont("verdana.ttf", 26, 1, 0, 0);
  ASSERT_TRUE(font);
  EXPECT_EQ(FontPointSize(font), 26);
  EXPECT_TRUE(FontStyleBits(font) & FONT_BOLD);
  EXPECT_FALSE(FontFaceName(font).IsEmpty());
  EXPECT_FALSE(FontFaceName(font) == String("verdana.ttf"));      // Windows chose a real face
  Ref<TGuiFont> plain = OpenGuiFont("verdana.ttf", 10, 5, 0, 1);  // flags count as booleans
  EXPECT_EQ(FontStyleBits(plain) & (FONT_BOLD | FONT_UNDERLINE), FONT_BOLD | FONT_UNDERLINE);
  EXPECT_FALSE(FontStyleBits(plain) & FONT_ITALIC);
}

TEST_F(ControlsTest, DisableAndEnable) {
  Countdown c = MakeCountdownWindow();
  Keep(c.window);
  GadgetDisable(c.window);
  EXPECT_FALSE(IsWindowEnabled(Hwnd(c.window)));
  EXPECT_TRUE(GadgetIsDisabled(c.window));
  GadgetEnable(c.window);
  EXPECT_TRUE(IsWindowEnabled(Hwnd(c.window)));
  EXPECT_FALSE(GadgetIsDisabled(c.window));
}

TEST_F(ControlsTest, GroupBoxChildrenLiveInAnInsetInnerWindow) {
  Ref<TGadget> window = Keep(NewWindow("group", 100, 100, 300, 200, nullptr, 33));
  Ref<TGadget> box = NewPanel(10, 10, 200, 100, window, 8, "Group");
  EXPECT_EQ(GadgetClientWidth(box), 192);
  EXPECT_EQ(GadgetClientHeight(box), 80);
  HWND inner = reinterpret_cast<HWND>(GadgetQuery(box, QueryClientHandle));
  EXPECT_NE(inner, Hwnd(box));
  RECT rect{};
  GetWindowRect(inner, &rect);
  MapWindowPoints(nullptr, Hwnd(box), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 4);
  EXPECT_EQ(rect.top, 16);
  char caption[16] = {};
  GetWindowTextA(Hwnd(box), caption, sizeof caption);
  EXPECT_STREQ(caption, "Group");
  Ref<TGadget> child = NewButton("in", 0, 0, 50, 20, box, 0);
  EXPECT_EQ(GetParent(Hwnd(child)), inner);
}

TEST_F(ControlsTest, ClassesOfLaterWorkGiveTheNullObjectAndNodesRaise) {
  Ref<TGadget> window = Keep(NewWindow("later", 100, 100, 200, 100, nullptr, 33));
  EXPECT_FALSE(NewTextArea(0, 0, 10, 10, window, 0));
  EXPECT_FALSE(NewListBox(0, 0, 10, 10, window, 0));
  EXPECT_RAISES_TEXT(guiDriver->CreateGadget(GADGET_NODE, "", 0, 0, 0, 0, window, 0), "chunks");
  EXPECT_FALSE(guiDriver->CreateGadget(99, "", 0, 0, 0, 0, window, 0));
  EXPECT_TRUE(DesktopGadget() == DesktopGadget());
}

}  // namespace
}  // namespace tarn::testing
