// Helpers for fuzz targets that touch files: a scratch folder that becomes the working
// directory for the whole run, and the CPU time a call took.
#pragma once

#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace tarn::fuzzing {

// Makes a fresh folder (on tmpfs at /dev/shm when there is one, where syncing costs nothing)
// the working directory; it is removed with everything in it when the run exits normally.
inline void EnterScratchFolder(const char* name) {
  static std::string folder;
  std::string base = std::filesystem::is_directory("/dev/shm")
                         ? std::string("/dev/shm")
                         : std::filesystem::temp_directory_path().string();
  folder = base + "/" + name + "_XXXXXX";
  if (!mkdtemp(folder.data()) || chdir(folder.c_str()) != 0) std::abort();
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
}

// Removes everything inside the working directory, so that files made by earlier inputs do
// not pile up.
inline void EmptyScratchFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(".", ignored)) {
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

// CPU time of this thread in seconds: unlike the wall clock, it does not grow while other
// processes have the machine.
inline double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

}  // namespace tarn::fuzzing
