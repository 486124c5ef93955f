// Top-level windows through the front end: geometry in client coordinates, the move, size,
// activate and close events, and what their sources hold when the events are emitted.
#include "gui/win32/tests/gui_test_support.h"

namespace tarn::testing {
namespace {

using WindowTest = GuiTest;

RECT FrameRect(const Ref<TGadget>& window) {
  RECT rect{};
  GetWindowRect(Hwnd(window), &rect);
  return rect;
}

POINT ClientOrigin(const Ref<TGadget>& window) {
  POINT origin{0, 0};
  ClientToScreen(Hwnd(window), &origin);
  return origin;
}

TEST_F(WindowTest, ClientCoordinatesDescribeTheClientAreaAndRoundTrip) {
  Ref<TGadget> window = Keep(NewWindow("QuarnCountdown", 100, 100, 200, 75, nullptr, 33));
  ASSERT_TRUE(window);
  EXPECT_EQ(GadgetPosX(window), 100);
  EXPECT_EQ(GadgetPosY(window), 100);
  EXPECT_EQ(GadgetSizeW(window), 200);
  EXPECT_EQ(GadgetSizeH(window), 75);
  RECT frame = FrameRect(window);
  EXPECT_GT(frame.right - frame.left, 200);
  EXPECT_GT(frame.bottom - frame.top, 75);
  EXPECT_LT(frame.left, 100);
  EXPECT_LT(frame.top, 100);
  POINT origin = ClientOrigin(window);
  EXPECT_EQ(origin.x, 100);
  EXPECT_EQ(origin.y, 100);

  // The user moves the window; its remembered place opens the next window at the same spot.
  SetWindowPos(Hwnd(window), nullptr, 333, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpMessages();
  POINT moved = ClientOrigin(window);
  EXPECT_EQ(GadgetPosX(window), moved.x);
  EXPECT_EQ(GadgetPosY(window), moved.y);
  Ref<TGadget> again =
      Keep(NewWindow("again", GadgetPosX(window), GadgetPosY(window), 200, 75, nullptr, 33));
  POINT reopened = ClientOrigin(again);
  EXPECT_EQ(reopened.x, moved.x);
  EXPECT_EQ(reopened.y, moved.y);
  EXPECT_EQ(GadgetPosX(again), GadgetPosX(window));
}

TEST_F(WindowTest, FrameCoordinatesWithoutStyle32) {
  Ref<TGadget> window = Keep(NewWindow("frame", 50, 60, 300, 200, nullptr, 1));
  RECT frame = FrameRect(window);
  EXPECT_EQ(frame.left, 50);
  EXPECT_EQ(frame.top, 60);
  EXPECT_EQ(GadgetSizeW(window), 300);
  EXPECT_EQ(GadgetSizeH(window), 200);
  EXPECT_LT(GadgetClientWidth(window), 300);
}

TEST_F(WindowTest, MoveEventCarriesTheNewPlaceAlreadyStoredInTheGadget) {
  Ref<TGadget> window = Keep(NewWindow("move", 100, 100, 200, 75, nullptr, 33));
  PumpMessages();
  SeenEvents().clear();
  SetWindowPos(Hwnd(window), nullptr, 250, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_WINDOWMOVE).empty(); }));
  Seen move = EventsOf(EVENT_WINDOWMOVE).back();
  EXPECT_TRUE(move.source == window);
  POINT origin = ClientOrigin(window);
  EXPECT_EQ(move.sourceX, origin.x);
  EXPECT_EQ(move.sourceY, origin.y);
  EXPECT_EQ(move.x, origin.x);
  EXPECT_EQ(move.y, origin.y);
}

