#include <windows.h>

#include <thread>

#include "tests/support/child_process.h"

namespace tarn::testing {
namespace {

// Quotes an argument the way the C runtime splits command lines.
std::string Quote(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  for (size_t i = 0; i < arg.size(); ++i) {
    size_t slashes = 0;
    while (i < arg.size() && arg[i] == '\\') ++slashes, ++i;
    if (i == arg.size()) {
      quoted.append(slashes * 2, '\\');
      break;
    }
    if (arg[i] == '"')
      quoted.append(slashes * 2 + 1, '\\');
    else
      quoted.append(slashes, '\\');
    quoted += arg[i];
  }
  return quoted + "\"";
}

void Drain(HANDLE pipe, std::string* into) {
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) into->append(buffer, got);
}

// Text-mode output ends lines with CR LF; tests compare lines as LF-terminated.
std::string WithoutCarriageReturns(std::string text) {
  std::string::size_type at;
  while ((at = text.find("\r\n")) != std::string::npos) text.erase(at, 1);
  return text;
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workDir) {
  ChildResult result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  CreatePipe(&errRead, &errWrite, &inherit, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

  std::string commandLine = Quote(program);
  for (const std::string& arg : args) commandLine += " " + Quote(arg);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION process{};
  BOOL started =
      CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     workDir.empty() ? nullptr : workDir.c_str(), &startup, &process);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (started) {
    std::thread errReader(Drain, errRead, &result.err);
    Drain(outRead, &result.out);
    errReader.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(outRead);
  CloseHandle(errRead);
  result.out = WithoutCarriageReturns(result.out);
  result.err = WithoutCarriageReturns(result.err);
  return result;
}

std::string SelfPath() {
  char path[1024] = {};
  GetModuleFileNameA(nullptr, path, sizeof path - 1);
  return path;
}

}  // namespace tarn::testing
