#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/options.h"
#include "app/options_file.h"
#include "app/tests/options_fixture.h"
#include "stream/filesystem.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::OptionsFile;
using testing::WriteFile;

struct LoadCase {
  const char* name;
  std::string content;
  int32_t x, y;  // the fields start at 7 and 9
};

TEST_F(OptionsFile, LoadReadsTheKeysItKnows) {
  const LoadCase cases[] = {
      {"upper-case key and blanks", "POS_X = 300\r\npos_y=-20\r\n", 300, -20},
      {"hexadecimal, no final line end", "pos_x=$1F", 31, 9},
      {"binary between tabs", "\tpos_y\t=\t%101\r\n", 7, 5},
      {"digits then letters", "pos_x=12abc\n", 12, 9},
      {"no digits", "pos_x=abc\n", 0, 9},
      {"empty value", "pos_y=\r\n", 7, 0},
      {"no =", "pos_x\npos_y=5", 7, 5},
      {"other key", "width=5\r\n", 7, 9},
      {"later duplicate wins", "pos_x=1\r\npos_y=2\r\npos_x=3\r\n", 3, 2},
      {"second = belongs to the value", "pos_x=4=5\n", 4, 9},
      {"wraps to 32 bits", "pos_x=4294967297\n", 1, 9},
      {"NUL ends a line", std::string("pos_x=3\0pos_y=4", 15), 3, 4},
      {"empty file", "", 7, 9},
  };
  for (const LoadCase& c : cases) {
    WriteFile("options.cfg", c.content);
    TOptions options;
    options.x = 7;
    options.y = 9;
    options.Load();
    EXPECT_EQ(options.x, c.x) << c.name;
    EXPECT_EQ(options.y, c.y) << c.name;
  }
}

TEST_F(OptionsFile, LoadWithoutAFileKeepsTheFields) {
  Ref<TOptions> fresh = New<TOptions>();
  fresh->Load();
  EXPECT_EQ(fresh->x, 0);
  EXPECT_EQ(fresh->y, 0);
  std::filesystem::create_directory("options.cfg");  // cannot be read as a file either
  fresh->x = 5;
  fresh->Load();
  EXPECT_EQ(fresh->x, 5);
}

TEST_F(OptionsFile, SaveWritesExactlyTheTwoLinesWhateverTheFileHeld) {
  WriteFile("options.cfg", "width=5\r\npos_x=1\r\n" + std::string(500, 'z') + "\r\n");
  TOptions options;
  options.x = 200;
  options.y = 150;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=200\r\npos_y=150\r\n");
  EXPECT_FALSE(TemporaryLeft());

  options.x = -1280;
  options.y = 0;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=-1280\r\npos_y=0\r\n");

  TOptions loaded;
  loaded.Load();
  EXPECT_EQ(loaded.x, -1280);
  EXPECT_EQ(loaded.y, 0);
}

TEST_F(OptionsFile, SaveCreatesAMissingFile) {
  TOptions options;
  options.x = 3;
  options.y = 4;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=3\r\npos_y=4\r\n");
}

TEST_F(OptionsFile, SaveThatCannotWriteKeepsThePreviousFile) {
  WriteFile("options.cfg", "pos_x=10\r\npos_y=20\r\n");
  std::filesystem::create_directory("options.cfg.tmp");  // the temporary file cannot be made
  TOptions options;
  options.x = 99;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=10\r\npos_y=20\r\n");
}

TEST_F(OptionsFile, SaveOverAFolderFailsQuietlyAndCleansUp) {
  std::filesystem::create_directory("options.cfg");
  TOptions options;
  options.Save();
  EXPECT_TRUE(std::filesystem::is_directory("options.cfg"));
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(OptionsFile, AWriteThatFailsHalfWayLeavesThePreviousFile) {
  WriteFile("options.cfg", "pos_x=10\r\npos_y=20\r\n");
  bool saved = SaveReplacing("options.cfg", [](const Ref<TStream>& stream) {
    stream->WriteLine("pos_x=99");
    return false;  // as when the disk fills up before the second line
  });
  EXPECT_FALSE(saved);
  EXPECT_EQ(Stored(), "pos_x=10\r\npos_y=20\r\n");
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(OptionsFile, ASaveKilledHalfWayLeavesThePreviousFile) {
  WriteFile("options.cfg", "pos_x=10\r\npos_y=20\r\n");
  EXPECT_RAISES_TEXT(SaveReplacing("options.cfg",
                                   [](const Ref<TStream>& stream) -> bool {
                                     stream->WriteLine("pos_x=99");
                                     Raise(String("killed"));
                                   }),
                     "killed");
  EXPECT_EQ(Stored(), "pos_x=10\r\npos_y=20\r\n");

  // A temporary file left by a real kill is simply overwritten by the next save.
  WriteFile("options.cfg.tmp", "pos_x=99\r\n");
  TOptions options;
  options.x = 1;
  options.y = 2;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=1\r\npos_y=2\r\n");
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(OptionsFile, SaveLeavesAReadOnlyFileAlone) {
  WriteFile("options.cfg", "pos_x=10\r\npos_y=20\r\n");
  SetFileModeBits("options.cfg", 0444);
  TOptions options;
  options.x = 99;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=10\r\npos_y=20\r\n");
  EXPECT_EQ(FileModeBits("options.cfg") & 0200, 0);
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(OptionsFile, AReadOnlyLeftoverTemporaryFileDoesNotBlockTheSave) {
  WriteFile("options.cfg", "pos_x=10\r\npos_y=20\r\n");
  WriteFile("options.cfg.tmp", "pos_x=9");
  SetFileModeBits("options.cfg.tmp", 0444);
  TOptions options;
  options.x = 1;
  options.y = 2;
  options.Save();
  EXPECT_EQ(Stored(), "pos_x=1\r\npos_y=2\r\n");
  EXPECT_FALSE(TemporaryLeft());
}

}  // namespace
}  // namespace tarn
