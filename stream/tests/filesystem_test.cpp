#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "stream/filesystem.h"
#include "stream/tests/scratch_working_dir.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

std::string Bytes(const String& text) { return text.ToBytes(); }

class FileSystem : public testing::ScratchWorkingDir {};

// ---- lexical rules ----

TEST(PathRules, NormalizePath) {
  struct Case {
    const char* path;
    bool dirPath;
    const char* expected;
  } cases[] = {
      {"", false, ""},
      {"", true, ""},
      {"a\\b", false, "a/b"},
      {"C:", false, "C:/"},
      {"C:x", false, "C:/x"},
      {"C:\\x\\", true, "C:/x"},
      {"a/b/", true, "a/b"},
      {"a/b/", false, "a/b/"},
      {"C:/", true, "C:/"},
      {"C:", true, "C:/"},
      {"/", true, "/"},
      {"a//", true, "a/"},
      {"\\\\srv\\share", false, "//srv/share"},
      {"/:x", false, "/:x"},  // a drive only where a drive letter can stand
      {"1:x", false, "1:x"},
      {"z:x", false, "z:/x"},
  };
  for (const Case& c : cases) {
    String path = c.path;
    NormalizePath(path, c.dirPath);
    EXPECT_EQ(Bytes(path), c.expected) << c.path << " dirPath " << c.dirPath;
  }
  EXPECT_EQ(Bytes(TrimTrailingSlash("ab/")), "ab");
  EXPECT_EQ(Bytes(TrimTrailingSlash("D:/")), "D:/");
  EXPECT_EQ(Bytes(TrimTrailingSlash("/")), "/");
}

TEST(PathRules, NameParts) {
  struct Case {
    const char* path;
    const char* fileName;
    const char* withoutExt;
    const char* baseName;
    const char* directory;
    const char* extension;
  } cases[] = {
      {"a/b/c.txt", "c.txt", "a/b/c", "c", "a/b", "txt"},
      {"a\\b\\c.txt", "c.txt", "a/b/c", "c", "a/b", "txt"},
      {"a/b.d/c", "c", "a/b.d/c", "c", "a/b.d", ""},
      {"c.tar.gz", "c.tar.gz", "c.tar", "c.tar", "<bad_dir>", "gz"},
      {"c.txt", "c.txt", "c", "c", "<bad_dir>", "txt"},
      {"a/", "", "a/", "", "<bad_dir>", ""},
      {"C:/x", "x", "C:/x", "x", "C:/", ""},
      {"C:x.y", "x.y", "C:/x", "x", "C:/", "y"},
      {"/a", "a", "/a", "a", "/", ""},  // the parent of /a is the root
      {"", "", "", "", "<bad_dir>", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bytes(PathFileName(c.path)), c.fileName) << c.path;
    EXPECT_EQ(Bytes(PathWithoutExt(c.path)), c.withoutExt) << c.path;
    EXPECT_EQ(Bytes(PathBaseName(c.path)), c.baseName) << c.path;
    EXPECT_EQ(Bytes(PathDirectory(c.path)), c.directory) << c.path;
    EXPECT_EQ(Bytes(PathExtension(c.path)), c.extension) << c.path;
  }
}

