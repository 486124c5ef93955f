// The portable half of the file-system functions: the lexical path rules, and the status,
// create, delete and listing functions over the platform calls of filesystem_platform.h.
#include "stream/filesystem.h"

#include <cstdio>
#include <limits>
#include <map>
#include <memory>

#include "stream/filesystem_platform.h"
#include "stream/stream_factory.h"

namespace tarn {

const char* const BAD_DIR = "<bad_dir>";

namespace {

constexpr int32_t kTypeBits = 0xF000;
constexpr int32_t kTypeFile = 0x8000;
constexpr int32_t kTypeDir = 0x4000;

String Normalized(String path, bool dirPath) {
  NormalizePath(path, dirPath);
  return path;
}

bool IsDriveRoot(const String& path) {
  return path.Length() == 3 && path.At(1) == u':' && path.At(2) == u'/';
}

int32_t KindOfMode(int32_t mode) {
  switch (mode & kTypeBits) {
    case kTypeFile: return PATHKIND_FILE;
    case kTypeDir: return PATHKIND_DIR;
    default: return PATHKIND_NONE;
  }
}

// dir + "/" + name, without doubling the "/" of a root such as C:/.
String JoinPath(const String& dir, const String& name) {
  return dir.EndsWith("/") ? dir + name : dir + "/" + name;
}

// Index of the last ".", when one exists and no "/" follows it; else -1.
int32_t ExtensionDot(const String& path) {
  int32_t dot = path.FindLast(".");
  return dot >= 0 && path.Find("/", dot) < 0 ? dot : -1;
}

// Length of the part of an absolute path that is never created or removed: "/", "C:/", or
// "//server/share/" (a network share cannot be made with mkdir).
int32_t RootLength(const String& path) {
  if (path.StartsWith("//")) {
    int32_t slash = 1;
    for (int i = 0; i < 2 && slash >= 0; ++i) slash = path.Find("/", slash + 1);
    return slash >= 0 ? slash + 1 : path.Length();
  }
  if (path.StartsWith("/")) return 1;
  if (path.Length() >= 3 && path.At(1) == u':' && path.At(2) == u'/') return 3;
  return 0;
}

// Open listings by handle. Handles are never reused, so a stale handle finds nothing.
std::map<DirHandle, std::unique_ptr<fsplatform::Listing>>& Listings() {
  static std::map<DirHandle, std::unique_ptr<fsplatform::Listing>> listings;
  return listings;
}

// Closes a stream while another exception is on its way out; a failing Close must not
// replace that exception.
void CloseQuietly(const Ref<TStream>& stream) {
  try {
    stream->Close();
  } catch (...) {
  }
}

}  // namespace

void NormalizePath(String& path, bool dirPath) {
  if (path.IsEmpty()) return;
  path = path.Replace("\\", "/");
  if (path.Length() >= 2 && path.At(1) == u':' && (path.Length() == 2 || path.At(2) != u'/')) {
    path = path.Left(2) + "/" + path.Mid(2);
  }
  if (dirPath) path = TrimTrailingSlash(path);
}

String TrimTrailingSlash(const String& path) {
  if (path.Length() <= 1 || IsDriveRoot(path)) return path;
  return path.EndsWith("/") ? path.Left(path.Length() - 1) : path;
}

String AbsolutePath(const String& given) {
  if (given.IsEmpty() || given == String(".")) return WorkingDir();
  String path = Normalized(given, false);
  String root;
  if (path.StartsWith("/")) {
    root = "/";
    path = path.Mid(1);
    if (path.StartsWith("/")) {  // //server/share keeps its two slashes
      root += "/";
      path = path.Mid(1);
    }
  }
  if (root.IsEmpty() && path.Length() >= 3 && path.At(1) == u':' && path.At(2) == u'/') {
    root = path.Left(3);
    path = path.Mid(3);
  }
  if (root.IsEmpty()) root = WorkingDir();

  path += "/";
  int32_t start = 0;
  for (int32_t slash = path.Find("/"); slash >= 0; slash = path.Find("/", start)) {
    String part = path.Mid(start, slash - start);
    start = slash + 1;
    if (part.IsEmpty() || part == String(".")) continue;
    if (part == String("..")) {
      root = PathDirectory(root);
      if (root == String(BAD_DIR)) return root;
    } else {
      root = root.IsEmpty() || root.EndsWith("/") ? root + part : root + "/" + part;
    }
  }
  return root;
}

bool StatPath(const String& path, PathStatus& status) {
  // Names that can never be real files ("<bad_dir>" among them) are refused outright.
  if (path.Find("<") >= 0 || path.Find(">") >= 0) return false;
  // A trailing "/" asks for a directory. The Windows runtime's _stat fails on it outright, so
  // it is taken off and the directory check done here, alike in both builds.
  String plain = path;
  bool wantDir = false;
  if (path.Length() > 1 && path.EndsWith("/") && !IsDriveRoot(path)) {
    plain = path.Left(path.Length() - 1);
    wantDir = true;
  }
  PathStatus found;
  if (!fsplatform::Stat(plain.ToBytes(), found)) return false;
  if (wantDir && KindOfMode(found.mode) != PATHKIND_DIR) return false;
  status = found;
  return true;
}

bool RemovePath(const String& path) { return fsplatform::RemoveFile(path.ToBytes()); }

bool PutEnv(const String& assignment) {
  int32_t equals = assignment.Find("=");
  if (equals <= 0) return false;
  return fsplatform::SetEnv(assignment.Left(equals).ToBytes(),
                            assignment.Mid(equals + 1).ToBytes());
}

int32_t PathKind(const String& path) {
  PathStatus status;
  return StatPath(Normalized(path, false), status) ? KindOfMode(status.mode) : PATHKIND_NONE;
}

int32_t FileModifiedTime(const String& path) {
  PathStatus status;
  return StatPath(Normalized(path, false), status) ? static_cast<int32_t>(status.modified) : 0;
}

int32_t FileByteSize(const String& path) {
  PathStatus status;
  if (!StatPath(Normalized(path, false), status)) return -1;
  // A size beyond the result type reads as the largest one, never as a negative "missing".
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(status.size > kMax ? kMax : status.size);
}

int32_t FileModeBits(const String& path) {
  PathStatus status;
  return StatPath(Normalized(path, false), status) ? (status.mode & 0777) : -1;
}

void SetFileModeBits(const String& path, int32_t mode) {
  fsplatform::Chmod(Normalized(path, false).ToBytes(), mode);
}

bool FileCreate(const String& given) {
  String path = Normalized(given, false);
  RemovePath(path);
  if (std::FILE* file = std::fopen(path.ToBytes().c_str(), "wb")) std::fclose(file);
  return PathKind(path) == PATHKIND_FILE;
}

bool FileDelete(const String& given) {
  String path = Normalized(given, false);
  RemovePath(path);
  return PathKind(path) == PATHKIND_NONE;
}

bool FileRename(const String& from, const String& to) {
  return fsplatform::Rename(Normalized(from, false).ToBytes(), Normalized(to, false).ToBytes());
}

bool DirCreate(const String& given, bool recurse) {
  String path = Normalized(given, true);
  if (!recurse) {
    fsplatform::MakeDir(path.ToBytes());
    return PathKind(path) == PATHKIND_DIR;
  }
  String absolute = AbsolutePath(path);
  if (absolute.IsEmpty() || absolute == String(BAD_DIR)) return false;
  String full = absolute + "/";
  for (int32_t slash = full.Find("/", RootLength(full)); slash >= 0;
       slash = full.Find("/", slash + 1)) {
    String prefix = full.Left(slash + 1);
    int32_t kind = PathKind(prefix);
    if (kind == PATHKIND_DIR) continue;
    if (kind == PATHKIND_FILE) return false;
    fsplatform::MakeDir(prefix.Left(slash).ToBytes());
    if (PathKind(prefix) != PATHKIND_DIR) return false;
  }
  return PathKind(absolute) == PATHKIND_DIR;
}

bool DirDelete(const String& given, bool recurse) {
  String path = Normalized(given, true);
  // A link to a directory is removed as a link: what it points to is not part of this tree.
  if (recurse && fsplatform::IsLink(path.ToBytes())) {
    if (!fsplatform::RemoveFile(path.ToBytes())) fsplatform::RemoveDir(path.ToBytes());
    return PathKind(path) == PATHKIND_NONE && !fsplatform::IsLink(path.ToBytes());
  }
  if (recurse) {
    DirHandle listing = DirOpen(path);
    if (!listing) return false;
    for (String name = DirNext(listing); !name.IsEmpty(); name = DirNext(listing)) {
      if (name == String(".") || name == String("..")) continue;
      String full = JoinPath(path, name);
      if (fsplatform::IsLink(full.ToBytes())) {
        if (!fsplatform::RemoveFile(full.ToBytes())) fsplatform::RemoveDir(full.ToBytes());
      } else if (int32_t kind = PathKind(full); kind == PATHKIND_FILE) {
        FileDelete(full);
      } else if (kind == PATHKIND_DIR) {
        DirDelete(full, true);
      }
    }
    DirClose(listing);
  }
  fsplatform::RemoveDir(path.ToBytes());
  return PathKind(path) == PATHKIND_NONE;
}

bool FileCopy(const String& src, const String& dst) {
  // Opening the destination truncates it: copying a file onto itself (under any spelling, or
  // through a hard link) would lose it, so that is refused before anything is opened.
  if (fsplatform::SameFile(src.Replace("\\", "/").ToBytes(), dst.Replace("\\", "/").ToBytes())) {
    return false;
  }
  Ref<TStream> in = StreamOpenRead(src);
  if (!in) return false;
  Ref<TStream> out = StreamOpenWrite(dst);
  if (!out) {
    in->Close();
    return false;
  }
  bool copied = true;
  try {
    StreamCopyAll(in, out, 4096);
  } catch (const Raised& raised) {
    if (Is<TStreamWriteException>(raised.Value())) {
      copied = false;
    } else {
      // The caller gets the exception, but no file is left open behind it.
      CloseQuietly(out);
      CloseQuietly(in);
      throw;
    }
  }
  out->Close();
  in->Close();
  return copied;
}

namespace {

bool CopyTree(const String& src, const String& dst) {
  if (PathKind(dst) == PATHKIND_NONE) DirCreate(dst, false);
  if (PathKind(dst) != PATHKIND_DIR) return false;
  for (const String& name : DirList(src, true)) {
    String from = JoinPath(src, name);
    String to = JoinPath(dst, name);
    int32_t kind = PathKind(from);
    if (kind == PATHKIND_DIR && !CopyTree(from, to)) return false;
    if (kind == PATHKIND_FILE && !FileCopy(from, to)) return false;
  }
  return true;
}

// Whether path, or one of the directories above it, is the directory tree.
bool IsWithin(const String& path, const String& tree) {
  for (String at = AbsolutePath(path); !at.IsEmpty() && at != String(BAD_DIR);
       at = PathDirectory(at)) {
    if (fsplatform::SameFile(at.ToBytes(), tree.ToBytes())) return true;
  }
  return false;
}

}  // namespace

bool DirCopy(const String& given, const String& target) {
  String src = Normalized(given, false);
  String dst = Normalized(target, false);
  if (PathKind(src) != PATHKIND_DIR) return false;
  // A copy into its own tree would list what it has just made and go on without end.
  if (IsWithin(dst, src)) return false;
  return CopyTree(src, dst);
}

String WorkingDir() {
  std::string dir;
  if (!fsplatform::WorkingDir(dir)) return String();
  return Normalized(String::FromBytes(dir), false);
}

bool SetWorkingDir(const String& path) {
  return fsplatform::ChangeDir(Normalized(path, true).ToBytes());
}

DirHandle DirOpen(const String& given) {
  String path = Normalized(given, true);
  if (path.IsEmpty()) return 0;
  std::unique_ptr<fsplatform::Listing> listing = fsplatform::OpenListing(path.ToBytes());
  if (!listing) return 0;
  static DirHandle lastHandle = 0;
  DirHandle handle = ++lastHandle;
  Listings()[handle] = std::move(listing);
  return handle;
}

String DirNext(DirHandle handle) {
  auto found = Listings().find(handle);
  std::string name;
  if (found == Listings().end() || !found->second->Next(name)) return String();
  return String::FromBytes(name);
}

void DirClose(DirHandle handle) { Listings().erase(handle); }

std::vector<String> DirList(const String& dir, bool skipDots) {
  std::vector<String> names;
  DirHandle listing = DirOpen(dir);
  if (!listing) return names;
  names.reserve(100);
  for (String name = DirNext(listing); !name.IsEmpty(); name = DirNext(listing)) {
    if (skipDots && (name == String(".") || name == String(".."))) continue;
    names.push_back(name);
  }
  DirClose(listing);
  return names;
}

String PathFileName(const String& given) {
  String path = Normalized(given, false);
  int32_t slash = path.FindLast("/");
  return slash < 0 ? path : path.Mid(slash + 1);
}

String PathWithoutExt(const String& given) {
  String path = Normalized(given, false);
  int32_t dot = ExtensionDot(path);
  return dot < 0 ? path : path.Left(dot);
}

String PathBaseName(const String& path) { return PathFileName(PathWithoutExt(path)); }

String PathDirectory(const String& given) {
  String path = Normalized(given, false);
  int32_t slash = path.FindLast("/");
  if (slash < 0 || slash == path.Length() - 1) return BAD_DIR;
  // The parent of /a is the root itself, not an empty (relative) path.
  if (slash == 0) return "/";
  return Normalized(path.Left(slash), false);
}

String PathExtension(const String& given) {
  String path = Normalized(given, false);
  int32_t dot = ExtensionDot(path);
  return dot < 0 ? String() : path.Mid(dot + 1);
}

String PathTrueCase(const String& path) {
  PathStatus status;
  if (StatPath(path, status) && KindOfMode(status.mode) != PATHKIND_NONE) return path;

  // The last "/" before the final character: a trailing "/" is not a separator here.
  int32_t slash = -1;
  for (int32_t i = path.Length() - 2; i >= 0; --i) {
    if (path.At(i) == u'/') {
      slash = i;
      break;
    }
  }
  String lead;     // what comes before the found name in the result
  String listDir;  // where the name is looked for
  if (slash > 0) {
    String parent = PathTrueCase(path.Left(slash));
    if (parent.IsEmpty()) return String();
    lead = parent + "/";
    listDir = parent;
  } else if (slash == 0) {  // a name in the root directory
    lead = "/";
    listDir = "/";
  } else {
    listDir = ".";
  }
  String name = path.Mid(slash + 1);
  String trailing;  // a trailing "/" is matched without and given back afterwards
  if (name.Length() > 1 && name.EndsWith("/")) {
    name = name.Left(name.Length() - 1);
    trailing = "/";
  }
  String wanted = name.ToLower();
  for (const String& entry : DirList(listDir, false)) {
    if (entry.ToLower() == wanted) return lead + entry + trailing;
  }
  return String();
}

}  // namespace tarn
