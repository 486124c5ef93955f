// Freeing gadgets: children first, the handle map emptied, a second Free and a Free from inside
// the gadget's own event harmless, and nothing native left behind by many windows.
#include "gui/native/gk_resource.h"
#include "gui/native/win32_controls.h"
#include "gui/native/win32_core.h"
#include "gui/win32/tests/gui_test_support.h"
#include "tests/support/raises.h"

namespace tarn::testing {
namespace {

using LifecycleTest = GuiTest;

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

// Every window of this thread, children included.
int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TWin32GUIDriver& Driver() { return static_cast<TWin32GUIDriver&>(*guiDriver); }

TEST_F(LifecycleTest, FreeOnAWindowFreesItsChildrenFirst) {
  Ref<TGadget> window = NewWindow("free", 100, 100, 200, 75, nullptr, 33);
  Ref<TGadget> panel = NewPanel(0, 0, 200, 75, window, 2);
  Ref<TGadget> label = NewLabel("05:00", 0, 18, 200, 40, panel, 16);
  Ref<TGadget> button = NewButton("", 0, 0, 0, 0, panel, 5);
  std::vector<Ref<TWin32Gadget>> all;
  std::vector<GkResource*> natives;
  for (const Ref<TGadget>& g : {window, panel, label, button}) {
    all.push_back(Cast<TWin32Gadget>(g));
    natives.push_back(all.back()->nativeGadget);
    EXPECT_TRUE(Driver().GadgetFromNative(natives.back()) == g);
  }
  HWND labelWindow = Hwnd(label);
  GadgetFree(window);
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_FALSE(Driver().GadgetFromNative(natives[i])) << i;
    EXPECT_EQ(all[i]->nativeGadget, nullptr) << i;
  }
  EXPECT_FALSE(IsWindow(labelWindow));
  EXPECT_TRUE(panel->kids.empty());
  EXPECT_FALSE(label->parent);
  GadgetFree(window);  // a second Free does nothing more
  GadgetFree(label);
  EXPECT_EQ(GadgetQuery(window, QueryNativeHandle), 0);
  EXPECT_TRUE(GadgetIsHidden(label));
}

TEST_F(LifecycleTest, AGadgetFreedInsideItsOwnEventHandler) {
  Ref<TGadget> window = NewWindow("self", 100, 100, 200, 75, nullptr, 33);
  Ref<TGadget> button = NewButton("go", 10, 10, 80, 20, window, 0);
  HWND frame = Hwnd(window);
  OnEvent() = [&](const Ref<TEvent>& event) {
    if (event->id == EVENT_GADGETACTION) GadgetFree(button);
    if (event->id == EVENT_WINDOWCLOSE) GadgetFree(window);
  };
  SendMessageA(Hwnd(button), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(EventsOf(EVENT_GADGETACTION).size(), 1u);
  EXPECT_EQ(GadgetQuery(button, QueryNativeHandle), 0);
  SendMessageA(frame, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(frame));
}

TEST_F(LifecycleTest, RegisteringANativeGadgetTwiceRaises) {
  Ref<TGadget> window = Keep(NewWindow("twice", 100, 100, 200, 75, nullptr, 33));
  GkResource* native = Cast<TWin32Gadget>(window)->nativeGadget;
  size_t kids = window->kids.size();
  EXPECT_RAISES_TEXT(TWin32Gadget::Create(GADGET_WINDOW, native, window),
                     "Gadget handle already in map!");
  EXPECT_EQ(window->kids.size(), kids);
  EXPECT_TRUE(Driver().GadgetFromNative(native) == window);
}

TEST_F(LifecycleTest, HundredWindowsLeaveNothingBehind) {
  PumpMessages();
  int windowsBefore = ThreadWindows();
  int32_t resourcesBefore = GkResource::LiveCount();
  int32_t registeredBefore = RegisteredWindowCount();
  int32_t gadgetsBefore = RegisteredGadgetCount();
  DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  std::vector<HGDIOBJ> gdiObjects;  // each panel's brush and each label's font
  for (int i = 0; i < 100; ++i) {
    Ref<TGadget> window = NewWindow("leak", 100 + i, 100, 200, 75, nullptr, 33);
    Ref<TGadget> panel = NewPanel(0, 0, 200, 75, window, 2);
    PanelSetColor(panel, 200, 100, 50);
    auto* nativePanel = dynamic_cast<Win32Panel*>(Cast<TWin32Gadget>(panel)->nativeGadget);
    ASSERT_NE(nativePanel, nullptr);
    gdiObjects.push_back(nativePanel->backgroundBrush);
    Ref<TGadget> label = NewLabel("05:00", 0, 18, 200, 40, panel, 16);
    Ref<TGuiFont> font = OpenGuiFont("verdana.ttf", 26, 1, 0, 0);
    GadgetSetFont(label, font);
    gdiObjects.push_back(reinterpret_cast<HGDIOBJ>(SendMessageA(Hwnd(label), WM_GETFONT, 0, 0)));
    NewButton("", 0, 0, 0, 0, panel, 5);
    NewTextField(0, 0, 0, 0, panel, 0);
    PumpMessages();
    GadgetFree(window);
  }
  PumpMessages();
  EXPECT_EQ(ThreadWindows(), windowsBefore);
  EXPECT_EQ(GkResource::LiveCount(), resourcesBefore);
  EXPECT_EQ(RegisteredWindowCount(), registeredBefore);
  EXPECT_EQ(RegisteredGadgetCount(), gadgetsBefore);
  // Every brush and font went with its last holder: GDI knows no such object any more.
  int liveObjects = 0;
  for (HGDIOBJ object : gdiObjects) liveObjects += GetObjectType(object) != 0;
  EXPECT_EQ(gdiObjects.size(), 200u);
  EXPECT_EQ(liveObjects, 0);
  DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  EXPECT_LE(gdiAfter, gdiBefore + 2);  // 0 under Wine, which keeps no per-process count
  std::printf("GDI objects before %lu after %lu\n", gdiBefore, gdiAfter);
}

}  // namespace
}  // namespace tarn::testing