TEST(PathRules, AbsolutePathOfRootedPathsIsLexical) {
  struct Case {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:/..", "<bad_dir>"},
      {"C:/x/..", "C:/"},
      {"C:\\a\\\\b\\.\\c\\..", "C:/a/b"},
      {"C:a/b", "C:/a/b"},
      {"D:/a/../../b", "<bad_dir>"},
      {"//server/share/x", "//server/share/x"},
      {"//server/share/./x/../y", "//server/share/y"},
      {"\\\\server\\share", "//server/share"},
      {"/a/b/", "/a/b"},
      {"/a/../b", "/b"},  // stays rooted
      {"/..", "<bad_dir>"},
      {"/", "/"},
      {"/./:x", "/:x"},
      {"/:x", "/:x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bytes(AbsolutePath(c.path)), c.expected) << c.path;
    if (Bytes(AbsolutePath(c.path)) != BAD_DIR) {
      EXPECT_EQ(Bytes(AbsolutePath(AbsolutePath(c.path))), c.expected) << "idempotent " << c.path;
    }
  }
}

TEST_F(FileSystem, PathFunctionsTakeVeryLongPathsWithoutRecursion) {
  std::string down, up;
  for (int i = 0; i < 25000; ++i) {
    down += "a/";
    up += "../";
  }
  EXPECT_EQ(AbsolutePath(String(down.c_str())).Length(), WorkingDir().Length() + 50000);
  EXPECT_EQ(Bytes(AbsolutePath(String((down + up).c_str()))), Bytes(WorkingDir()));

  std::string deep;
  for (int i = 0; i < 8000; ++i) deep += "x/";
  EXPECT_EQ(Bytes(PathTrueCase(String(deep.c_str()))), "");
  Put("x");  // the first part exists, the rest cannot
  EXPECT_EQ(Bytes(PathTrueCase(String(deep.substr(0, 4000).c_str()))), "");
}

TEST_F(FileSystem, AbsolutePathAnchorsRelativePathsAtTheWorkingDirectory) {
  String wd = WorkingDir();
  EXPECT_EQ(wd.Find("\\"), -1);
  EXPECT_EQ(Bytes(AbsolutePath("a/./b/../c")), Bytes(wd + "/a/c"));
  EXPECT_EQ(Bytes(AbsolutePath("a\\b")), Bytes(wd + "/a/b"));
  EXPECT_EQ(Bytes(AbsolutePath("")), Bytes(wd));
  EXPECT_EQ(Bytes(AbsolutePath(".")), Bytes(wd));
  EXPECT_EQ(Bytes(AbsolutePath("x/..")), Bytes(wd));
  EXPECT_EQ(Bytes(AbsolutePath("..")), Bytes(PathDirectory(wd)));
  // Nothing is looked up: the parts need not exist.
  EXPECT_EQ(PathKind("a"), PATHKIND_NONE);
}

// ---- status ----

TEST_F(FileSystem, StatusOfFilesDirectoriesAndMissingPaths) {
  Put("f.bin", "12345");
  ASSERT_TRUE(DirCreate("d", false));
  std::time_t now = std::time(nullptr);

  EXPECT_EQ(PathKind("f.bin"), PATHKIND_FILE);
  EXPECT_EQ(FileByteSize("f.bin"), 5);
  EXPECT_LE(std::abs(static_cast<long long>(FileModifiedTime("f.bin")) - now), 24 * 3600);
  EXPECT_NE(FileModeBits("f.bin") & 0400, 0);
  EXPECT_EQ(FileModeBits("f.bin") & ~0777, 0);
  EXPECT_EQ(PathKind("d"), PATHKIND_DIR);
  EXPECT_EQ(PathKind(scratch_ + "\\d"), PATHKIND_DIR);
  // A trailing "/" asks for a directory, in both builds alike.
  EXPECT_EQ(PathKind("d/"), PATHKIND_DIR);
  EXPECT_EQ(PathKind("f.bin/"), PATHKIND_NONE);

  for (const char* missing : {"missing", "d/missing", "missing/", ""}) {
    EXPECT_EQ(PathKind(missing), PATHKIND_NONE) << missing;
    EXPECT_EQ(FileByteSize(missing), -1) << missing;
    EXPECT_EQ(FileModeBits(missing), -1) << missing;
    EXPECT_EQ(FileModifiedTime(missing), 0) << missing;
  }
}

TEST_F(FileSystem, PathsWithAngleBracketsAreRefusedEvenWhenTheyExist) {
  // Windows refuses such names itself; a POSIX disk holds them.
  for (const char* name : {"a<b", "a>b", "<bad_dir>"}) {
    if (std::FILE* file = std::fopen(name, "wb")) std::fclose(file);
    EXPECT_EQ(PathKind(name), PATHKIND_NONE) << name;
    EXPECT_EQ(FileByteSize(name), -1) << name;
    std::remove(name);
  }
}

// ---- create, delete, rename ----

TEST_F(FileSystem, FileCreateReplacesAReadOnlyFileWithAnEmptyWritableOne) {
  Put("ro.txt", "old content");
  SetFileModeBits("ro.txt", 0444);
  ASSERT_EQ(FileModeBits("ro.txt") & 0200, 0);

  EXPECT_TRUE(FileCreate("ro.txt"));
  EXPECT_EQ(FileByteSize("ro.txt"), 0);
  EXPECT_NE(FileModeBits("ro.txt") & 0200, 0);

  EXPECT_TRUE(FileCreate("new.txt"));
  EXPECT_EQ(FileByteSize("new.txt"), 0);
  EXPECT_FALSE(FileCreate("nodir/x.txt"));
}

TEST_F(FileSystem, FileDeleteRemovesReadOnlyFilesAndLeavesDirectories) {
  Put("ro.txt", "x");
  SetFileModeBits("ro.txt", 0444);
  EXPECT_TRUE(FileDelete("ro.txt"));
  EXPECT_EQ(PathKind("ro.txt"), PATHKIND_NONE);
  EXPECT_TRUE(FileDelete("ro.txt"));  // nothing there: true as well

  ASSERT_TRUE(DirCreate("d", false));
  EXPECT_FALSE(FileDelete("d"));
  EXPECT_FALSE(FileCreate("d"));
  EXPECT_EQ(PathKind("d"), PATHKIND_DIR);
  EXPECT_NE(FileModeBits("d") & 0100, 0) << "the directory kept its permissions";
}

TEST_F(FileSystem, FileRename) {
  Put("a.txt", "abc");
  EXPECT_TRUE(FileRename("a.txt", "b.txt"));
  EXPECT_EQ(PathKind("a.txt"), PATHKIND_NONE);
  EXPECT_EQ(Get("b.txt"), "abc");
  ASSERT_TRUE(DirCreate("d", false));
  EXPECT_TRUE(FileRename("b.txt", "d\\c.txt"));
  EXPECT_EQ(Get("d/c.txt"), "abc");
  EXPECT_FALSE(FileRename("missing", "x"));
}

TEST_F(FileSystem, DirCreate) {
  EXPECT_TRUE(DirCreate("d/", false));
  EXPECT_TRUE(DirCreate("d", false));  // true also when it existed
  EXPECT_FALSE(DirCreate("x/y", false));
  EXPECT_EQ(PathKind("x"), PATHKIND_NONE);

  EXPECT_TRUE(DirCreate("a/b/c", true));
  EXPECT_EQ(PathKind("a"), PATHKIND_DIR);
  EXPECT_EQ(PathKind("a/b"), PATHKIND_DIR);
  EXPECT_EQ(PathKind("a/b/c"), PATHKIND_DIR);
  EXPECT_TRUE(DirCreate("a\\b\\c\\", true));
  EXPECT_TRUE(DirCreate(scratch_ + "/m/./n/../o", true));
  EXPECT_EQ(PathKind("m/o"), PATHKIND_DIR);
  EXPECT_EQ(PathKind("m/n"), PATHKIND_NONE);
  EXPECT_TRUE(DirCreate(scratch_, true));

  Put("a/b/file", "x");
  EXPECT_FALSE(DirCreate("a/b/file/c", true));
  EXPECT_EQ(PathKind("a/b/file"), PATHKIND_FILE);
  EXPECT_FALSE(DirCreate("a/b/file", false));
}

TEST_F(FileSystem, DirCreateOfAPathWithoutParentCreatesNothing) {
  String above = "..";
  for (int i = 0; i < 64; ++i) above += "/..";
  EXPECT_FALSE(DirCreate(above + "/x", true));
  EXPECT_FALSE(DirCreate("C:/../x", true));
  EXPECT_TRUE(DirList(".", true).empty());
}

TEST_F(FileSystem, DirDelete) {
  ASSERT_TRUE(DirCreate("t/a/b", true));
  Put("t/f1", "1");
  Put("t/a/f2", "2");
  Put("t/a/b/ro", "3");
  SetFileModeBits("t/a/b/ro", 0444);

  EXPECT_FALSE(DirDelete("t", false));  // not empty
  EXPECT_EQ(PathKind("t/f1"), PATHKIND_FILE);
  EXPECT_TRUE(DirDelete("t\\", true));
  EXPECT_EQ(PathKind("t"), PATHKIND_NONE);

  EXPECT_FALSE(DirDelete("t", true));  // nothing to list
  ASSERT_TRUE(DirCreate("e", false));
  EXPECT_TRUE(DirDelete("e/", false));
  EXPECT_EQ(PathKind("e"), PATHKIND_NONE);

  Put("plain", "x");
  EXPECT_FALSE(DirDelete("plain", true));
  EXPECT_FALSE(DirDelete("plain", false));
  EXPECT_EQ(Get("plain"), "x");
}

// ---- working directory and listings ----

TEST_F(FileSystem, WorkingDirFollowsSetWorkingDir) {
  ASSERT_TRUE(DirCreate("sub", false));
  EXPECT_TRUE(SetWorkingDir("sub\\"));
  EXPECT_EQ(Bytes(WorkingDir()), Bytes(scratch_ + "/sub"));
  EXPECT_TRUE(SetWorkingDir(".."));
  EXPECT_EQ(Bytes(WorkingDir()), Bytes(scratch_));
  EXPECT_FALSE(SetWorkingDir("missing"));
  EXPECT_FALSE(SetWorkingDir(""));
  EXPECT_EQ(Bytes(WorkingDir()), Bytes(scratch_));
}

TEST_F(FileSystem, DirListAndHandles) {
  ASSERT_TRUE(DirCreate("d/sub", true));
  Put("d/a.txt", "a");
  Put("d/B.txt", "b");

  std::vector<String> names = DirList("d/", true);
  std::vector<std::string> sorted;
  for (const String& name : names) sorted.push_back(Bytes(name));
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::string>{"B.txt", "a.txt", "sub"}));

  std::vector<String> all = DirList("d", false);
  EXPECT_EQ(all.size(), 5u);
  EXPECT_EQ(std::count(all.begin(), all.end(), String(".")), 1);
  EXPECT_EQ(std::count(all.begin(), all.end(), String("..")), 1);

  EXPECT_TRUE(DirList("missing", false).empty());
  EXPECT_TRUE(DirList("d/a.txt", false).empty());

  DirHandle handle = DirOpen("d");
  ASSERT_NE(handle, 0);
  int count = 0;
  while (!DirNext(handle).IsEmpty()) ++count;
  EXPECT_EQ(count, 5);
  EXPECT_TRUE(DirNext(handle).IsEmpty());  // stays exhausted
  DirClose(handle);
  EXPECT_TRUE(DirNext(handle).IsEmpty());  // a closed handle finds nothing
  DirClose(handle);

  EXPECT_EQ(DirOpen("missing"), 0);
  EXPECT_EQ(DirOpen(""), 0);
  EXPECT_TRUE(DirNext(0).IsEmpty());
  DirClose(0);
}

