#include "runtime/runtime.h"

namespace tarn {

void InitRuntime() {
  static bool started = false;
  if (started) return;
  started = true;
  String();  // creates the shared empty string before any module keeps one
}

}  // namespace tarn
