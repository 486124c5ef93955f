// What the message boxes and the file requester hand to Windows, without opening them.
#include <gtest/gtest.h>

#include "system/requesters.h"

namespace tarn {
namespace {

// Shows NUL characters as "|" so that filter texts compare readably.
std::string Visible(const String& text) {
  std::string bytes = text.ToBytes();
  for (char& c : bytes) {
    if (c == '\0') c = '|';
  }
  return bytes;
}

TEST(MessageBoxes, FlagsAndAnswers) {
  using K = MessageBoxKind;
  EXPECT_EQ(MessageBoxFlags(K::Info, true), 0x40030u);
  EXPECT_EQ(MessageBoxFlags(K::Info, false), 0x40040u);
  EXPECT_EQ(MessageBoxFlags(K::OkCancel, true), 0x40031u);
  EXPECT_EQ(MessageBoxFlags(K::OkCancel, false), 0x40041u);
  EXPECT_EQ(MessageBoxFlags(K::YesNoCancel, true), 0x40033u);
  EXPECT_EQ(MessageBoxFlags(K::YesNoCancel, false), 0x40043u);

  constexpr int32_t ok = 1, cancel = 2, yes = 6, no = 7, failed = 0;
  EXPECT_EQ(MessageBoxAnswer(K::OkCancel, ok), 1);
  EXPECT_EQ(MessageBoxAnswer(K::OkCancel, cancel), 0);
  EXPECT_EQ(MessageBoxAnswer(K::OkCancel, failed), 0);
  EXPECT_EQ(MessageBoxAnswer(K::YesNoCancel, yes), 1);
  EXPECT_EQ(MessageBoxAnswer(K::YesNoCancel, no), 0);
  EXPECT_EQ(MessageBoxAnswer(K::YesNoCancel, cancel), -1);
  EXPECT_EQ(MessageBoxAnswer(K::YesNoCancel, failed), -1);
}

TEST(FileRequester, StartFolderAndName) {
  struct Case {
    const char* path;
    const char* dir;
    const char* name;
  } cases[] = {
      {"C:/docs/a.doc", "C:\\docs", "a.doc"},
      {"C:\\docs\\sub/b.txt", "C:\\docs\\sub", "b.txt"},
      {"a.doc", "", "a.doc"},
      {"", "", ""},
      {"C:/docs/", "C:\\docs", ""},
      // A drive or the root keeps its backslash: "C:" alone is the drive's current folder.
      {"C:/a.doc", "C:\\", "a.doc"},
      {"/a.doc", "\\", "a.doc"},
  };
  for (const Case& c : cases) {
    RequesterPath split = SplitRequesterPath(c.path);
    EXPECT_EQ(split.dir.ToBytes(), c.dir) << c.path;
    EXPECT_EQ(split.name.ToBytes(), c.name) << c.path;
  }
}

TEST(FileRequester, FilterText) {
  struct Case {
    const char* extensions;
    const char* filter;
  } cases[] = {
      {"Text:txt,doc;All:*", "Text|*.txt;*.doc|All|*.*|"},
      {"png,jpg", "Files|*.png;*.jpg|"},
      {"wav", "Files|*.wav|"},
      {"Sound:wav", "Sound|*.wav|"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Visible(FileFilterText(c.extensions)), c.filter);
}

TEST(FileRequester, FilterIndexIsTheGroupHoldingTheExtension) {
  struct Case {
    const char* extensions;
    const char* path;
    int32_t index;
  } cases[] = {
      {"Text:txt,doc;All:*", "C:/docs/a.doc", 1},
      {"Text:txt,doc;All:*", "C:/docs/A.TXT", 1},  // without case
      {"Text:txt,doc;All:*", "C:/docs/a.pdf", 0},
      {"Text:txt,doc;All:*", "C:/docs/readme", 0},
      {"Text:txt,doc;All:*", "a.", 0},
      {"Text:txt;Images:png,jpg;All:*", "b.png", 2},
      // The last group, and the last extension of a group, are found as well.
      {"Text:txt;Images:png,jpg", "b.jpg", 2},
      {"Text:txt;Doc:doc", "c.doc", 2},
      {"Text:txt;Doc:doc;Wave:wav", "c.wav", 3},
      {"png,jpg", "x.jpg", 1},
      {"", "x.jpg", 0},
      // The extension is that of the file name, not of a dotted folder above it.
      {"Text:txt;Doc:doc", "C:/my.docs/c.doc", 2},
      // An extension must match whole, not as part of a longer one.
      {"Text:txt;Doc:docx", "c.doc", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileFilterIndex(c.extensions, c.path), c.index) << c.extensions << " with " << c.path;
  }
}

TEST(FileRequester, InitialNameThatDoesNotFitIsLeftOut) {
  String fits(std::u16string(kRequesterBufferSize - 1, u'a'));
  String tooLong(std::u16string(kRequesterBufferSize, u'a'));
  EXPECT_EQ(InitialFileName(fits).Length(), kRequesterBufferSize - 1);
  EXPECT_TRUE(InitialFileName(tooLong).IsEmpty());
  EXPECT_EQ(InitialFileName("a.doc").ToBytes(), "a.doc");
}

}  // namespace
}  // namespace tarn