// ---- true case ----

TEST_F(FileSystem, PathTrueCase) {
  ASSERT_TRUE(DirCreate("dir", false));
  Put("dir/File.txt", "x");
  EXPECT_EQ(Bytes(PathTrueCase("dir/File.txt")), "dir/File.txt");
  EXPECT_EQ(Bytes(PathTrueCase("dir")), "dir");
  EXPECT_EQ(Bytes(PathTrueCase("nothing/here.txt")), "");
  EXPECT_EQ(Bytes(PathTrueCase("dir/nothing.txt")), "");

  if (PathKind("DIR/FILE.TXT") != PATHKIND_NONE) {
    // A disk that ignores case finds the path as given: it is returned unchanged.
    EXPECT_EQ(Bytes(PathTrueCase("DIR/FILE.TXT")), "DIR/FILE.TXT");
    GTEST_SKIP() << "the disk ignores letter case";
  }
  EXPECT_EQ(Bytes(PathTrueCase("DIR/FILE.TXT")), "dir/File.txt");
  EXPECT_EQ(Bytes(PathTrueCase("Dir")), "dir");
  EXPECT_EQ(Bytes(PathTrueCase("DIR/")), "dir/");
  EXPECT_EQ(Bytes(PathTrueCase(scratch_ + "/DIR/file.TXT")), Bytes(scratch_ + "/dir/File.txt"));
}

