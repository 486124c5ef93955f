// The portable half of the file-system functions: the lexical path rules, and the status,
// create, delete and listing functions over the platform calls of filesystem_platform.h.
#include "stream/filesystem.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string_view>
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

// The longest path any platform call here accepts (PATH_MAX on Linux; the Windows runtime
// takes far less). A longer one names nothing on disk.
constexpr int32_t kLongestPath = 4096;

String Normalized(String path, bool dirPath) {
  NormalizePath(path, dirPath);
  return path;
}

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// A letter and ":" at the very start: the only place where a drive can stand.
bool HasDrive(std::u16string_view path) {
  return path.size() >= 2 && path[1] == u':' && IsLetter(path[0]);
}

bool IsDriveRoot(const String& path) {
  return path.Length() == 3 && HasDrive(path.Units()) && path.At(2) == u'/';
}

// Whether path reaches the platform whole. The platform reads a byte 0 as the end of the path,
// and a code unit whose low byte is 0 (NUL itself, U+0100 ...) becomes one: "victim\0.bak"
// would touch "victim". Every function refuses such a path before any platform call.
bool ReachesPlatformWhole(const String& path) {
  for (char16_t unit : path.Units()) {
    if ((unit & 0xFF) == 0) return false;
  }
  return true;
}

// Moves an absolute path to its parent in place, as PathDirectory does; false when there is
// none. Only the last part is looked at, so folding a long path stays linear.
bool ToParent(std::u16string& path) {
  size_t slash = path.rfind(u'/');
  if (slash == std::u16string::npos || slash + 1 == path.size()) return false;
  path.resize(slash == 0 ? 1 : slash);  // the parent of /a is the root itself
  if (path.size() == 2 && HasDrive(path)) path += u'/';
  return true;
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
  if (path.Length() >= 3 && HasDrive(path.Units()) && path.At(2) == u'/') return 3;
  return 0;
}

// Open listings by handle. Handles are never reused, so a stale handle finds nothing.
std::map<DirHandle, std::unique_ptr<fsplatform::Listing>>& Listings() {
  static std::map<DirHandle, std::unique_ptr<fsplatform::Listing>> listings;
  return listings;
}

// The file a URL finally reaches: wrapper protocols hand the text after their "::" on as a
// URL, so the path is what follows the last "::".
std::string InnermostPath(const String& url) {
  int32_t separator = url.FindLast("::");
  String path = separator < 0 ? url : url.Mid(separator + 2);
  return path.Replace("\\", "/").ToBytes();
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
  if (HasDrive(path.Units()) && (path.Length() == 2 || path.At(2) != u'/')) {
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
  String normalized = Normalized(given, false);
  std::u16string_view path = normalized.Units();
  std::u16string root;
  size_t at = 0;
  if (path.starts_with(u"//")) {  // //server/share keeps its two slashes
    root = u"//";
    at = 2;
  } else if (path.starts_with(u"/")) {
    root = u"/";
    at = 1;
  } else if (path.size() >= 3 && HasDrive(path) && path[2] == u'/') {
    root = path.substr(0, 3);
    at = 3;
  } else {
    root = WorkingDir().Units();  // relative paths are anchored at the working directory
  }
  // The parts are folded onto root in place: each is appended and taken off at most once.
  while (at <= path.size()) {
    size_t slash = std::min(path.find(u'/', at), path.size());
    std::u16string_view part = path.substr(at, slash - at);
    at = slash + 1;
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!ToParent(root)) return BAD_DIR;
    } else {
      if (!root.empty() && root.back() != u'/') root += u'/';
      root += part;
    }
  }
  return String(std::move(root));
}

