#include "app/countdown_program.h"

#include "events/event_queue.h"
#include "gui/model/gui_front.h"
#include "system/startup.h"

namespace tarn {

std::optional<int32_t> MinutesArgument(const std::vector<String>& args) {
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i].Left(4) == "min=") return StringToInt(args[i].Mid(4));
  }
  return std::nullopt;
}

void TCountdownProgram::Start(const std::vector<String>& args) {
  options = New<TOptions>();
  options->Load();
  if (!WindowOnSomeMonitor(options->x, options->y, kClientWidth, kClientHeight)) {
    options->x = 0;
    options->y = 0;
  }
  clock = New<TCountdown>();

  window = NewWindow("QuarnCountdown", options->x, options->y, kClientWidth, kClientHeight, nullptr,
                     WINDOW_TITLEBAR | WINDOW_CLIENTCOORDS);
  panel = NewPanel(0, 0, kClientWidth, kClientHeight, window, PANEL_INPUT, "");
  // Starts 18 pixels down and reaches past the panel's bottom, which clips it.
  timeLabel = NewLabel("", 0, 18, kClientWidth, kClientHeight, panel, LABEL_CENTER);
  cancelButton = NewButton("", 0, 0, 0, 0, panel, BUTTON_CANCEL);
  GadgetSetFont(timeLabel, OpenGuiFont("verdana.ttf", 26, 1, 0, 0));
  // Zero size, never seen: it holds the focus so that Escape reaches the dialog keys.
  focusField = NewTextField(0, 0, 0, 0, panel, 0);
  GadgetActivate(focusField);

  if (std::optional<int32_t> minutes = MinutesArgument(args)) {
    clock->Begin(window, timeLabel, *minutes);
    clock->Update();
  }
}

bool TCountdownProgram::Prompt() {
  OpenPrompt();
  if (!PromptLoop()) return false;
  ClosePrompt();
  return true;
}

void TCountdownProgram::OpenPrompt() {
  prompt = NewWindow("Eingabe Minuten", options->x + 17, options->y + 10, 165, 50, nullptr,
                     WINDOW_TITLEBAR | WINDOW_TOOL);
  minutesField = NewTextField(5, 5, 150, 20, prompt, 0);
  promptCancel = NewButton("", 0, 0, 0, 0, prompt, BUTTON_CANCEL);
  promptOk = NewButton("", 0, 0, 0, 0, prompt, BUTTON_OK);
  GadgetDisable(window);
  // The new prompt window is active but would hold the keyboard focus itself, so what the
  // user types first would go nowhere.
  GadgetActivate(minutesField);
}

bool TCountdownProgram::PromptLoop() {
  for (;;) {
    int32_t id = AwaitEvent();
    if (id == EVENT_WINDOWCLOSE) return false;
    if (id == EVENT_APPRESUME) {
      GadgetActivate(minutesField);
    } else if (id == EVENT_GADGETACTION && LastEventSource() == promptCancel) {
      return false;
    } else if (id == EVENT_GADGETACTION && LastEventSource() == promptOk) {
      int32_t minutes = StringToInt(TextFieldGetText(minutesField));
      if (minutes > 0) {
        clock->Begin(window, timeLabel, minutes);
        clock->Update();
        return true;
      }
      GadgetSetText(minutesField, "");
      // Pressing the OK button can take the focus from the field; the user types on in it.
      GadgetActivate(minutesField);
    }
  }
}

void TCountdownProgram::ClosePrompt() {
  GadgetFree(prompt);
  GadgetEnable(window);
  GadgetActivate(window);
  GadgetActivate(focusField);
}

void TCountdownProgram::MainLoop() {
  for (;;) {
    switch (AwaitEvent()) {
      case EVENT_APPRESUME:
        GadgetSetText(focusField, "");
        GadgetActivate(focusField);
        break;
      case EVENT_WINDOWCLOSE: return;
      case EVENT_WINDOWMOVE:
        // Any window's move, also the unsourced one of the window's creation: the position
        // is re-read from the main window.
        options->x = GadgetPosX(window);
        options->y = GadgetPosY(window);
        break;
      case EVENT_TIMERTICK: clock->Update(); break;
      case EVENT_GADGETACTION:
        // Typing into the focus field changes nothing visible.
        GadgetSetText(focusField, "");
        if (LastEventSource() == cancelButton) return;
        break;
      default: break;
    }
  }
}

void TCountdownProgram::Run(const std::vector<String>& args) {
  Start(args);
  bool counting = clock->startTime != 0 || Prompt();
  if (counting) {
    timer = StartTimer(3.0f);
    MainLoop();
  }
  options->Save();
  EndProgram();
}

}  // namespace tarn
