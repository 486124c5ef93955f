// QuarnCountdown's entry: the runtime's start-up, then the application module.
#include "app/countdown_program.h"
#include "audio/audio.h"
#include "audio/mixer/binding/sonaflux_driver.h"
#include "events/event_queue.h"
#include "gui/win32/win32_gui.h"
#include "system/startup.h"
#include "system/timer.h"

namespace {

// The application module's initialiser: the modules it imports, each once and with its own
// imports first, then the program itself, which ends the process.
void InitApp() {
  static bool started = false;
  if (started) return;
  started = true;
  tarn::InitRuntime();
  tarn::InitWin32Gui();
  tarn::InitSonafluxDrivers();  // the audio front end with the WAV loader, then the mixer's drivers
  tarn::InitEventQueue();
  tarn::InitTimer();
  tarn::New<tarn::TCountdownProgram>()->Run(tarn::commandLineArgs);
}

}  // namespace

int main(int argc, char** argv) { return tarn::RunProgram(argc, argv, InitApp); }
