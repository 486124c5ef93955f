// The countdown's window with real X input and a screenshot: xdotool presses Escape on the
// shown window, ImageMagick's import saves what the window looks like. Both are host programs,
// started from inside Wine through its Z: drive.
#include <string>

#include "gui/win32/tests/gui_test_support.h"
#include "tests/support/child_process.h"

namespace tarn::testing {
namespace {

using RealInputTest = GuiTest;

ChildResult RunHostProgram(const std::string& program, const std::vector<std::string>& args) {
  return RunChild("Z:" + program, args);
}

TEST_F(RealInputTest, XKeyPressOfEscapePressesTheCancelButton) {
  Countdown c = MakeCountdownWindow(200, 150);
  Keep(c.window);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Hwnd(c.field); }));
  PumpAWhile(300);
  SeenEvents().clear();
  ChildResult typed = RunHostProgram("/usr/bin/xdotool", {"key", "--delay", "50", "Escape"});
  ASSERT_EQ(typed.exitCode, 0) << typed.err;
  ASSERT_TRUE(PumpUntil([] { return !EventsOf(EVENT_GADGETACTION).empty(); }, 5000));
  EXPECT_TRUE(EventsOf(EVENT_GADGETACTION)[0].source == c.cancel);

  // Typing into the field through X as well: one action per character.
  GadgetActivate(c.field);
  SeenEvents().clear();
  typed = RunHostProgram("/usr/bin/xdotool", {"type", "--delay", "50", "12"});
  ASSERT_EQ(typed.exitCode, 0) << typed.err;
  ASSERT_TRUE(PumpUntil([] { return EventsOf(EVENT_GADGETACTION).size() >= 2; }, 5000));
  EXPECT_EQ(TextFieldGetText(c.field).ToBytes(), "12");
}

TEST_F(RealInputTest, ScreenshotOfTheCountdownWindow) {
  Countdown c = MakeCountdownWindow(200, 150);
  Keep(c.window);
  PumpAWhile(500);
  RECT frame{};
  GetWindowRect(Hwnd(c.window), &frame);
  std::string crop = std::to_string(frame.right - frame.left) + "x" +
                     std::to_string(frame.bottom - frame.top) + "+" + std::to_string(frame.left) +
                     "+" + std::to_string(frame.top);
  std::string file = std::string(TARNWICK_BUILD_DIR) + "/countdown_window.png";
  std::string windowsPath = "Z:" + file;
  DeleteFileA(windowsPath.c_str());
  // Wine starts a host program without waiting for it: the window stays up until the picture
  // has been written.
  ChildResult shot =
      RunHostProgram("/usr/bin/import", {"-window", "root", "-crop", crop, "+repage", file});
  ASSERT_EQ(shot.exitCode, 0) << shot.err;
  EXPECT_TRUE(PumpUntil(
      [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(windowsPath.c_str(), GetFileExInfoStandard, &data) &&
               data.nFileSizeLow > 0;
      },
      10000));
  PumpAWhile(500);
  std::printf("screenshot: %s\n", file.c_str());
}

}  // namespace
}  // namespace tarn::testing
