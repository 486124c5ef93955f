#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "stream/streams.h"
#include "stream/tests/test_streams.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::TMemoryStream;
using testing::WriteFile;

class TextStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { InitStreams(); }
  // A text stream over bytes held in memory; memory shows what was written.
  Ref<TEncodedTextStream> Over(const std::string& bytes, int32_t encoding) {
    memory = New<TMemoryStream>(bytes);
    return TEncodedTextStream::Create(memory, encoding);
  }
  Ref<TMemoryStream> memory;
};

std::u16string Units(const String& text) { return text.Units(); }

TEST_F(TextStreamTest, TheSameBytesReadAsUtf8OrAsLatin1) {
  ScratchDir dir;
  String path = dir.Path("name.txt");
  WriteFile(path, "A\xC3\xA9\r\nB");
  struct Case {
    const char* proto;
    std::u16string first, second;
  };
  for (const Case& c : {Case{"utf8", u"A\u00E9", u"B"}, Case{"latin1", u"A\u00C3\u00A9", u"B"},
                        Case{"UTF8", u"A\u00E9", u"B"}}) {
    Ref<TStream> stream = StreamOpenRead(String(c.proto) + "::" + path);
    ASSERT_TRUE(Is<TEncodedTextStream>(stream)) << c.proto;
    EXPECT_EQ(Units(stream->ReadLine()), c.first) << c.proto;
    EXPECT_EQ(Units(stream->ReadLine()), c.second) << c.proto;
    EXPECT_TRUE(stream->Eof());
    stream->Close();
  }
  EXPECT_FALSE(StreamOpenRead(String("utf16le::") + dir.Path("missing.txt")));
  EXPECT_FALSE(StreamOpenRead("utf7::x.txt"));
}

TEST_F(TextStreamTest, WriteCharEncodesInEachEncoding) {
  struct Case {
    int32_t encoding;
    int32_t c;
    std::string bytes;
  };
  for (const Case& c : {
           Case{ENCODING_UTF8, 0x20AC, "\xE2\x82\xAC"}, Case{ENCODING_UTF16BE, 0x20AC, "\x20\xAC"},
           Case{ENCODING_UTF16LE, 0x20AC, "\xAC\x20"}, Case{ENCODING_LATIN1, 0x20AC, "\xAC"},
           Case{ENCODING_UTF8, 0x41, "A"}, Case{ENCODING_UTF8, 0xE9, "\xC3\xA9"},
           Case{ENCODING_UTF8, 0xD83D, "\xED\xA0\xBD"},  // a surrogate alone: three bytes
       }) {
    Ref<TEncodedTextStream> text = Over("", c.encoding);
    text->WriteChar(c.c);
    EXPECT_EQ(memory->bytes, c.bytes) << c.encoding << " " << c.c;
    memory->Seek(0);
    EXPECT_EQ(text->ReadChar(), c.encoding == ENCODING_LATIN1 ? (c.c & 0xFF) : c.c);
  }
}

TEST_F(TextStreamTest, AFourByteUtf8SequenceGivesZeroThenItsLastByteAlone) {
  Ref<TEncodedTextStream> text = Over("\xF0\x9F\x98\x80", ENCODING_UTF8);
  EXPECT_EQ(text->ReadChar(), 0);
  // 0x80 taken as a lead byte, the end of the stream reading as 0: (0x80 - 0xC0) * 64 - 0x80.
  EXPECT_EQ(text->ReadChar(), 0xEF80);
  EXPECT_TRUE(text->Eof());
  // ReadAll keeps what a line would end on.
  EXPECT_EQ(Units(Over(std::string("a\0b\r\n\xF0\x9F\x98\x80", 9), ENCODING_UTF8)->ReadAll()),
            std::u16string(u"a\0b\r\n\0\uEF80", 7));
}

TEST_F(TextStreamTest, LinesInUtf16CarryTheirTerminatorAsCharacters) {
  Ref<TEncodedTextStream> text = Over("", ENCODING_UTF16LE);
  EXPECT_FALSE(text->WriteLine(u"\u20ACx"));
  EXPECT_EQ(memory->bytes, std::string("\xAC\x20x\0\r\0\n\0", 8));
  memory->Seek(0);
  EXPECT_EQ(Units(text->ReadLine()), u"\u20ACx");
  EXPECT_EQ(Units(text->ReadLine()), u"");
}

TEST_F(TextStreamTest, TypedValuesAreDecimalLines) {
  Ref<TEncodedTextStream> text = Over("", ENCODING_UTF8);
  text->WriteInt(-5);
  EXPECT_EQ(memory->bytes, "-5\r\n");
  text->WriteByte(300);  // the whole value, not its low 8 bits
  text->WriteLong(-9000000000LL);
  text->WriteDouble(0.5);
  text->WriteFloat(2.0f);
  memory->Seek(0);
  EXPECT_EQ(text->ReadShort(), -5);
  EXPECT_EQ(text->ReadByte(), 300);
  EXPECT_EQ(text->ReadLong(), -9000000000LL);
  EXPECT_EQ(text->ReadDouble(), 0.5);
  EXPECT_EQ(text->ReadFloat(), 2.0f);

  struct Case {
    const char* line;
    int32_t value;
  };
  for (Case c : {Case{"  $1F", 31}, Case{"%101", 5}, Case{"abc", 0}, Case{"+12x", 12}}) {
    EXPECT_EQ(Over(std::string(c.line) + "\r\n", ENCODING_LATIN1)->ReadInt(), c.value) << c.line;
  }
}

