// Process start-up and the runtime services every module leans on: the program globals,
// exit handlers, ending the program, and what becomes of an exception nothing handles.
//
// A program's main hands its arguments and its application module's entry to RunProgram,
// which installs the fault handlers, sets the globals, moves the working directory next to the
// program file and runs the entry. Main thread only.
#pragma once

#include <vector>

#include "runtime/runtime.h"

namespace tarn {

extern String startDir;                      // working directory at process start, "/" separators
extern String programDir;                    // folder of the program file; "D:/" for a drive root
extern String programFile;                   // full path of the program file, "/" separators
extern String applicationTitle;              // caption of the system's message boxes
extern std::vector<String> commandLineArgs;  // the program's own path first

using ExitHandler = void (*)();
using ModuleEntry = void (*)();

// Runs the start-up steps, then entry; returns 0 if entry returns. An exception that escapes
// entry ends the process as an unhandled one.
int RunProgram(int argc, char** argv, ModuleEntry entry);

// Handlers run at process exit, latest registered first.
void AddExitHandler(ExitHandler handler);
// Ends the process with exit code 0; exit handlers run and standard streams are flushed.
[[noreturn]] void EndProgram();
// Writes text to standard error and ends the process with exit code -1; exit handlers run.
[[noreturn]] void EndUnhandled(const String& text);

// The directory part of a program path with "/" separators: cut before the last "/",
// keeping that "/" when it follows a drive colon ("D:/prog.exe" gives "D:/").
String ProgramDirOf(const String& path);
// Every "\" turned into "/".
String ForwardSlashes(const String& path);

// Platform half: the program file, the current directory, changing it, and the handlers
// that turn signals and structured exceptions into the unhandled-exception ending.
String PlatformProgramFile();
String PlatformCurrentDir();
void PlatformChangeDir(const String& dir);
void PlatformInstallFaultHandlers();

}  // namespace tarn
