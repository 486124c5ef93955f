#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "system/startup.h"
#include "tests/support/child_process.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

std::string Slashed(std::string path) {
  std::string slashed = ForwardSlashes(String(path.c_str())).ToBytes();
  while (slashed.size() > 1 && slashed.back() == '/') slashed.pop_back();
  return slashed;
}

std::string ProbePath() {
  return (fs::path(testing::SelfPath()).parent_path() / STARTUP_PROBE_NAME).string();
}

#ifdef _WIN32
constexpr int kUnhandledExitCode = -1;  // the full exit code of the process
#else
constexpr int kUnhandledExitCode = 255;  // -1 as a POSIX parent sees it
#endif

TEST(Startup, ProgramDirOfAPath) {
  struct Case {
    const char* path;
    const char* dir;
  } cases[] = {
      {"D:/prog.exe", "D:/"},     {"D:/Tools/prog.exe", "D:/Tools"},
      {"C:/a/b/c.exe", "C:/a/b"}, {"/usr/bin/prog", "/usr/bin"},
      {"prog.exe", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgramDirOf(c.path).ToBytes(), c.dir) << c.path;
  EXPECT_EQ(ForwardSlashes("D:\\Tools\\prog.exe").ToBytes(), "D:/Tools/prog.exe");
}

TEST(Startup, GlobalsAndWorkingDirectoryOfAProgramStartedElsewhere) {
  fs::path elsewhere = fs::temp_directory_path() / "tarnwick startup test";
  fs::create_directories(elsewhere);
  testing::ChildResult child =
      testing::RunChild(ProbePath(), {"globals", "two words"}, elsewhere.string());
  ASSERT_EQ(child.exitCode, 0) << child.err;

  std::string probe = Slashed(ProbePath());
  std::string probeDir = Slashed(fs::path(ProbePath()).parent_path().string());
  std::string expected = "startDir=" + Slashed(elsewhere.string()) + "\n" +
                         "programDir=" + probeDir + "\n" + "programFile=" + probe + "\n" +
                         "applicationTitle=Tarnwick Application\n" + "cwd=" + probeDir + "\n" +
                         "arg=";
  EXPECT_EQ(child.out.substr(0, expected.size()), expected);
  EXPECT_NE(child.out.find("\narg=globals\narg=two words\n"), std::string::npos) << child.out;
}

TEST(Startup, UnhandledExceptionPrintsItsTextRunsExitHandlersAndExitsMinusOne) {
  testing::ChildResult child = testing::RunChild(ProbePath(), {"hook-ids"});
  EXPECT_EQ(child.exitCode, kUnhandledExitCode);
  EXPECT_EQ(child.err, "Too many hook ids\n");
  EXPECT_EQ(child.out, "exit handler 2\nexit handler 1\n");
}

TEST(Startup, EndProgramExitsZeroAfterTheExitHandlers) {
  testing::ChildResult child = testing::RunChild(ProbePath(), {"end"});
  EXPECT_EQ(child.exitCode, 0);
  EXPECT_EQ(child.out, "exit handler 1\n");
  EXPECT_EQ(child.err, "");
}

TEST(Startup, SignalPrintsItsLineThenEndsAsAnUnhandledException) {
  testing::ChildResult child = testing::RunChild(ProbePath(), {"signal"});
  EXPECT_EQ(child.exitCode, kUnhandledExitCode);
  EXPECT_EQ(child.out, "signal!:" + std::to_string(SIGTERM) + "\nexit handler 1\n");
  EXPECT_EQ(child.err, "Received Signal\n");
}

#ifdef _WIN32
TEST(Startup, AccessViolationEndsAsAnUnhandledMemoryException) {
  testing::ChildResult child = testing::RunChild(ProbePath(), {"fault"});
  EXPECT_EQ(child.exitCode, kUnhandledExitCode);
  EXPECT_EQ(child.out, "exit handler 1\n");
  EXPECT_EQ(child.err, "Unhandled Memory Exception Error\n");
}
#endif

}  // namespace
}  // namespace tarn
