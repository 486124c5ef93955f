// POSIX counterparts of the Windows runtime's file calls, shaped to behave as those do
// (remove leaves directories alone, chmod never reaches through a link).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "stream/filesystem_platform.h"

namespace tarn::fsplatform {

bool Stat(const std::string& path, PathStatus& status) {
  struct stat record {};
  if (stat(path.c_str(), &record) != 0) return false;
  status.mode = static_cast<int32_t>(record.st_mode);
  status.size = record.st_size;
  status.modified = record.st_mtime;
  status.changed = record.st_ctime;
  return true;
}

bool Chmod(const std::string& path, int mode) { return chmod(path.c_str(), mode) == 0; }

bool RemoveFile(const std::string& path) {
  struct stat record {};
  if (lstat(path.c_str(), &record) != 0 || S_ISDIR(record.st_mode)) return false;
  if (!S_ISLNK(record.st_mode)) chmod(path.c_str(), 0666);
  return unlink(path.c_str()) == 0;
}

bool Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool MakeDir(const std::string& path) { return mkdir(path.c_str(), 01777) == 0; }

bool RemoveDir(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool WorkingDir(std::string& path) {
  char buffer[1024] = {};
  if (!getcwd(buffer, sizeof buffer - 1)) return false;
  path = buffer;
  return true;
}

bool ChangeDir(const std::string& path) { return chdir(path.c_str()) == 0; }

bool SetEnv(const std::string& name, const std::string& value) {
  if (name.empty()) return false;
  if (value.empty()) return unsetenv(name.c_str()) == 0;
  return setenv(name.c_str(), value.c_str(), 1) == 0;
}

bool IsLink(const std::string& path) {
  struct stat record {};
  return lstat(path.c_str(), &record) == 0 && S_ISLNK(record.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool IsFolder(std::FILE* file) {
  struct stat record {};
  return fstat(fileno(file), &record) == 0 && S_ISDIR(record.st_mode);
}

bool SyncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

namespace {

class PosixListing final : public Listing {
 public:
  explicit PosixListing(DIR* dir) : dir_(dir) {}
  ~PosixListing() override { closedir(dir_); }
  bool Next(std::string& name) override {
    dirent* entry = readdir(dir_);
    if (!entry) return false;
    name = entry->d_name;
    return true;
  }

 private:
  DIR* dir_;
};

}  // namespace

std::unique_ptr<Listing> OpenListing(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return nullptr;
  return std::make_unique<PosixListing>(dir);
}

}  // namespace tarn::fsplatform
