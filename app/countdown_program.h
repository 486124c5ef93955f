// The countdown program: its windows, the prompt for the minutes and the two event loops.
//
// Start builds the main window (a 200 x 75 client area at the stored position, a large bold
// centred label, an invisible cancel button that Escape presses and an invisible text field
// that keeps the focus) and starts the clock from the first "min=" argument. Without one,
// Prompt opens a small window asking for the minutes while the main window is disabled.
// MainLoop then updates the clock on every timer tick and follows the window's moves. The
// loops return when the user ends the program; Run saves the options and ends the process
// with exit code 0 on every way out. Main thread only.
#pragma once

#include <optional>
#include <vector>

#include "app/countdown.h"
#include "app/options.h"
#include "gui/model/gadget.h"
#include "system/timer.h"

namespace tarn {

// The minutes given by the first argument after the program's own path whose first four
// characters are exactly "min=", converted as the runtime converts text to integers.
std::optional<int32_t> MinutesArgument(const std::vector<String>& args);

class TCountdownProgram : public Object {
 public:
  // Loads the options, makes the clock and the main window, and starts the clock when the
  // arguments give the minutes. A stored position that would put the window outside every
  // monitor's work area is replaced by 0, 0.
  void Start(const std::vector<String>& args);
  // Only when the clock has not started: asks for the minutes and starts the clock with the
  // first positive entry. False when the user closed or escaped the prompt instead.
  bool Prompt();
  // Prompt's steps: the prompt window with the main window disabled; its loop, true once the
  // clock started; closing it and giving the main window back its input.
  void OpenPrompt();
  bool PromptLoop();
  void ClosePrompt();
  // Handles events until the user closes the window or presses Escape, then returns.
  void MainLoop();
  // Start, Prompt, the 3 Hz timer and MainLoop; every way out saves the options and ends the
  // program with exit code 0.
  [[noreturn]] void Run(const std::vector<String>& args);

  Ref<TOptions> options;
  Ref<TCountdown> clock;
  Ref<TGadget> window, panel, timeLabel, cancelButton, focusField;
  Ref<TGadget> prompt, minutesField, promptCancel, promptOk;
  Ref<TTimer> timer;

  static constexpr int32_t kClientWidth = 200;
  static constexpr int32_t kClientHeight = 75;
};

// Whether a window whose client area is width x height at x, y (screen coordinates, with a
// caption above it) has any part on some monitor's work area. Platform half; the host has no
// screen and says true.
bool WindowOnSomeMonitor(int32_t x, int32_t y, int32_t width, int32_t height);

}  // namespace tarn