bool StatPath(const String& path, PathStatus& status) {
  // Names that can never be real files ("<bad_dir>" among them) are refused outright.
  if (path.Find("<") >= 0 || path.Find(">") >= 0 || !ReachesPlatformWhole(path)) return false;
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

bool RemovePath(const String& path) {
  return ReachesPlatformWhole(path) && fsplatform::RemoveFile(path.ToBytes());
}

bool PutEnv(const String& assignment) {
  int32_t equals = assignment.Find("=");
  if (equals <= 0 || !ReachesPlatformWhole(assignment)) return false;
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
  if (!ReachesPlatformWhole(path)) return;
  fsplatform::Chmod(Normalized(path, false).ToBytes(), mode);
}

bool FileCreate(const String& given) {
  if (!ReachesPlatformWhole(given)) return false;
  String path = Normalized(given, false);
  RemovePath(path);
  if (std::FILE* file = std::fopen(path.ToBytes().c_str(), "wb")) std::fclose(file);
  return PathKind(path) == PATHKIND_FILE;
}

bool FileDelete(const String& given) {
  if (!ReachesPlatformWhole(given)) return false;
  String path = Normalized(given, false);
  RemovePath(path);
  return PathKind(path) == PATHKIND_NONE;
}

bool FileRename(const String& from, const String& to) {
  if (!ReachesPlatformWhole(from) || !ReachesPlatformWhole(to)) return false;
  return fsplatform::Rename(Normalized(from, false).ToBytes(), Normalized(to, false).ToBytes());
}

bool DirCreate(const String& given, bool recurse) {
  if (!ReachesPlatformWhole(given)) return false;
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
  if (!ReachesPlatformWhole(given)) return false;
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
  if (!ReachesPlatformWhole(src) || !ReachesPlatformWhole(dst)) return false;
  // Opening the destination truncates it: copying a file onto itself (under any spelling,
  // through a hard link, or wrapped in a protocol) would lose it, so that is refused before
  // anything is opened.
  if (fsplatform::SameFile(InnermostPath(src), InnermostPath(dst))) return false;
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
  if (!ReachesPlatformWhole(given) || !ReachesPlatformWhole(target)) return false;
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
  return ReachesPlatformWhole(path) && fsplatform::ChangeDir(Normalized(path, true).ToBytes());
}

DirHandle DirOpen(const String& given) {
  String path = Normalized(given, true);
  if (path.IsEmpty() || !ReachesPlatformWhole(path)) return 0;
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

namespace {

// The last "/" before end - 1 (a trailing "/" is not a separator here); -1 when none.
int32_t LastSeparator(const String& path, int32_t end) {
  for (int32_t i = end - 2; i >= 0; --i) {
    if (path.At(i) == u'/') return i;
  }
  return -1;
}

// The entry of listDir whose name matches name without regard to ASCII case; "" when none.
// A trailing "/" of name is matched without and given back.
String MatchEntry(const String& listDir, String name) {
  String trailing;
  if (name.Length() > 1 && name.EndsWith("/")) {
    name = name.Left(name.Length() - 1);
    trailing = "/";
  }
  String wanted = name.ToLower();
  for (const String& entry : DirList(listDir, false)) {
    if (entry.ToLower() == wanted) return entry + trailing;
  }
  return String();
}

bool ExistsAsWritten(const String& path) {
  PathStatus status;
  return StatPath(path, status) && KindOfMode(status.mode) != PATHKIND_NONE;
}

}  // namespace

String PathTrueCase(const String& path) {
  if (path.Length() > kLongestPath) return String();
  // Walk back to the longest prefix that exists as written; the ends of the parts after it
  // are kept, last part first.
  std::vector<int32_t> ends;
  int32_t end = path.Length();
  bool anchored = false;  // whether found holds an existing prefix
  String found;
  for (;;) {
    String prefix = path.Left(end);
    if (ExistsAsWritten(prefix)) {
      anchored = true;
      found = prefix;
      break;
    }
    ends.push_back(end);
    int32_t slash = LastSeparator(path, end);
    if (slash <= 0) {
      if (slash == 0) found = "/";  // a name in the root directory
      break;
    }
    end = slash;
  }
  // Then forward again, each missing part looked up in the listing of what is found so far.
  for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
    int32_t start = anchored ? found.Length() + 1 : found.Length();
    String listDir = found.IsEmpty() ? String(".") : found;
    String entry = MatchEntry(listDir, path.Mid(start, *it - start));
    if (entry.IsEmpty()) return String();
    found = anchored ? found + "/" + entry : found + entry;
    anchored = true;
  }
  return found;
}

}  // namespace tarn
