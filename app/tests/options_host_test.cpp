// What only a POSIX host can stage: a write stopped by a file-size limit, and a process
// killed in the middle of saving.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <regex>
#include <set>
#include <string>

#include "app/options.h"
#include "app/tests/options_fixture.h"

namespace tarn {
namespace {

using testing::OptionsFile;
using testing::WriteFile;

// Runs body in a child process and waits for it; the child ends without running any of the
// parent's exit-time clean-up.
template <class Body>
int InChild(Body body) {
  pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST_F(OptionsFile, ASaveStoppedByAFileSizeLimitKeepsThePreviousFile) {
  WriteFile("options.cfg", "pos_x=10\r\npos_y=20\r\n");
  int status = InChild([] {
    // Writes beyond 8 bytes fail (EFBIG) instead of killing the process.
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &limit);
    TOptions options;
    options.x = 123456789;
    options.y = 987654321;
    options.Save();
  });
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Stored(), "pos_x=10\r\npos_y=20\r\n");
  EXPECT_FALSE(TemporaryLeft());
}

// The child reports once on the pipe when its save loop starts, so every kill lands inside it.
bool AwaitStart(int pipeEnd) {
  pollfd ready{pipeEnd, POLLIN, 0};
  char byte = 0;
  return poll(&ready, 1, 10000) == 1 && read(pipeEnd, &byte, 1) == 1;
}

TEST_F(OptionsFile, AProcessKilledWhileSavingLeavesACompleteFile) {
  WriteFile("options.cfg", "pos_x=0\r\npos_y=0\r\n");
  const std::regex complete("pos_x=(\\d+)\r\npos_y=\\1\r\n");
  // A save takes a few milliseconds (two syncs); the kills spread over several of them.
  std::mt19937 random(14);
  std::uniform_int_distribution<int> delayMicros(0, 30000);
  std::set<std::string> seen;
  for (int round = 1; round <= 200; ++round) {
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    pid_t child = fork();
    if (child == 0) {
      ssize_t told = write(started[1], "s", 1);
      TOptions options;
      for (int32_t i = round * 100000 + int32_t(told);; ++i) {
        options.x = options.y = i;
        options.Save();
      }
    }
    bool inLoop = AwaitStart(started[0]);
    usleep(static_cast<useconds_t>(delayMicros(random)));  // a random point of the loop
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(started[0]);
    close(started[1]);
    ASSERT_TRUE(inLoop) << "round " << round;
    std::string stored = Stored();
    ASSERT_TRUE(std::regex_match(stored, complete)) << "round " << round << ": " << stored;
    seen.insert(stored);
  }
  // The kills did land while saves went on: many rounds found a save of their own stored.
  EXPECT_GT(seen.size(), 10u);
}

}  // namespace
}  // namespace tarn
