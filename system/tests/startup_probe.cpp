// A whole program for the start-up tests: it starts through RunProgram and reports, or fails,
// as its first argument asks.
//   globals       prints the program globals and the working directory, one per line
//   hook-ids      registers two exit handlers, then asks for hook ids until that raises
//   end           registers an exit handler, then ends through EndProgram
//   signal        registers an exit handler, then raises SIGTERM
//   fault         registers an exit handler, then writes through a null pointer
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "events/hooks.h"
#include "system/startup.h"

namespace tarn {
namespace {

void Print(const char* label, const String& value) {
  std::printf("%s=%s\n", label, value.ToBytes().c_str());
}

void FirstHandler() { std::printf("exit handler 1\n"); }
void SecondHandler() { std::printf("exit handler 2\n"); }

void ProbeEntry() {
  String mode = commandLineArgs.size() > 1 ? commandLineArgs[1] : String();
  if (mode == "globals") {
    Print("startDir", startDir);
    Print("programDir", programDir);
    Print("programFile", programFile);
    Print("applicationTitle", applicationTitle);
    Print("cwd", ForwardSlashes(String(std::filesystem::current_path().string().c_str())));
    for (const String& arg : commandLineArgs) Print("arg", arg);
  } else if (mode == "hook-ids") {
    AddExitHandler(FirstHandler);
    AddExitHandler(SecondHandler);
    InitHooks();
    for (;;) NewHookId();
  } else if (mode == "end") {
    AddExitHandler(FirstHandler);
    EndProgram();
  } else if (mode == "signal") {
    AddExitHandler(FirstHandler);
    std::raise(SIGTERM);
  } else if (mode == "fault") {
    AddExitHandler(FirstHandler);
    *static_cast<volatile int*>(nullptr) = 1;
  }
}

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) { return tarn::RunProgram(argc, argv, tarn::ProbeEntry); }
