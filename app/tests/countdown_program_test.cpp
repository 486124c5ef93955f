#include "app/countdown_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "events/event_queue.h"
#include "gui/model/gui_driver.h"
#include "gui/model/gui_front.h"
#include "stream/streams.h"
#include "stream/tests/test_streams.h"
#include "system/system_driver.h"

namespace tarn {
namespace {

using testing::ScratchDir;

// Every gadget and driver call the program makes, in order, as one line each.
std::vector<std::string> calls;

std::string Text(const String& text) { return "\"" + text.ToBytes() + "\""; }

class TLoggedGadget : public TGadget {
 public:
  explicit TLoggedGadget(std::string name) : name(std::move(name)) {}
  void SetText(const String& text) override {
    calls.push_back(name + ".SetText(" + Text(text) + ")");
  }
  // The texts the user typed, one per read; empty once they are used up.
  String GetText() override {
    calls.push_back(name + ".GetText()");
    if (typed.empty()) return "";
    String text = typed.front();
    typed.erase(typed.begin());
    return text;
  }
  void SetFont(const Ref<TGuiFont>& font) override {
    calls.push_back(name + ".SetFont(" + (font ? Text(font->name) : "null") + ")");
  }
  void Activate(int32_t command) override {
    calls.push_back(name + ".Activate(" + std::to_string(command) + ")");
  }
  void SetEnabled(int32_t flag) override {
    calls.push_back(name + ".SetEnabled(" + std::to_string(flag) + ")");
  }
  void Free() override { calls.push_back(name + ".Free()"); }
  intptr_t Query(int32_t code) override { return code == 1 ? 0x5678 : 0; }

  std::string name;
  std::vector<String> typed;
};

// Names its gadgets after their class and creation order: window1, panel2, label3 ...
class TLoggedDriver : public TLoomkitDriver {
 public:
  Ref<TGadget> CreateGadget(int32_t gadgetClass, const String& text, int32_t x, int32_t y,
                            int32_t width, int32_t height, const Ref<TGadget>& group,
                            int32_t style) override {
    static const char* const kNames[] = {"desktop", "window", "button", "panel", "field",
                                         "area",    "combo",  "list",   "tools", "tabs",
                                         "tree",    "html",   "label"};
    std::string name = kNames[gadgetClass] + std::to_string(++made);
    std::string parent = group ? Cast<TLoggedGadget>(group)->name : "desktop";
    calls.push_back("New " + name + "(" + Text(text) + ", " + std::to_string(x) + ", " +
                    std::to_string(y) + ", " + std::to_string(width) + ", " +
                    std::to_string(height) + ", " + parent + ", " + std::to_string(style) + ")");
    auto gadget = New<TLoggedGadget>(name);
    gadget->SetShape(x, y, width, height);
    return gadget;
  }
  Ref<TGuiFont> LoadFont(const String& name, int32_t size, int32_t style) override {
    calls.push_back("LoadFont(" + Text(name) + ", " + std::to_string(size) + ", " +
                    std::to_string(style) + ")");
    auto font = New<TGuiFont>();
    font->name = "DejaVu Sans";
    return font;
  }
  int made = 0;
};

// Stands in for the user: each wait for a message emits the next event of the script, one at a
// time as a user's actions arrive. A loop that waits with the script used up would wait for
// ever on the host, so it fails instead.
class TScriptedSystemDriver : public TSystemDriver {
 public:
  void Pump() override {}
  void WaitAndPump() override {
    if (script.empty()) RaiseRuntimeError("waited with no event to come");
    Ref<TEvent> next = script.front();
    script.erase(script.begin());
    SendEvent(next);
  }
  std::vector<Ref<TEvent>> script;
};

// Each test runs in a fresh folder (for "options.cfg") with the logging driver installed and
// an empty event queue.
class CountdownProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitStreams();
    InitAudio();
    InitEventQueue();
  }
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path().ToBytes());
    Reset();
  }
  void TearDown() override {
    systemDriver = nullptr;
    guiDriver = nullptr;
    std::filesystem::current_path(previous_);
  }

  // A fresh driver, log, queue and program, for tests that run several cases.
  void Reset() {
    systemDriver = user_ = New<TScriptedSystemDriver>();
    guiDriver = New<TLoggedDriver>();
    calls.clear();
    while (PeekQueuedEvent()) TryTakeEvent();
    program_ = New<TCountdownProgram>();
  }

  // The user's next action.
  void Post(int32_t id, const Ref<Object>& source = nullptr) {
    user_->script.push_back(MakeEvent(id, source, 0, 0, 0, 0, nullptr));
  }
  // The calls logged since the last look.
  static std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }
  TLoggedGadget& Logged(const Ref<TGadget>& gadget) { return *Cast<TLoggedGadget>(gadget); }

  Ref<TCountdownProgram> program_;
  Ref<TScriptedSystemDriver> user_;

 private:
  ScratchDir dir_;
  std::filesystem::path previous_;
};

TEST(CountdownArguments, FirstMinEqualsArgumentGivesTheMinutes) {
  struct Case {
    std::vector<const char*> args;  // after the program's path
    std::optional<int32_t> minutes;
  };
  const Case cases[] = {
      {{"min=5"}, 5},
      {{"MIN=5"}, std::nullopt},
      {{"min5"}, std::nullopt},
      {{"min"}, std::nullopt},
      {{}, std::nullopt},
      {{"min=5", "min=7"}, 5},
      {{"other", "min=90"}, 90},
      {{"min=-3"}, -3},
      {{"min="}, 0},
      {{"min=x"}, 0},
      {{"min= 12abc"}, 12},
      {{"min=$1F"}, 31},
      {{"min=4294967301"}, 5},  // wraps to 32 bits
  };
  for (const Case& c : cases) {
    std::vector<String> args = {"C:/x/min=9.exe"};  // the program's path is not an argument
    for (const char* arg : c.args) args.push_back(arg);
    EXPECT_EQ(MinutesArgument(args), c.minutes) << (c.args.empty() ? "" : c.args[0]);
  }
}