TEST_F(TextStreamTest, RawBytesTravelAsHexadecimalLinesBetweenTextLines) {
  Ref<TEncodedTextStream> text = Over("", ENCODING_UTF16BE);
  std::string data;
  for (int i = 0; i < 33; ++i) data.push_back(static_cast<char>(i * 7 + 0xA0));
  text->WriteBytes(data.data(), 33);
  text->WriteLine("t");
  std::string expected;
  char digits[3];
  for (int i = 0; i < 33; ++i) {
    std::snprintf(digits, sizeof digits, "%02X", static_cast<uint8_t>(data[size_t(i)]));
    expected += digits;
    if (i == 31) expected += "\r\n";
  }
  expected += "\r\n";  // the pending line closed before the text line
  expected += std::string("\0t\0\r\0\n", 6);
  EXPECT_EQ(memory->bytes, expected);

  memory->Seek(0);
  std::string back(33, '\0');
  text->ReadBytes(back.data(), 33);
  EXPECT_EQ(back, data);
  EXPECT_EQ(Units(text->ReadLine()), u"t");
}

TEST_F(TextStreamTest, AHexadecimalLineMustEndWithLineFeedOrCarriageReturnLineFeed) {
  uint8_t byte = 0;
  Ref<TEncodedTextStream> bare = Over("4A\nok", ENCODING_LATIN1);
  bare->Read(&byte, 1);
  EXPECT_EQ(byte, 0x4A);
  EXPECT_EQ(bare->ReadLine().ToBytes(), "ok");

  for (const char* bad : {"4A\rX", "4AX"}) {
    Ref<TEncodedTextStream> text = Over(bad, ENCODING_LATIN1);
    text->Read(&byte, 1);
    EXPECT_RAISES_TEXT(text->ReadLine(), "Malformed line terminator");
  }
}

TEST_F(TextStreamTest, ReadStringTakesExactlyCountCharacters) {
  Ref<TEncodedTextStream> text = Over("\xC3\xA9\nxyz", ENCODING_UTF8);
  EXPECT_EQ(Units(text->ReadString(3)), u"\u00E9\nx");
  text->WriteString("");  // nothing pending, nothing written
  EXPECT_EQ(memory->bytes.size(), 6u);
}

TEST_F(TextStreamTest, TextLoadFollowsTheByteOrderMark) {
  ScratchDir dir;
  String path = dir.Path("t.txt");
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  for (const Case& c : {
           Case{"\xFF\xFE", u""},
           Case{"\xEF\xBB\x41", u"\u00EF\u00BB\u0041"},
           Case{"\xEF\xBB\xBF\x41", u"A"},
           Case{"\xEF\xBB", u"\u00EF\u00BB"},
           Case{"\xFE\xFF\x20\xAC", u"\u20AC"},
           Case{"\xFF\xFE\xAC\x20\x0D\x00", u"\u20AC\r"},
           Case{"\xFE\x41", u"\u00FE\u0041"},
           Case{"", u""},
           Case{"plain \xE9", u"plain \u00E9"},
       }) {
    WriteFile(path, c.bytes);
    EXPECT_EQ(Units(TextLoad(path)), c.text) << c.bytes;
  }
  std::string big(3000, 'q');
  WriteFile(path, big);
  EXPECT_EQ(TextLoad(path).ToBytes(), big);
}

TEST_F(TextStreamTest, TextSaveWritesLatin1OrAMarkedUtf16) {
  ScratchDir dir;
  String path = dir.Path("t.txt");
  TextSave(u"caf\u00E9\u00FF", path);
  EXPECT_EQ(ReadFile(path), "caf\xE9\xFF");
  TextSave(u"a\u0100", path);
  EXPECT_EQ(ReadFile(path), std::string("\xFF\xFE"
                                        "a\0\x00\x01",
                                        6));
  EXPECT_EQ(Units(TextLoad(path)), u"a\u0100");
}

TEST_F(TextStreamTest, UnopenableUrlsLoadEmptyAndSaveNothing) {
  ScratchDir dir;
  EXPECT_TRUE(TextLoad(dir.Path("missing.txt")).IsEmpty());
  EXPECT_TRUE(TextLoad("nosuch::x").IsEmpty());
  EXPECT_TRUE(TextLoad(String()).IsEmpty());
  TextSave("latin", dir.Path("no/such/dir/a.txt"));
  TextSave(u"\u0100", dir.Path("no/such/dir/a.txt"));
  TextSave(u"\u0100", "nosuch::x");
  EXPECT_EQ(ReadFile(dir.Path("no/such/dir/a.txt")), "<missing>");
}

TEST_F(TextStreamTest, TextLoadAndSaveWorkOnBanks) {
  Ref<TBank> bank = TBank::Create(0);
  TextSave(u"\u20AC!", bank);
  EXPECT_EQ(bank->Size(), 6);
  EXPECT_EQ(Units(TextLoad(bank)), u"\u20AC!");
}

TEST_F(TextStreamTest, TheConsoleWritesUtf8LinesAndReadsStandardInput) {
  ::testing::internal::CaptureStdout();
  ConsoleWriteLine(u"caf\u00E9");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "caf\xC3\xA9\r\n");

  ScratchDir dir;
  String input = dir.Path("stdin.txt");
  WriteFile(input, "first \xE2\x82\xAC\r\nsecond");
  ASSERT_TRUE(std::freopen(input.ToBytes().c_str(), "rb", stdin));
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Units(ConsoleReadLine("> ")), u"first \u20AC");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "> ");
  EXPECT_EQ(consoleStream->Pos(), -1);
  // Standard input as a file: read whole into a bank, which seeks.
  Ref<TStream> rest = FileOpenRead(Ref<Object>(New<TConsoleStream>()));
  EXPECT_EQ(rest->Size(), 6);
  EXPECT_EQ(rest->ReadLine().ToBytes(), "second");
}

}  // namespace
}  // namespace tarn