TEST_F(WindowTest, SizeEventRefreshesEveryDescendant) {
  Ref<TGadget> window = Keep(NewWindow("size", 100, 100, 200, 100, nullptr, 35));
  Ref<TGadget> panel = NewPanel(0, 0, 200, 100, window, 0);
  GadgetSetLayout(panel, 1, 1, 1, 1);
  Ref<TGadget> label = NewLabel("x", 10, 10, 180, 20, panel, 0);
  GadgetSetLayout(label, 1, 1, 1, 0);
  SeenEvents().clear();
  GadgetSetShape(window, 100, 100, 300, 150);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_WINDOWSIZE).empty(); }));
  EXPECT_EQ(EventsOf(EVENT_WINDOWSIZE).back().x, 300);
  EXPECT_EQ(EventsOf(EVENT_WINDOWSIZE).back().y, 150);
  EXPECT_EQ(GadgetSizeW(panel), 300);
  EXPECT_EQ(GadgetSizeH(panel), 150);
  EXPECT_EQ(GadgetSizeW(label), 280);
  RECT labelRect{};
  GetClientRect(Hwnd(label), &labelRect);
  EXPECT_EQ(labelRect.right, 280);
}

TEST_F(WindowTest, MinimisedAndMaximisedWindowsKeepTheirPlace) {
  Ref<TGadget> window = Keep(NewWindow("minmax", 120, 110, 200, 75, nullptr, 35));
  PumpMessages();
  SeenEvents().clear();
  WindowMinimise(window);
  PumpMessages();
  EXPECT_TRUE(WindowIsMinimised(window));
  std::vector<Seen> sizes = EventsOf(EVENT_WINDOWSIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().x, 200);
  EXPECT_EQ(sizes.back().y, 75);
  EXPECT_TRUE(EventsOf(EVENT_WINDOWMOVE).empty());
  EXPECT_EQ(GadgetPosX(window), 120);

  WindowMaximise(window);
  PumpMessages();
  EXPECT_TRUE(WindowIsMaximised(window));
  SeenEvents().clear();
  SetWindowPos(Hwnd(window), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpMessages();
  EXPECT_TRUE(EventsOf(EVENT_WINDOWMOVE).empty());

  WindowRestore(window);
  PumpMessages();
  EXPECT_FALSE(WindowIsMaximised(window));
  EXPECT_FALSE(WindowIsMinimised(window));
}

TEST_F(WindowTest, CloseIsReportedAndTheWindowStaysOpen) {
  Ref<TGadget> window = Keep(NewWindow("close", 100, 100, 200, 75, nullptr, 33));
  SendMessageA(Hwnd(window), WM_CLOSE, 0, 0);
  PumpMessages();
  ASSERT_EQ(EventsOf(EVENT_WINDOWCLOSE).size(), 1u);
  EXPECT_TRUE(EventsOf(EVENT_WINDOWCLOSE)[0].source == window);
  EXPECT_TRUE(IsWindow(Hwnd(window)));
  EXPECT_TRUE(IsWindowVisible(Hwnd(window)));
}

TEST_F(WindowTest, ActivationIsReported) {
  Ref<TGadget> first = Keep(NewWindow("first", 100, 100, 200, 75, nullptr, 33));
  Ref<TGadget> second = Keep(NewWindow("second", 400, 100, 200, 75, nullptr, 33));
  PumpMessages();
  SeenEvents().clear();
  SetActiveWindow(Hwnd(first));
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_WINDOWACTIVATE).empty(); }));
  EXPECT_TRUE(EventsOf(EVENT_WINDOWACTIVATE).back().source == first);
}

TEST_F(WindowTest, HiddenStyleAndTitle) {
  Ref<TGadget> window = Keep(NewWindow("Eingabe Minuten", 117, 110, 165, 50, nullptr, 17 + 64));
  EXPECT_FALSE(IsWindowVisible(Hwnd(window)));
  EXPECT_TRUE(GadgetIsHidden(window));
  EXPECT_TRUE(GetWindowLongA(Hwnd(window), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  char title[64] = {};
  GetWindowTextA(Hwnd(window), title, sizeof title);
  EXPECT_STREQ(title, "Eingabe Minuten");
  GadgetShow(window);
  EXPECT_FALSE(GadgetIsHidden(window));
}

}  // namespace
}  // namespace tarn::testing
