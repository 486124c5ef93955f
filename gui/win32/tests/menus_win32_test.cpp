// Menus, hot keys, the status bar, dropped files and panel backgrounds through the front end.
#include <shlobj.h>

#include <cstring>
#include <string>

#include "gui/win32/tests/gui_test_support.h"

namespace tarn::testing {
namespace {

using MenusTest = GuiTest;

TEST_F(MenusTest, MenuItemShowsItsHotKeyAndReportsItsTag) {
  Ref<TGadget> window = Keep(NewWindow("menus", 100, 100, 300, 150, nullptr, 1 + 4));
  Ref<TGadget> file = NewMenu("File", 0, WindowMenuRoot(window));
  Ref<TGadget> save = NewMenu("Save", 7, file, 'S', 2);
  NewMenu("", 0, file);  // a separator
  Ref<TGadget> quit = NewMenu("Quit", 9, file);
  MenuDisable(quit);
  MenuCheck(save);
  WindowRedrawMenu(window);

  HMENU bar = GetMenu(Hwnd(window));
  ASSERT_NE(bar, nullptr);
  HMENU sub = GetSubMenu(bar, 0);
  ASSERT_NE(sub, nullptr);
  char text[64] = {};
  GetMenuStringA(sub, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Save\tCtrl+S");
  EXPECT_EQ(GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_TRUE(GetMenuState(sub, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(MenuIsChecked(save));
  EXPECT_FALSE(MenuIsEnabled(quit));
  EXPECT_EQ(MenuGetText(save).ToBytes(), "Save");

  UINT command = GetMenuItemID(sub, 0);
  EXPECT_GE(command, 200u);  // command numbers start at 100, identifiers 100 above them
  PostMessageA(Hwnd(window), WM_COMMAND, command, 0);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_MENUACTION).empty(); }));
  Seen action = EventsOf(EVENT_MENUACTION)[0];
  EXPECT_EQ(action.data, 7);
  EXPECT_TRUE(action.source == save);
}

void PressKey(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(MenusTest, AHotKeyOfAWindowFiresOnlyWhileItIsInTheForeground) {
  Ref<TGadget> owner = Keep(NewWindow("owner", 100, 100, 200, 75, nullptr, 33));
  Ref<TGadget> other = Keep(NewWindow("other", 400, 100, 200, 75, nullptr, 33));
  Ref<TGadget> button = NewButton("F6", 10, 10, 60, 20, owner, 0);
  GadgetSetHotKey(button, VK_F6, 0);

  SetForegroundWindow(Hwnd(other));
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Hwnd(other); }));
  SeenEvents().clear();
  PressKey(VK_F6);
  PumpAWhile(300);
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION).empty());

  SetForegroundWindow(Hwnd(owner));
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Hwnd(owner); }));
  SeenEvents().clear();
  PressKey(VK_F6);
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_GADGETACTION).empty(); }));
  EXPECT_EQ(EventsOf(EVENT_GADGETACTION).size(), 1u);  // on key down only
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION)[0].source == button);
  GadgetFree(button);  // its hot key goes with it
  SeenEvents().clear();
  PressKey(VK_F6);
  PumpAWhile(300);
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION).empty());
}

TEST_F(MenusTest, StatusBarSitsBelowTheClientWindow) {
  Ref<TGadget> window = Keep(NewWindow("status", 100, 100, 300, 200, nullptr, 1 + 2 + 8 + 32));
  EXPECT_NE(GadgetQuery(window, QueryClientHandle), GadgetQuery(window, QueryNativeHandle));
  WindowSetStatus(window, "ready");
  HWND status = FindWindowExA(Hwnd(window), nullptr, "msctls_statusbar32", nullptr);
  ASSERT_NE(status, nullptr);
  char text[16] = {};
  SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "ready");
  RECT statusRect{};
  GetWindowRect(status, &statusRect);
  int statusHeight = statusRect.bottom - statusRect.top;
  EXPECT_GT(statusHeight, 0);
  // The reported height includes the status bar, which SetShape added.
  EXPECT_EQ(GadgetSizeH(window), 200 + statusHeight);
  EXPECT_EQ(GadgetClientHeight(window), 200);
  Ref<TGadget> button = NewButton("in", 0, 0, 50, 20, window, 0);
  EXPECT_EQ(GetParent(Hwnd(button)), reinterpret_cast<HWND>(GadgetQuery(window, 2)));
}

HDROP MakeDrop(const std::vector<std::string>& paths, POINT point) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = point;
  char* names = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(names, path.c_str(), path.size() + 1);
    names += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(MenusTest, DroppedFilesArriveInOrder) {
  Ref<TGadget> window = Keep(NewWindow("drop", 100, 100, 200, 75, nullptr, 33 + 128));
  EXPECT_TRUE(GetWindowLongA(Hwnd(window), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::vector<std::string> paths = {"C:\\a.txt", "C:\\b\\c.wav", "C:\\d.cfg"};
  SendMessageA(Hwnd(window), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths, {12, 34})), 0);
  std::vector<Seen> accepted = EventsOf(EVENT_WINDOWACCEPT);
  ASSERT_EQ(accepted.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(String::FromObject(accepted[i].extra).ToBytes(), paths[i]);
    EXPECT_EQ(accepted[i].x, 12);
    EXPECT_EQ(accepted[i].y, 34);
    EXPECT_TRUE(accepted[i].source == window);
  }
}

COLORREF PixelAt(const Ref<TGadget>& gadget, int x, int y) {
  UpdateWindow(Hwnd(gadget));
  HDC dc = GetDC(Hwnd(gadget));
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(Hwnd(gadget), dc);
  return colour;
}

TEST_F(MenusTest, PanelBackgroundsBrushPixmapAndAlpha) {
  Ref<TGadget> window = Keep(NewWindow("paint", 100, 100, 200, 100, nullptr, 33));
  Ref<TGadget> panel = NewPanel(0, 0, 200, 100, window, 0);
  PumpMessages();
  PanelSetColor(panel, 255, 0, 0);
  PumpMessages();
  EXPECT_EQ(PixelAt(panel, 100, 50), RGB(255, 0, 0));

  Ref<TPixmap> blue = New<TPixmap>(2, 2, PIXMAP_RGB888);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) blue->SetPixel(x, y, 0xFF0000FF);
  }
  PanelSetPixmap(panel, blue, 3);  // stretched over the client area
  PumpMessages();
  EXPECT_EQ(PixelAt(panel, 100, 50), RGB(0, 0, 255));

  GadgetSetAlpha(panel, 0.0);  // neither picture nor brush is painted
  PumpMessages();
  COLORREF plain = PixelAt(panel, 100, 50);
  EXPECT_NE(plain, RGB(0, 0, 255));
  EXPECT_NE(plain, RGB(255, 0, 0));
}

}  // namespace
}  // namespace tarn::testing