// ---- copying ----

// A stream behind the URL probe::NAME whose reading or writing fails on demand, and which
// records whether it was closed.
struct ProbeStream : TStream {
  explicit ProbeStream(bool failing) : failing(failing) {}
  bool Eof() override { return pos >= 10000; }
  int32_t Pos() override { return pos; }
  int32_t Size() override { return 10000; }
  int32_t Read(void* buf, int32_t count) override {
    if (failing) return 0;  // nothing delivered before the end
    int32_t n = std::min(count, 10000 - pos);
    std::fill_n(static_cast<char*>(buf), n, 'p');
    pos += n;
    return n;
  }
  int32_t Write(const void*, int32_t count) override {
    if (failing && pos > 0) return 0;
    pos += count;
    return count;
  }
  int32_t Close() override {
    closed = true;
    return 0;
  }
  bool failing;
  bool closed = false;
  int32_t pos = 0;
};

struct ProbeFactory : TStreamFactory {
  Ref<TStream> CreateStream(const Ref<Object>&, const String& proto, const String& path, bool,
                            bool) override {
    if (!(proto == String("probe"))) return Ref<TStream>();
    made.push_back(New<ProbeStream>(path == String("failing")));
    return made.back();
  }
  std::vector<Ref<ProbeStream>> made;  // every stream handed out, oldest first
};

