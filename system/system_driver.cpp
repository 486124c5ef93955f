#include "system/system_driver.h"

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
  InstallPlatformSystemDriver();
}

void PumpMessages() {
  PumpOnce([] { systemDriver->Pump(); });
}

void AwaitMessages() {
  PumpOnce([] { systemDriver->WaitAndPump(); });
}

}  // namespace tarn
