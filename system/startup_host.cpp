#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "system/startup.h"

namespace tarn {
namespace {

void OnSignal(int number) {
  std::printf("signal!:%d\n", number);
  std::fflush(stdout);
  EndUnhandled("Received Signal");
}

}  // namespace

String PlatformProgramFile() {
  char path[1024] = {};
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return String::FromBytes(std::string_view(path, length > 0 ? length : 0));
}

String PlatformCurrentDir() {
  char dir[1024] = {};
  return String::FromBytes(getcwd(dir, sizeof dir) ? dir : "");
}

void PlatformChangeDir(const String& dir) {
  if (!dir.IsEmpty() && chdir(dir.ToBytes().c_str()) != 0) {
    // Staying where we are is all that can be done; relative names then resolve there.
  }
}

void PlatformInstallFaultHandlers() {
  for (int number : {SIGILL, SIGSEGV, SIGTERM, SIGABRT}) std::signal(number, OnSignal);
}

}  // namespace tarn
