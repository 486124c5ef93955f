#include "system/startup.h"

namespace {

void InitApp() {
  static bool started = false;
  if (started) return;
  started = true;
  tarn::InitRuntime();
}

}  // namespace

int main(int argc, char** argv) { return tarn::RunProgram(argc, argv, InitApp); }