// The probe factory, registered on first use, with its record of streams emptied.
ProbeFactory& Probe() {
  static Ref<ProbeFactory> factory = New<ProbeFactory>();
  factory->made.clear();
  return *factory;
}

TEST_F(FileSystem, FileCopyCopiesBytesAndReplacesTheTarget) {
  std::string content;
  for (int i = 0; i < 10000; ++i) content += static_cast<char>(i * 7);
  Put("src.bin", content);
  Put("dst.bin", std::string(20000, 'x'));
  EXPECT_TRUE(FileCopy("src.bin", "dst.bin"));
  EXPECT_EQ(Get("dst.bin"), content);
  ASSERT_TRUE(DirCreate("d", false));
  EXPECT_TRUE(FileCopy("src.bin", "d\\copy.bin"));
  EXPECT_EQ(Get("d/copy.bin"), content);

  EXPECT_FALSE(FileCopy("missing", "out.bin"));
  EXPECT_EQ(PathKind("out.bin"), PATHKIND_NONE);
  EXPECT_FALSE(FileCopy("src.bin", "nodir/out.bin"));
  EXPECT_FALSE(FileCopy("src.bin", "foo::out.bin"));
}

// Each path below reaches the platform, byte by byte, as "victim.txt" or "tree" followed by a
// byte 0, where the platform would stop reading. Every function must refuse it.
TEST_F(FileSystem, PathsThatWouldBeCutShortAreRefused) {
  const std::u16string victims[] = {std::u16string(u"victim.txt\0.bak", 14),
                                    u"victim.txt\u0100.bak"};
  for (const std::u16string& units : victims) {
    std::u16string cut = units.substr(10, 1);
    String victim(units);
    String tree(u"tree" + cut);
    SCOPED_TRACE(Bytes(victim).size());
    Put("victim.txt", "precious");
    Put("other.txt", "other");
    ASSERT_TRUE(DirCreate("tree/sub", true));
    Put("tree/sub/leaf.txt", "leaf");

    EXPECT_FALSE(FileCreate(victim));
    EXPECT_FALSE(FileDelete(victim));
    EXPECT_FALSE(FileRename(victim, "moved.txt"));
    EXPECT_FALSE(FileRename("other.txt", victim));
    EXPECT_FALSE(FileCopy("other.txt", victim));
    EXPECT_FALSE(FileCopy(victim, "copy.txt"));
    SetFileModeBits(victim, 0444);
    EXPECT_EQ(PathKind(victim), PATHKIND_NONE);
    EXPECT_EQ(FileByteSize(victim), -1);
    EXPECT_EQ(FileModeBits(victim), -1);
    EXPECT_EQ(FileModifiedTime(victim), 0);
    EXPECT_EQ(Bytes(PathTrueCase(victim)), "");
    EXPECT_EQ(Get("victim.txt"), "precious");
    EXPECT_NE(FileModeBits("victim.txt") & 0200, 0);
    EXPECT_EQ(PathKind("moved.txt"), PATHKIND_NONE);
    EXPECT_EQ(PathKind("copy.txt"), PATHKIND_NONE);

    EXPECT_FALSE(DirDelete(tree, true));
    EXPECT_FALSE(DirCreate(tree, false));
    EXPECT_FALSE(DirCopy(tree, "tree2"));
    EXPECT_FALSE(SetWorkingDir(tree));
    EXPECT_EQ(DirOpen(tree), 0);
    EXPECT_TRUE(DirList(tree, false).empty());
    EXPECT_EQ(Get("tree/sub/leaf.txt"), "leaf");
    EXPECT_EQ(PathKind("tree2"), PATHKIND_NONE);
    EXPECT_EQ(Bytes(WorkingDir()), Bytes(scratch_));
    EXPECT_FALSE(PutEnv(String(u"TARN_CUT=1" + cut + u"x")));
  }
  EXPECT_EQ(PathKind(String(std::u16string(u"/\0", 2))), PATHKIND_NONE);
}

TEST_F(FileSystem, FileCopyOntoItselfKeepsTheFile) {
  Put("same.txt", "precious");
  ASSERT_TRUE(DirCreate("d", false));
  EXPECT_FALSE(FileCopy("same.txt", "same.txt"));
  EXPECT_FALSE(FileCopy("same.txt", "d/../same.txt"));
  EXPECT_FALSE(FileCopy(scratch_ + "/same.txt", ".\\same.txt"));
  EXPECT_FALSE(FileCopy("same.txt", "bigendian::same.txt"));
  EXPECT_FALSE(FileCopy("littleendian::bigendian::d\\..\\same.txt", "same.txt"));
  EXPECT_EQ(Get("same.txt"), "precious");
}

