#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "tests/support/child_process.h"

namespace tarn::testing {
namespace {

void Drain(int fd, std::string* into) {
  char buffer[4096];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) into->append(buffer, got);
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workDir) {
  ChildResult result;
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return result;
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    close(out[0]), close(err[0]), close(out[1]), close(err[1]);
    if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(127);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  std::thread errReader(Drain, err[0], &result.err);
  Drain(out[0], &result.out);
  errReader.join();
  close(out[0]);
  close(err[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  return result;
}

std::string SelfPath() {
  char path[1024] = {};
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return std::string(path, length > 0 ? length : 0);
}

}  // namespace tarn::testing
