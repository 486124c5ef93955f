// The file calls of the Windows runtime library (msvcrt): _stat, _chmod, remove, rename, _mkdir,
// _rmdir, _getcwd, _chdir, _putenv and the _findfirst listing. Kernel calls only where the
// runtime has no answer: reparse points and file identity.
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "stream/filesystem_platform.h"

namespace tarn::fsplatform {

bool Stat(const std::string& path, PathStatus& status) {
  struct _stat64 record {};
  if (_stat64(path.c_str(), &record) != 0) return false;
  status.mode = static_cast<int32_t>(record.st_mode);
  status.size = record.st_size;
  status.modified = record.st_mtime;
  status.changed = record.st_ctime;
  return true;
}

bool Chmod(const std::string& path, int mode) { return _chmod(path.c_str(), mode) == 0; }

bool RemoveFile(const std::string& path) {
  _chmod(path.c_str(), 0666);
  return std::remove(path.c_str()) == 0;
}

bool Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool MakeDir(const std::string& path) { return _mkdir(path.c_str()) == 0; }

bool RemoveDir(const std::string& path) { return _rmdir(path.c_str()) == 0; }

bool WorkingDir(std::string& path) {
  char buffer[1024] = {};
  if (!_getcwd(buffer, sizeof buffer - 1)) return false;
  path = buffer;
  return true;
}

bool ChangeDir(const std::string& path) { return _chdir(path.c_str()) == 0; }

bool SetEnv(const std::string& name, const std::string& value) {
  // The runtime keeps its own copy of the text, so a temporary will do.
  if (name.empty()) return false;
  return _putenv((name + "=" + value).c_str()) == 0;
}

bool IsLink(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  // Backup semantics let directories be opened too; no access is asked for.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return known;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return FileIdentity(a, first) && FileIdentity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

bool IsFolder(std::FILE* file) {
  struct _stat64 record {};
  return _fstat64(_fileno(file), &record) == 0 && (record.st_mode & _S_IFMT) == _S_IFDIR;
}

bool SyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0; }

namespace {

// _findfirst already delivers the first entry; it is handed out by the first Next.
class FindListing final : public Listing {
 public:
  FindListing(intptr_t find, const _finddata_t& first) : find_(find), entry_(first) {}
  ~FindListing() override { _findclose(find_); }
  bool Next(std::string& name) override {
    if (done_) return false;
    name = entry_.name;
    if (_findnext(find_, &entry_) != 0) done_ = true;
    return true;
  }

 private:
  intptr_t find_;
  _finddata_t entry_;
  bool done_ = false;
};

}  // namespace

std::unique_ptr<Listing> OpenListing(const std::string& path) {
  std::string pattern = path;
  if (!pattern.empty() && pattern.back() != '/' && pattern.back() != ':') pattern += '/';
  pattern += '*';
  _finddata_t first{};
  intptr_t find = _findfirst(pattern.c_str(), &first);
  if (find == -1) return nullptr;
  return std::make_unique<FindListing>(find, first);
}

}  // namespace tarn::fsplatform
