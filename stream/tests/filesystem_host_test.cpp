// What only a POSIX disk can show: symbolic links, sparse files beyond 2 GiB, names in the
// root directory whose letter case differs, and folders on tmpfs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <limits>

#include "stream/filesystem.h"
#include "stream/streams.h"
#include "stream/tests/scratch_working_dir.h"

namespace tarn {
namespace {

class HostFileSystem : public testing::ScratchWorkingDir {};

TEST_F(HostFileSystem, RecursiveDeleteRemovesLinksWithoutFollowingThem) {
  ASSERT_TRUE(DirCreate("outside/inner", true));
  Put("outside/keep.txt");
  Put("outside/inner/keep2.txt");
  ASSERT_TRUE(DirCreate("tree/sub", true));
  Put("tree/sub/gone.txt");
  ASSERT_EQ(symlink("../../outside", "tree/sub/to_dir"), 0);
  ASSERT_EQ(symlink("../../outside/keep.txt", "tree/sub/to_file"), 0);
  ASSERT_EQ(symlink("nowhere", "tree/dangling"), 0);
  ASSERT_EQ(PathKind("tree/sub/to_dir"), PATHKIND_DIR);

  EXPECT_TRUE(DirDelete("tree", true));
  EXPECT_EQ(PathKind("tree"), PATHKIND_NONE);
  EXPECT_EQ(PathKind("outside/keep.txt"), PATHKIND_FILE);
  EXPECT_EQ(PathKind("outside/inner/keep2.txt"), PATHKIND_FILE);

  // A link named as the tree itself goes; what it points to stays.
  ASSERT_EQ(symlink("outside", "link"), 0);
  EXPECT_TRUE(DirDelete("link", true));
  EXPECT_EQ(access("link", F_OK), -1);
  EXPECT_EQ(PathKind("outside/inner/keep2.txt"), PATHKIND_FILE);
}

TEST_F(HostFileSystem, FileDeleteOfALinkKeepsTheTargetAndItsMode) {
  Put("target.txt");
  SetFileModeBits("target.txt", 0444);
  ASSERT_EQ(symlink("target.txt", "link.txt"), 0);
  EXPECT_TRUE(FileDelete("link.txt"));
  EXPECT_EQ(PathKind("target.txt"), PATHKIND_FILE);
  EXPECT_EQ(FileModeBits("target.txt"), 0444);
}

TEST_F(HostFileSystem, SizesBeyondTwoGibibytesReadAsTheLargestSize) {
  Put("big.bin");
  ASSERT_EQ(truncate("big.bin", 3LL << 30), 0);  // sparse: takes no room on disk
  EXPECT_EQ(FileByteSize("big.bin"), std::numeric_limits<int32_t>::max());
}

TEST_F(HostFileSystem, PathTrueCaseFindsNamesInTheRootDirectory) {
  String wd = WorkingDir();
  int32_t second = wd.Find("/", 1);
  ASSERT_GT(second, 1);
  String wrong = wd.Left(second).ToUpper() + wd.Mid(second);
  if (wrong == wd) GTEST_SKIP() << "the first folder has no letters";
  ASSERT_EQ(PathKind(wrong), PATHKIND_NONE);
  ASSERT_TRUE(DirCreate("Dir", false));
  EXPECT_EQ(PathTrueCase(wrong + "/dir").ToBytes(), (wd + "/Dir").ToBytes());
}

// tmpfs lets a folder be opened and sought like a short file; its status tells the truth.
TEST(HostFileStream, AFolderOnTmpfsDoesNotOpenAsAFile) {
  char folder[] = "/dev/shm/tarn_folder_XXXXXX";
  if (!mkdtemp(folder)) GTEST_SKIP() << "no tmpfs at /dev/shm";
  InitStreams();
  EXPECT_TRUE(TCStream::OpenPath(folder, true, false).IsNull());
  EXPECT_TRUE(FileOpenRead(folder).IsNull());
  rmdir(folder);
}

}  // namespace
}  // namespace tarn
