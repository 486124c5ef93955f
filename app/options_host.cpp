#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "app/options_file.h"
#include "stream/filesystem.h"

namespace tarn {
namespace {

// Puts the folder's entries on the disk, so a power cut cannot bring the old file back.
void SyncFolder(const String& folder) {
  int fd = open(folder.ToBytes().c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

// POSIX rename replaces an existing target in one step.
bool ReplaceFileWith(const String& from, const String& to) {
  if (std::rename(from.ToBytes().c_str(), to.ToBytes().c_str()) != 0) return false;
  String folder = PathDirectory(AbsolutePath(to));
  if (folder != String(BAD_DIR)) SyncFolder(folder);
  return true;
}

}  // namespace tarn
