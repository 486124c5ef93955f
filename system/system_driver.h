// The system driver: the program's link to the operating system's message loop and to a few
// desktop services (message boxes, requesters, opening URLs, the mouse pointer).
//
// Front functions forward to the installed driver, systemDriver; the system module's
// initialisation installs the platform's driver (none in the host build, where tests install
// their own). Pumping is what makes every event source emit. Main thread only.
#pragma once

#include <cstdint>

#include "events/event.h"
#include "runtime/runtime.h"

namespace tarn {

class TSystemDriver : public Object {
 public:
  // Every operation raises "Attempt to call abstract method" unless a driver overrides it.
  virtual void Pump();         // handles every pending message of the thread
  virtual void WaitAndPump();  // sleeps until a message arrives, then pumps
  virtual void PlaceMousePointer(int32_t x, int32_t y);
  virtual void SetPointerVisible(bool visible);
  virtual void InfoBox(const String& text, bool serious);
  virtual int32_t OkCancelBox(const String& text, bool serious);
  virtual int32_t YesNoCancelBox(const String& text, bool serious);
  virtual String ChooseFile(const String& text, const String& extensions, bool save,
                            const String& path);
  virtual String ChooseFolder(const String& text, const String& path);
  virtual int32_t ShellOpen(const String& url);
};

extern Ref<TSystemDriver> systemDriver;

void InitSystem();
// Installs the platform's driver; the platform half of InitSystem.
void InstallPlatformSystemDriver();

// Both do nothing when called while either is already running (from inside the pump).
void PumpMessages();
void AwaitMessages();

}  // namespace tarn
