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

TEST_F(LifecycleTest, ReparentedGadgetIsReleasedOnceByEachHolder) {
  int32_t live = GkResource::LiveCount();
  Ref<TGadget> window = NewWindow("reparent", 100, 100, 200, 75, nullptr, 33);
  Ref<TGadget> panel = NewPanel(0, 0, 200, 75, window, 0);
  Ref<TGadget> label = NewLabel("moved", 0, 0, 100, 20, window, 0);
  HWND labelWindow = Hwnd(label);
  label->Reparent(panel, -1);
  EXPECT_TRUE(label->parent == panel);
  EXPECT_EQ(panel->kids.size(), 1u);
  GadgetFree(label);  // the panel still holds the native label
  EXPECT_TRUE(IsWindow(labelWindow));
  GadgetFree(window);
  EXPECT_FALSE(IsWindow(labelWindow));
  EXPECT_EQ(GkResource::LiveCount(), live);
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

// One window as the countdown builds it, with a coloured panel and a label with its own font;
// the panel's brush and the label's font go to gdiObjects. Freed before it returns.
void MakeAndFreeWindow(int i, std::vector<HGDIOBJ>& gdiObjects) {
  Ref<TGadget> window = NewWindow("leak", 100 + i, 100, 200, 75, nullptr, 33);
  Ref<TGadget> panel = NewPanel(0, 0, 200, 75, window, 2);
  PanelSetColor(panel, 200, 100, 50);
  auto* nativePanel = dynamic_cast<Win32Panel*>(Cast<TWin32Gadget>(panel)->nativeGadget);
  gdiObjects.push_back(nativePanel ? nativePanel->backgroundBrush : nullptr);
  Ref<TGadget> label = NewLabel("05:00", 0, 18, 200, 40, panel, 16);
  GadgetSetFont(label, OpenGuiFont("verdana.ttf", 26, 1, 0, 0));
  gdiObjects.push_back(reinterpret_cast<HGDIOBJ>(SendMessageA(Hwnd(label), WM_GETFONT, 0, 0)));
  NewButton("", 0, 0, 0, 0, panel, 5);
  Ref<TGadget> field = NewTextField(0, 0, 0, 0, panel, 0);
  GadgetActivate(field);
  PumpMessages();
  GadgetFree(window);
}

// Counted: the thread's windows (children included), live native resources, registered
// window holders and gadgets. GetGuiResources gives 0 under Wine, so the GDI objects are
// checked one by one: every brush and font made must be unknown to GDI afterwards.
TEST_F(LifecycleTest, HundredWindowsLeaveNothingBehind) {
  std::vector<HGDIOBJ> gdiObjects;
  MakeAndFreeWindow(0, gdiObjects);  // the thread's lasting helper windows come with the first
  PumpMessages();
  int windowsBefore = ThreadWindows();
  int32_t resourcesBefore = GkResource::LiveCount();
  int32_t registeredBefore = RegisteredWindowCount();
  int32_t gadgetsBefore = RegisteredGadgetCount();
  DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  gdiObjects.clear();
  for (int i = 0; i < 100; ++i) MakeAndFreeWindow(i, gdiObjects);
  PumpMessages();
  EXPECT_EQ(ThreadWindows(), windowsBefore);
  EXPECT_EQ(GkResource::LiveCount(), resourcesBefore);
  EXPECT_EQ(RegisteredWindowCount(), registeredBefore);
  EXPECT_EQ(RegisteredGadgetCount(), gadgetsBefore);
  int liveObjects = 0;
  for (HGDIOBJ object : gdiObjects) liveObjects += object && GetObjectType(object) != 0;
  EXPECT_EQ(gdiObjects.size(), 200u);
  EXPECT_EQ(liveObjects, 0);
  DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  EXPECT_LE(gdiAfter, gdiBefore + 2);
  std::printf("windows %d, native resources %d, GDI objects %lu -> %lu\n", windowsBefore,
              resourcesBefore, static_cast<unsigned long>(gdiBefore),
              static_cast<unsigned long>(gdiAfter));
}

}  // namespace
}  // namespace tarn::testing
