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

// Waits until the child has reported count finished saves on the pipe.
bool AwaitSaves(int pipeEnd, int count) {
  for (int i = 0; i < count; ++i) {
    pollfd ready{pipeEnd, POLLIN, 0};
    char byte = 0;
    if (poll(&ready, 1, 30000) != 1 || read(pipeEnd, &byte, 1) != 1) return false;
  }
  return true;
}

TEST_F(OptionsFile, AProcessKilledWhileSavingLeavesACompleteFile) {
  WriteFile("options.cfg", "pos_x=0\r\npos_y=0\r\n");
  const std::regex complete("pos_x=(\\d+)\r\npos_y=\\1\r\n");
  std::mt19937 random(14);
  std::uniform_int_distribution<int> savesFirst(0, 2);
  std::uniform_int_distribution<int> delayMicros(0, 20000);  // a save takes a few ms
  std::set<std::string> seen;
  size_t roundsWithASave = 0;
  for (int round = 1; round <= 200; ++round) {
    int saves[2];
    ASSERT_EQ(pipe(saves), 0);
    pid_t child = fork();
    if (child == 0) {
      TOptions options;
      for (int32_t i = round * 100000;; ++i) {
        options.x = options.y = i;
        options.Save();
        if (write(saves[1], "s", 1) != 1) _exit(1);
      }
    }
    // The kill lands at a random point of a later save: after a few finished ones, then a
    // random delay.
    int finished = savesFirst(random);
    bool reported = AwaitSaves(saves[0], finished);
    usleep(static_cast<useconds_t>(delayMicros(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(saves[0]);
    close(saves[1]);
    ASSERT_TRUE(reported) << "round " << round;
    std::string stored = Stored();
    ASSERT_TRUE(std::regex_match(stored, complete)) << "round " << round << ": " << stored;
    seen.insert(stored);
    if (finished > 0) ++roundsWithASave;
  }
  // Every round that finished a save left one of its own: the kills did not undo them.
  EXPECT_GE(seen.size(), roundsWithASave);
}

}  // namespace
}  // namespace tarn