TEST_F(CountdownProgram, StartBuildsTheMainWindowAndShowsTheMinutesAtOnce) {
  std::FILE* file = std::fopen("options.cfg", "wb");
  std::fputs("POS_X = 300\r\npos_y=$1F\r\n", file);
  std::fclose(file);

  program_->Start({"QuarnCountdown.exe", "min=5"});

  const std::vector<std::string> expected = {
      "New window1(\"QuarnCountdown\", 300, 31, 200, 75, desktop, 33)",
      "New panel2(\"\", 0, 0, 200, 75, window1, 2)",
      "New label3(\"\", 0, 18, 200, 75, panel2, 16)",
      "New button4(\"\", 0, 0, 0, 0, panel2, 5)",
      "LoadFont(\"verdana.ttf\", 26, 1)",
      "label3.SetFont(\"DejaVu Sans\")",
      "New field5(\"\", 0, 0, 0, 0, panel2, 0)",
      "field5.Activate(0)",
      "label3.SetText(\"05:00\")",
  };
  EXPECT_EQ(TakeCalls(), expected);
  EXPECT_EQ(program_->clock->windowHandle, 0x5678);
}

TEST_F(CountdownProgram, WithoutMinutesThePromptOpensOverTheDisabledWindow) {
  for (const char* arg : {"MIN=5", "min5"}) {
    Reset();
    program_->Start({"QuarnCountdown.exe", arg});
    EXPECT_EQ(program_->clock->startTime, 0) << arg;
    TakeCalls();
    program_->OpenPrompt();
    const std::vector<std::string> expected = {
        "New window6(\"Eingabe Minuten\", 17, 10, 165, 50, desktop, 17)",
        "New field7(\"\", 5, 5, 150, 20, window6, 0)",
        "New button8(\"\", 0, 0, 0, 0, window6, 5)",
        "New button9(\"\", 0, 0, 0, 0, window6, 4)",
        "window1.SetEnabled(0)",
        "field7.Activate(0)",
    };
    EXPECT_EQ(TakeCalls(), expected) << arg;
  }
}

TEST_F(CountdownProgram, PromptClearsUnusableEntriesAndStartsOnAPositiveOne) {
  program_->Start({"QuarnCountdown.exe"});
  program_->OpenPrompt();
  Logged(program_->minutesField).typed = {"x", "0", "-3", "", " 3 "};
  TakeCalls();

  Post(EVENT_WINDOWMOVE);  // the prompt's creation move, without a source: ignored
  Post(EVENT_APPRESUME);
  Post(EVENT_GADGETACTION, program_->cancelButton);  // the main window's: nothing
  for (int press = 0; press < 5; ++press) Post(EVENT_GADGETACTION, program_->promptOk);
  ASSERT_TRUE(program_->PromptLoop());
  std::vector<std::string> expected = {"field7.Activate(0)"};
  for (int unusable = 0; unusable < 4; ++unusable) {
    expected.push_back("field7.GetText()");
    expected.push_back("field7.SetText(\"\")");
    expected.push_back("field7.Activate(0)");
  }
  expected.push_back("field7.GetText()");
  expected.push_back("label3.SetText(\"03:00\")");
  EXPECT_EQ(TakeCalls(), expected);

  program_->ClosePrompt();
  expected = {"window6.Free()", "window1.SetEnabled(1)", "window1.Activate(0)",
              "field5.Activate(0)"};
  EXPECT_EQ(TakeCalls(), expected);
}

TEST_F(CountdownProgram, PromptEndsOnCancelOrClose) {
  for (bool cancel : {true, false}) {
    Reset();
    program_->Start({"QuarnCountdown.exe"});
    program_->OpenPrompt();
    Post(cancel ? EVENT_GADGETACTION : EVENT_WINDOWCLOSE, program_->promptCancel);
    Post(EVENT_GADGETACTION, program_->promptOk);  // never reached
    EXPECT_FALSE(program_->PromptLoop()) << cancel;
    EXPECT_EQ(program_->clock->startTime, 0) << cancel;
  }
}

TEST_F(CountdownProgram, MainLoopTicksFollowsMovesAndEndsOnEscapeOrClose) {
  for (bool escape : {true, false}) {
    Reset();
    program_->Start({"QuarnCountdown.exe", "min=0"});
    TakeCalls();
    program_->window->SetShape(120, 45, 200, 75);  // where the user moved it
    Post(EVENT_WINDOWMOVE);                        // any source counts
    Post(EVENT_TIMERTICK);
    Post(EVENT_GADGETACTION, program_->focusField);  // a typed letter
    Post(EVENT_APPRESUME);
    Post(escape ? EVENT_GADGETACTION : EVENT_WINDOWCLOSE, program_->cancelButton);
    Post(EVENT_TIMERTICK);  // never reached
    program_->MainLoop();
    const std::vector<std::string> expected = {"label3.SetText(\"00:00\")", "field5.SetText(\"\")",
                                               "field5.SetText(\"\")", "field5.Activate(0)"};
    std::vector<std::string> seen = TakeCalls();
    if (escape) seen.pop_back();  // the cancel button's action also clears the field
    EXPECT_EQ(seen, expected) << escape;
    EXPECT_EQ(program_->options->x, 120) << escape;
    EXPECT_EQ(program_->options->y, 45) << escape;
  }
}

}  // namespace
}  // namespace tarn
