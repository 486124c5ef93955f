// File-system functions: path normalisation and lexical path arithmetic, file status, creating,
// deleting, renaming and copying files and directory trees, the working directory and directory
// listings.
//
// Paths are Strings with "/" as separator; a drive root is written D:/. Every function first
// normalises its argument, so callers may pass backslashes. Paths reach the platform as 8-bit
// strings, the low byte of each code unit. Failures are reported by results (false, 0, -1, "",
// "<bad_dir>", an empty array, a 0 handle); only FileCopy and DirCopy let stream exceptions
// other than TStreamWriteException through. Main thread only: the working directory is
// process-wide state and the listing handles are kept in one unguarded table.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/string.h"

namespace tarn {

constexpr int32_t PATHKIND_NONE = 0;  // missing, or neither a file nor a directory
constexpr int32_t PATHKIND_FILE = 1;
constexpr int32_t PATHKIND_DIR = 2;

// A directory listing; 0 means that the directory could not be opened.
using DirHandle = intptr_t;

// The result of PathDirectory (and so of AbsolutePath) when a path has no parent.
extern const char* const BAD_DIR;

// Backslashes become "/", a drive-relative form becomes drive-absolute (C: and C:x become C:/
// and C:/x); with dirPath a trailing "/" is also trimmed.
void NormalizePath(String& path, bool dirPath);
// One trailing "/" removed, except from paths of 0 or 1 characters and from a drive root.
String TrimTrailingSlash(const String& path);
// The absolute form of path, resolved lexically ("." and ".." parts folded, relative paths
// anchored at the working directory); nothing is looked up on disk.
String AbsolutePath(const String& path);

int32_t PathKind(const String& path);          // PATHKIND_...
int32_t FileModifiedTime(const String& path);  // seconds since 1970 (UTC); 0 when missing
int32_t FileByteSize(const String& path);      // -1 when missing
int32_t FileModeBits(const String& path);      // mode & 0777; -1 when missing
void SetFileModeBits(const String& path, int32_t mode);

bool FileCreate(const String& path);  // an existing file is replaced by an empty one
bool DirCreate(const String& path, bool recurse);
bool FileDelete(const String& path);  // true also when nothing was there
bool DirDelete(const String& path, bool recurse);
bool FileRename(const String& from, const String& to);
// Copies through streams, so src and dst are URLs. Refuses to copy a file onto itself.
bool FileCopy(const String& src, const String& dst);
// Copies a directory tree; refuses a destination inside the source tree.
bool DirCopy(const String& src, const String& dst);

String WorkingDir();  // "" when the platform cannot tell it
bool SetWorkingDir(const String& path);

DirHandle DirOpen(const String& path);
// The next entry name ("." and ".." included, in the platform's order); "" once exhausted, and
// for a handle that is not open.
String DirNext(DirHandle handle);
void DirClose(DirHandle handle);
std::vector<String> DirList(const String& dir, bool skipDots);

String PathFileName(const String& path);
String PathWithoutExt(const String& path);
String PathBaseName(const String& path);
String PathDirectory(const String& path);
String PathExtension(const String& path);
// The letter case stored on disk for a path whose case may differ; "" when not found.
String PathTrueCase(const String& path);

// The platform calls underneath.
struct PathStatus {
  int32_t mode = 0;  // the platform's mode field, file-type bits included
  int64_t size = 0;
  int64_t modified = 0;  // seconds since 1970-01-01 UTC
  int64_t changed = 0;
};
// The status of path; false when it does not exist. Paths containing "<" or ">" are refused.
bool StatPath(const String& path, PathStatus& status);
// Makes a file writeable and removes it, read-only files included. Directories are left.
bool RemovePath(const String& path);
// Sets (or, with an empty value, removes) an environment variable from "name=value".
bool PutEnv(const String& assignment);

}  // namespace tarn
