// The Windows system driver: pumps the main thread's Windows messages, routes the keys of
// dialog controls through the dialog-key handling, and opens message boxes, requesters and
// documents through the user interface, common dialog and shell libraries.
//
// The system module installs one as systemDriver in the Windows build. Its first construction
// asks for the 1 ms system timer resolution and registers an exit handler that gives it back.
// Main thread only; the class exists in the Windows build only.
#pragma once

#include "system/system_driver.h"

namespace tarn {

class TWin32SystemDriver : public TSystemDriver {
 public:
  TWin32SystemDriver();
  void Pump() override;
  void WaitAndPump() override;
  void PlaceMousePointer(int32_t x, int32_t y) override;
  void SetPointerVisible(bool visible) override;
  void InfoBox(const String& text, bool serious) override;
  int32_t OkCancelBox(const String& text, bool serious) override;
  int32_t YesNoCancelBox(const String& text, bool serious) override;
  String ChooseFile(const String& text, const String& extensions, bool save,
                    const String& path) override;
  String ChooseFolder(const String& text, const String& path) override;
  int32_t ShellOpen(const String& url) override;
};

// True once a driver has asked for the 1 ms timer resolution (for the rest of the process).
bool TimerResolutionRequested();

}  // namespace tarn
