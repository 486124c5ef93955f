// The system driver: the program's link to the operating system's message loop and to a few
// desktop services (message boxes, requesters, opening URLs, the mouse pointer).
//
// Front functions forward to the installed driver, systemDriver; the system module's
// initialisation installs the platform's driver (none in the host build, where tests install
// their own). Pumping is what makes every event source emit: window procedures, the timer's
// message hook and the input translation all run inside PumpMessages and AwaitMessages, and an
// exception raised in them reaches the caller of these two once Windows has returned.
// Texts cross to Windows one byte per character. Main thread only.
#pragma once

#include <cstdint>

#include "events/event.h"
#include "runtime/runtime.h"
#include "system/date_time.h"

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

// x, y in the client coordinates of the active window, or of the screen when none is active.
void PlaceMousePointer(int32_t x, int32_t y);
// The pointer is hidden only while it is over a tracked window after HideMousePointer.
void ShowMousePointer();
void HideMousePointer();

// Message boxes captioned with the application title, owned by the active window; the
// keyboard focus comes back to where it was. serious shows a warning icon.
void InfoBox(const String& text, bool serious);
int32_t OkCancelBox(const String& text, bool serious);     // 1 for OK, else 0
int32_t YesNoCancelBox(const String& text, bool serious);  // 1 Yes, 0 No, -1 otherwise

// The file requester (see system/requesters.h for extensions); the chosen path, or "" when it
// was cancelled or failed. save asks before overwriting, open wants an existing file.
String ChooseFile(const String& text, const String& extensions, bool save, const String& path);
// The folder requester, starting at path; the chosen folder, or "".
String ChooseFolder(const String& text, const String& path);
// Opens a URL, document or folder with the shell. A url that is not a URL yet becomes one (see
// system/system_driver_url.h); an empty one opens nothing. The shell's result is not passed
// on: always 0.
int32_t ShellOpen(const String& url);

}  // namespace tarn