TEST_F(FileSystem, FileCopyReportsWriteFailureAndClosesBothStreams) {
  ProbeFactory& probe = Probe();
  EXPECT_FALSE(FileCopy("probe::fine", "probe::failing"));
  ASSERT_EQ(probe.made.size(), 2u);
  EXPECT_TRUE(probe.made[0]->closed);
  EXPECT_TRUE(probe.made[1]->closed);

  Put("src.bin", std::string(9000, 's'));
  EXPECT_FALSE(FileCopy("src.bin", "probe::failing"));
  EXPECT_TRUE(probe.made.back()->closed);
  EXPECT_TRUE(FileCopy("probe::fine", "out.bin"));
  EXPECT_EQ(Get("out.bin"), std::string(10000, 'p'));
}

TEST_F(FileSystem, FileCopyPassesReadFailuresOnAndStillClosesBothStreams) {
  ProbeFactory& probe = Probe();
  EXPECT_RAISES_CLASS(FileCopy("probe::failing", "probe::fine"), TStreamReadException);
  ASSERT_EQ(probe.made.size(), 2u);
  EXPECT_TRUE(probe.made[0]->closed);
  EXPECT_TRUE(probe.made[1]->closed);

  Put("dst.bin", "old");
  EXPECT_RAISES_CLASS(FileCopy("probe::failing", "dst.bin"), TStreamReadException);
  EXPECT_TRUE(FileDelete("dst.bin"));
}

TEST_F(FileSystem, DirCopyCopiesATree) {
  ASSERT_TRUE(DirCreate("src/a/b", true));
  ASSERT_TRUE(DirCreate("src/empty", true));
  Put("src/top.txt", "top");
  Put("src/a/b/deep.txt", "deep");

  EXPECT_TRUE(DirCopy("src\\", "dst"));
  EXPECT_EQ(Get("dst/top.txt"), "top");
  EXPECT_EQ(Get("dst/a/b/deep.txt"), "deep");
  EXPECT_EQ(PathKind("dst/empty"), PATHKIND_DIR);
  EXPECT_TRUE(DirCopy("src", "dst"));  // into an existing copy: files replaced

  EXPECT_FALSE(DirCopy("missing", "x"));
  EXPECT_FALSE(DirCopy("src/top.txt", "x"));
  EXPECT_EQ(PathKind("x"), PATHKIND_NONE);
  Put("file", "f");
  EXPECT_FALSE(DirCopy("src", "file"));
  EXPECT_FALSE(DirCopy("src", "nodir/x"));
}

TEST_F(FileSystem, DirCopyRefusesATargetInsideItsOwnTree) {
  ASSERT_TRUE(DirCreate("src/sub", true));
  Put("src/f.txt", "keep");
  EXPECT_FALSE(DirCopy("src", "src"));
  EXPECT_FALSE(DirCopy("src", "src/sub/copy"));
  EXPECT_FALSE(DirCopy("src", scratch_ + "/src/./copy"));
  EXPECT_EQ(PathKind("src/sub/copy"), PATHKIND_NONE);
  EXPECT_EQ(Get("src/f.txt"), "keep");
  EXPECT_TRUE(DirCopy("src/sub", "src/sub2"));  // a sibling is fine
}

// ---- environment ----

TEST(Environment, PutEnvSetsAndRemovesVariables) {
  EXPECT_TRUE(PutEnv("TARN_FS_TEST=abc def"));
  ASSERT_NE(std::getenv("TARN_FS_TEST"), nullptr);
  EXPECT_STREQ(std::getenv("TARN_FS_TEST"), "abc def");
  EXPECT_TRUE(PutEnv("TARN_FS_TEST=x=y"));
  EXPECT_STREQ(std::getenv("TARN_FS_TEST"), "x=y");
  EXPECT_TRUE(PutEnv("TARN_FS_TEST="));
  EXPECT_EQ(std::getenv("TARN_FS_TEST"), nullptr);
  EXPECT_FALSE(PutEnv("no assignment"));
  EXPECT_FALSE(PutEnv("=value"));
}

}  // namespace
}  // namespace tarn
