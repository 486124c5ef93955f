#include "system/startup.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace tarn {

String startDir;
String programDir;
String programFile;
String applicationTitle;
std::vector<String> commandLineArgs;

namespace {

std::vector<ExitHandler>& ExitHandlers() {
  static auto* handlers = new std::vector<ExitHandler>();  // never destroyed: used at exit
  return *handlers;
}

String DescribeException(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const Raised& raised) {
    return raised.Text();
  } catch (const std::exception& other) {
    return String(other.what());
  } catch (...) {
    return "Unknown exception";
  }
}

void RunExitHandlers() {
  std::vector<ExitHandler>& handlers = ExitHandlers();
  while (!handlers.empty()) {
    ExitHandler handler = handlers.back();
    handlers.pop_back();
    try {
      handler();
    } catch (...) {
      std::fprintf(stderr, "%s\n", DescribeException(std::current_exception()).ToBytes().c_str());
    }
  }
}

// An exception that leaves a noexcept frame or a thread ends the program the same way as one
// that leaves the application's entry.
void TerminateUnhandled() {
  std::exception_ptr current = std::current_exception();
  EndUnhandled(current ? DescribeException(current) : String("Unhandled exception"));
}

}  // namespace

String ForwardSlashes(const String& path) { return path.Replace("\\", "/"); }

String ProgramDirOf(const String& path) {
  int32_t slash = path.FindLast("/");
  if (slash < 0) return String();
  bool afterDriveColon = slash > 0 && path.At(slash - 1) == u':';
  return path.Left(afterDriveColon ? slash + 1 : slash);
}

void AddExitHandler(ExitHandler handler) {
  static bool registered = false;
  if (!registered) {
    registered = true;
    std::atexit(RunExitHandlers);
  }
  ExitHandlers().push_back(handler);
}

void EndProgram() { std::exit(0); }

void EndUnhandled(const String& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", text.ToBytes().c_str());
  std::fflush(stderr);
  std::exit(-1);
}

int RunProgram(int argc, char** argv, ModuleEntry entry) {
  std::set_terminate(TerminateUnhandled);
  PlatformInstallFaultHandlers();
  try {
    InitRuntime();
    programFile = ForwardSlashes(PlatformProgramFile());
    programDir = ProgramDirOf(programFile);
    startDir = ForwardSlashes(PlatformCurrentDir());
    applicationTitle = "Tarnwick Application";
    commandLineArgs.assign(argv, argv + argc);
    PlatformChangeDir(programDir);
    entry();
  } catch (...) {
    EndUnhandled(DescribeException(std::current_exception()));
  }
  return 0;
}

}  // namespace tarn
