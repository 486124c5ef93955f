// The platform half of the file-system functions: thin calls on 8-bit paths, implemented over
// the Windows runtime library in filesystem_win32.cpp and over POSIX in filesystem_host.cpp.
// Only filesystem.cpp and the file stream use this header; the lexical rules all live in
// filesystem.cpp, so both halves stay small and behave alike. Every call reports failure by its
// result and never raises.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "stream/filesystem.h"

namespace tarn::fsplatform {

// stat of an already normalised path without a trailing "/" (drive and file-system roots aside).
bool Stat(const std::string& path, PathStatus& status);
bool Chmod(const std::string& path, int mode);
// Clears the read-only state and removes a file or a link; fails on a directory.
bool RemoveFile(const std::string& path);
bool Rename(const std::string& from, const std::string& to);
bool MakeDir(const std::string& path);
bool RemoveDir(const std::string& path);
bool WorkingDir(std::string& path);
bool ChangeDir(const std::string& path);
bool SetEnv(const std::string& name, const std::string& value);  // empty value: remove

// Whether path is a symbolic link or another reparse point, which a recursive delete removes
// as a link instead of descending into what it points to.
bool IsLink(const std::string& path);
// Whether both paths exist and name the very same file or directory.
bool SameFile(const std::string& a, const std::string& b);

// Whether an open file is a folder (which the host's C runtime lets fopen open).
bool IsFolder(std::FILE* file);
// Asks the system to put what was written to file on the disk; false when it cannot.
bool SyncFile(std::FILE* file);

class Listing {
 public:
  virtual ~Listing() = default;
  // The next entry name; false once the listing is exhausted.
  virtual bool Next(std::string& name) = 0;
};
// A listing of the directory path, or nullptr when it cannot be opened.
std::unique_ptr<Listing> OpenListing(const std::string& path);

}  // namespace tarn::fsplatform
