#include "system/system_driver.h"

#include "stream/streams.h"
#include "system/system_driver_url.h"

namespace tarn {

Ref<TSystemDriver> systemDriver;

namespace {
bool pumping = false;  // set while PumpMessages or AwaitMessages runs

template <class Step>
void PumpOnce(Step step) {
  if (pumping) return;
  pumping = true;
  try {
    step();
  } catch (...) {
    pumping = false;
    throw;
  }
  pumping = false;
}
}  // namespace

void TSystemDriver::Pump() { RaiseAbstract(); }
void TSystemDriver::WaitAndPump() { RaiseAbstract(); }
void TSystemDriver::PlaceMousePointer(int32_t, int32_t) { RaiseAbstract(); }
void TSystemDriver::SetPointerVisible(bool) { RaiseAbstract(); }
void TSystemDriver::InfoBox(const String&, bool) { RaiseAbstract(); }
int32_t TSystemDriver::OkCancelBox(const String&, bool) { RaiseAbstract(); }
int32_t TSystemDriver::YesNoCancelBox(const String&, bool) { RaiseAbstract(); }
String TSystemDriver::ChooseFile(const String&, const String&, bool, const String&) {
  RaiseAbstract();
}
String TSystemDriver::ChooseFolder(const String&, const String&) { RaiseAbstract(); }
int32_t TSystemDriver::ShellOpen(const String&) { RaiseAbstract(); }

void InitSystem() {
  static bool started = false;
  if (started) return;
  started = true;
  InitRuntime();
  InitEvents();
  InitStreams();  // the file system, which ShellOpen's paths go through
  InstallPlatformSystemDriver();
}

void PumpMessages() {
  PumpOnce([] { systemDriver->Pump(); });
}

void AwaitMessages() {
  PumpOnce([] { systemDriver->WaitAndPump(); });
}

void PlaceMousePointer(int32_t x, int32_t y) { systemDriver->PlaceMousePointer(x, y); }
void ShowMousePointer() { systemDriver->SetPointerVisible(true); }
void HideMousePointer() { systemDriver->SetPointerVisible(false); }

void InfoBox(const String& text, bool serious) { systemDriver->InfoBox(text, serious); }
int32_t OkCancelBox(const String& text, bool serious) {
  return systemDriver->OkCancelBox(text, serious);
}
int32_t YesNoCancelBox(const String& text, bool serious) {
  return systemDriver->YesNoCancelBox(text, serious);
}

String ChooseFile(const String& text, const String& extensions, bool save, const String& path) {
  return systemDriver->ChooseFile(text, extensions, save, path);
}
String ChooseFolder(const String& text, const String& path) {
  return systemDriver->ChooseFolder(text, path);
}

int32_t ShellOpen(const String& url) {
  if (url.IsEmpty()) return 0;  // nothing to open (it would otherwise open the working folder)
  return systemDriver->ShellOpen(ShellOpenUrl(url));
}

}  // namespace tarn
