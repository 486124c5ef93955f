// Runs a program as a child process and collects what it wrote, for tests of whole programs.
#pragma once

#include <string>
#include <vector>

namespace tarn::testing {

struct ChildResult {
  int exitCode = -1000;  // as the parent sees it (on Windows the full 32-bit code)
  std::string out;
  std::string err;
};

// Runs program with args in workDir (empty: the current directory) and waits for it.
// Line ends in what it wrote come back as LF.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workDir = "");

// The path of the running test program itself.
std::string SelfPath();

}  // namespace tarn::testing
