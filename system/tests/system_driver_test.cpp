// The driver contract and the front functions, over a driver that stands in for the platform.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "system/system_driver.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

// Records every call; Pump and WaitAndPump run what the test hands them.
class TRecordingDriver : public TSystemDriver {
 public:
  void Pump() override {
    calls.push_back("Pump");
    if (onPump) onPump();
  }
  void WaitAndPump() override {
    calls.push_back("WaitAndPump");
    if (onPump) onPump();
  }
  void PlaceMousePointer(int32_t x, int32_t y) override {
    calls.push_back("Place " + std::to_string(x) + "," + std::to_string(y));
  }
  void SetPointerVisible(bool visible) override { calls.push_back(visible ? "Show" : "Hide"); }
  void InfoBox(const String& text, bool serious) override { Note("Info", text, serious); }
  int32_t OkCancelBox(const String& text, bool serious) override {
    Note("OkCancel", text, serious);
    return 1;
  }
  int32_t YesNoCancelBox(const String& text, bool serious) override {
    Note("YesNoCancel", text, serious);
    return -1;
  }
  String ChooseFile(const String& text, const String& extensions, bool save,
                    const String& path) override {
    calls.push_back("File " + text.ToBytes() + " " + extensions.ToBytes() + " " +
                    (save ? "save " : "open ") + path.ToBytes());
    return "chosen.txt";
  }
  String ChooseFolder(const String& text, const String& path) override {
    calls.push_back("Folder " + text.ToBytes() + " " + path.ToBytes());
    return "C:\\chosen";
  }
  int32_t ShellOpen(const String& url) override {
    calls.push_back("Shell " + url.ToBytes());
    return 0;
  }

  std::vector<std::string> calls;
  std::function<void()> onPump;

 private:
  void Note(const char* box, const String& text, bool serious) {
    calls.push_back(std::string(box) + " " + text.ToBytes() + (serious ? " serious" : ""));
  }
};

class SystemDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    InitSystem();
    installed = systemDriver;
    driver = New<TRecordingDriver>();
    systemDriver = driver;
  }
  void TearDown() override { systemDriver = installed; }

  Ref<TSystemDriver> installed;
  Ref<TRecordingDriver> driver;
};

TEST_F(SystemDriver, EveryOperationOfTheBaseIsAbstract) {
  Ref<TSystemDriver> base = New<TSystemDriver>();
  const char* text = "Attempt to call abstract method";
  EXPECT_RAISES_TEXT(base->Pump(), text);
  EXPECT_RAISES_TEXT(base->WaitAndPump(), text);
  EXPECT_RAISES_TEXT(base->PlaceMousePointer(1, 2), text);
  EXPECT_RAISES_TEXT(base->SetPointerVisible(true), text);
  EXPECT_RAISES_TEXT(base->InfoBox("x", false), text);
  EXPECT_RAISES_TEXT(base->OkCancelBox("x", false), text);
  EXPECT_RAISES_TEXT(base->YesNoCancelBox("x", false), text);
  EXPECT_RAISES_TEXT(base->ChooseFile("x", "txt", false, "a.txt"), text);
  EXPECT_RAISES_TEXT(base->ChooseFolder("x", "C:/"), text);
  EXPECT_RAISES_TEXT(base->ShellOpen("http://x"), text);
  // The front functions on an installed base driver raise the same.
  systemDriver = base;
  EXPECT_RAISES_TEXT(PumpMessages(), text);
  EXPECT_RAISES_TEXT(AwaitMessages(), text);
}

TEST_F(SystemDriver, FrontFunctionsForwardToTheInstalledDriver) {
  PlaceMousePointer(-3, 40);
  HideMousePointer();
  ShowMousePointer();
  InfoBox("note", false);
  EXPECT_EQ(OkCancelBox("sure?", true), 1);
  EXPECT_EQ(YesNoCancelBox("save?", false), -1);
  EXPECT_EQ(ChooseFile("Open", "Text:txt", false, "C:/a.txt").ToBytes(), "chosen.txt");
  EXPECT_EQ(ChooseFolder("Where", "C:/w").ToBytes(), "C:\\chosen");
  std::vector<std::string> expected = {"Place -3,40",
                                       "Hide",
                                       "Show",
                                       "Info note",
                                       "OkCancel sure? serious",
                                       "YesNoCancel save?",
                                       "File Open Text:txt open C:/a.txt",
                                       "Folder Where C:/w"};
  EXPECT_EQ(driver->calls, expected);
}

TEST_F(SystemDriver, ShellOpenHandsTheShellAUrl) {
  EXPECT_EQ(ShellOpen("https://example.com/"), 0);
  EXPECT_EQ(ShellOpen("www.example.com"), 0);
  EXPECT_EQ(ShellOpen(""), 0);  // nothing to open: the driver is not asked
  EXPECT_EQ(driver->calls, (std::vector<std::string>{"Shell https://example.com/",
                                                     "Shell http://www.example.com"}));
}

TEST_F(SystemDriver, NoDriverInstalledRaisesTheNullObjectException) {
  systemDriver = nullptr;
  EXPECT_RAISES_CLASS(PumpMessages(), TNullObjectException);
  EXPECT_RAISES_CLASS(InfoBox("x", false), TNullObjectException);
  systemDriver = driver;
  PumpMessages();  // the failure did not leave the pump busy
  EXPECT_EQ(driver->calls, std::vector<std::string>{"Pump"});
}

TEST_F(SystemDriver, PumpingFromInsideThePumpReturnsAtOnce) {
  int depth = 0;
  driver->onPump = [&] {
    ++depth;
    PumpMessages();  // from an event hook or a window procedure
    AwaitMessages();
  };
  PumpMessages();
  AwaitMessages();
  EXPECT_EQ(depth, 2);
  EXPECT_EQ(driver->calls, (std::vector<std::string>{"Pump", "WaitAndPump"}));
}

TEST_F(SystemDriver, AnExceptionFromThePumpReachesTheCallerAndClearsTheBusyFlag) {
  driver->onPump = [] { Raise(String("raised while pumping")); };
  EXPECT_RAISES_TEXT(PumpMessages(), "raised while pumping");
  EXPECT_RAISES_TEXT(AwaitMessages(), "raised while pumping");
  driver->onPump = nullptr;
  PumpMessages();
  EXPECT_EQ(driver->calls, (std::vector<std::string>{"Pump", "WaitAndPump", "Pump"}));
}

}  // namespace
}  // namespace tarn
