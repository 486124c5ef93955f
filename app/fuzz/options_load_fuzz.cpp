// Loading arbitrary bytes as "options.cfg": never a crash or a sanitizer report, and the
// position that was loaded survives a save and a second load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/options.h"
#include "stream/fuzz/fuzz_scratch.h"
#include "stream/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    tarn::InitStreams();
    tarn::fuzzing::EnterScratchFolder("options_load_fuzz");
    return true;
  }();
  (void)ready;
  std::FILE* file = std::fopen("options.cfg", "wb");
  if (!file) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  tarn::TOptions loaded;
  loaded.x = 7;
  loaded.y = 9;
  loaded.Load();
  loaded.Save();
  tarn::TOptions again;
  again.Load();
  if (again.x != loaded.x || again.y != loaded.y) std::abort();
  return 0;
}
