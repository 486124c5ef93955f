#include <direct.h>
#include <windows.h>

#include <csignal>
#include <cstdio>

#include "system/startup.h"

namespace tarn {
namespace {

// Neither handler may throw: Windows' frames sit between them and ours. Each ends the
// process the way the exception it stands for would.
void OnSignal(int number) {
#ifdef _WIN64
  // The 64-bit runtime's own frame handler turns an access violation or an illegal instruction
  // into SIGSEGV or SIGILL before the top-level filter can see it: end as the filter would.
  if (number == SIGSEGV || number == SIGILL) EndUnhandled("Unhandled Memory Exception Error");
#endif
  std::printf("signal!:%d\n", number);
  std::fflush(stdout);
  EndUnhandled("Received Signal");
}

LONG WINAPI OnStructuredException(EXCEPTION_POINTERS*) {
  EndUnhandled("Unhandled Memory Exception Error");
}

}  // namespace

String PlatformProgramFile() {
  char path[1024] = {};
  GetModuleFileNameA(nullptr, path, sizeof path - 1);
  return String::FromBytes(path);
}

String PlatformCurrentDir() {
  char dir[1024] = {};
  return String::FromBytes(_getcwd(dir, sizeof dir) ? dir : "");
}

void PlatformChangeDir(const String& dir) {
  if (!dir.IsEmpty()) _chdir(dir.ToBytes().c_str());
}

void PlatformInstallFaultHandlers() {
  for (int number : {SIGILL, SIGSEGV, SIGTERM, SIGABRT}) std::signal(number, OnSignal);
  SetUnhandledExceptionFilter(OnStructuredException);
}

}  // namespace tarn
