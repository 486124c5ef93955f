#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "stream/byte_order_stream.h"
#include "stream/cstream.h"
#include "stream/stream.h"
#include "stream/tests/test_streams.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::TMemoryStream;
using testing::TStallingStream;
using testing::WriteFile;

std::vector<std::string> AllLines(const Ref<TStream>& stream) {
  std::vector<std::string> lines;
  while (!stream->Eof()) lines.push_back(stream->ReadLine().ToBytes());
  return lines;
}

struct LineCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(StreamLines, ReadLineSplitsAtLfAndNulAndDropsEveryCr) {
  const LineCase cases[] = {
      {"crlf", "a\r\nb", {"a", "b"}},
      {"cr inside a line", "a\rb\n", {"ab"}},
      {"nul", std::string("a\0b", 3), {"a", "b"}},
      {"last line without terminator", "one\ntwo", {"one", "two"}},
      {"empty lines", "\n\r\n", {"", ""}},
      {"3000-byte line", std::string(3000, 'x') + "\nend", {std::string(3000, 'x'), "end"}},
      {"high bytes", "\xE9\xFF\n", {"\xE9\xFF"}},
  };
  ScratchDir dir;
  for (const LineCase& c : cases) {
    WriteFile(dir.Path("lines"), c.bytes);
    Ref<TStream> file = TCStream::OpenPath(dir.Path("lines"), true, false);
    ASSERT_TRUE(file) << c.name;
    EXPECT_EQ(AllLines(file), c.lines) << c.name;
    EXPECT_EQ(file->ReadLine().ToBytes(), "") << c.name << ": at the end";
    file->Close();
  }
}

TEST(StreamLines, HighBytesWidenToOneCodeUnitEach) {
  Ref<TStream> stream = New<TMemoryStream>("\xE9\x80");
  String line = stream->ReadLine();
  ASSERT_EQ(line.Length(), 2);
  EXPECT_EQ(line.At(0), u'\u00E9');
  EXPECT_EQ(line.At(1), u'\u0080');
}

TEST(StreamLines, WriteLineWritesLowBytesAndCrLf) {
  Ref<TMemoryStream> stream = New<TMemoryStream>();
  EXPECT_TRUE(stream->WriteLine(""));
  EXPECT_TRUE(stream->WriteLine(String(u"\u0141b")));
  stream->WriteString(String(u"\u0141z"));
  EXPECT_EQ(stream->bytes, "\r\nAb\r\nAz");
}

TEST(StreamLines, WriteLineReportsAShortWriteWithoutRaising) {
  Ref<TMemoryStream> full = New<TMemoryStream>("", 2);
  EXPECT_FALSE(full->WriteLine("abc"));
  EXPECT_EQ(full->bytes, "ab") << "no terminator after a short text";
  Ref<TMemoryStream> nearlyFull = New<TMemoryStream>("", 4);
  EXPECT_FALSE(nearlyFull->WriteLine("abc"));
  EXPECT_EQ(nearlyFull->bytes, "abc\r");
}

TEST(StreamValues, TypedValuesRoundTripInLittleEndianOrder) {
  Ref<TMemoryStream> stream = New<TMemoryStream>();
  stream->WriteByte(0x1FF);
  stream->WriteShort(0x12345);
  stream->WriteInt(-2);
  stream->WriteLong(0x0102030405060708LL);
  stream->WriteFloat(1.5f);
  stream->WriteDouble(-0.25);
  EXPECT_EQ(stream->bytes.substr(0, 7), std::string("\xFF\x45\x23\xFE\xFF\xFF\xFF", 7));
  EXPECT_EQ(stream->bytes.substr(7, 8), "\x08\x07\x06\x05\x04\x03\x02\x01");
  EXPECT_EQ(stream->bytes.size(), 1u + 2 + 4 + 8 + 4 + 8);
  stream->Seek(0);
  EXPECT_EQ(stream->ReadByte(), 255);
  EXPECT_EQ(stream->ReadShort(), 0x2345);
  EXPECT_EQ(stream->ReadInt(), -2);
  EXPECT_EQ(stream->ReadLong(), 0x0102030405060708LL);
  EXPECT_EQ(stream->ReadFloat(), 1.5f);
  EXPECT_EQ(stream->ReadDouble(), -0.25);
  EXPECT_TRUE(stream->Eof());
}

TEST(StreamValues, UnsignedShortsAndSignedInts) {
  EXPECT_EQ(New<TMemoryStream>("\xFF\xFF")->ReadShort(), 65535);
  EXPECT_EQ(New<TMemoryStream>("\xFF\xFF\xFF\xFF")->ReadInt(), -1);
}

TEST(StreamValues, TypedReadsAtTheEndGiveWhatIsLeftZeroFilled) {
  EXPECT_EQ(New<TMemoryStream>("\x01\x02")->ReadInt(), 0x0201);
  EXPECT_EQ(New<TMemoryStream>("\x05")->ReadLong(), 5);
  EXPECT_EQ(New<TMemoryStream>("")->ReadByte(), 0);
  EXPECT_EQ(New<TMemoryStream>("")->ReadDouble(), 0.0);
  EXPECT_EQ(New<TMemoryStream>("ab")->ReadString(4).ToBytes(), std::string("ab\0\0", 4));
  EXPECT_EQ(New<TMemoryStream>("ab")->ReadString(-1).ToBytes(), "");
}

TEST(StreamValues, BlockOperationsCoverShortReadsAndWrites) {
  Ref<TMemoryStream> source = New<TMemoryStream>("abcdefghij", SIZE_MAX, 3);
  char block[6] = {};
  EXPECT_EQ(source->ReadBytes(block, 5), 5);
  EXPECT_STREQ(block, "abcde");
  EXPECT_EQ(source->SkipBytes(3), 3);
  EXPECT_EQ(source->ReadString(5).ToBytes(), std::string("ij\0\0\0", 5));

  Ref<TMemoryStream> sink = New<TMemoryStream>("", SIZE_MAX, 2);
  EXPECT_EQ(sink->WriteBytes("12345", 5), 5);
  EXPECT_EQ(sink->bytes, "12345");
}

TEST(StreamFailures, RaiseTheirFixedTexts) {
  Ref<TStream> bare = New<TStream>();
  char byte = 0;
  EXPECT_RAISES_TEXT(bare->Read(&byte, 1), "Stream is not readable");
  EXPECT_RAISES_CLASS(bare->Read(&byte, 1), TRuntimeException);
  EXPECT_RAISES_TEXT(bare->Write(&byte, 1), "Stream is not writeable");
  EXPECT_RAISES_TEXT(bare->ReadObject(), "Unable to read object");
  EXPECT_RAISES_TEXT(bare->WriteObject(nullptr), "Unable to write object");
  EXPECT_EQ(bare->Pos(), -1);
  EXPECT_EQ(bare->Seek(3), -1);
  EXPECT_FALSE(bare->Eof());

  EXPECT_RAISES_TEXT(New<TStallingStream>()->ReadInt(), "Error reading from stream");
  EXPECT_RAISES_CLASS(New<TStallingStream>()->SkipBytes(10), TStreamReadException);
  Ref<TMemoryStream> full = New<TMemoryStream>("", 1);
  EXPECT_RAISES_TEXT(full->WriteInt(7), "Error writing to stream");
  EXPECT_RAISES_CLASS(full->WriteInt(7), TStreamWriteException);
}

TEST(StreamWrapper, ForwardsTypedOperationsButNotLongs) {
  // A plain wrapper over a byte-swapping stream: the forwarded int is swapped, the long is
  // the wrapper's own body over the forwarded Read and so is not.
  Ref<TMemoryStream> bytes = New<TMemoryStream>(std::string("\0\0\1\0\0\0\0\0\0\0\0\1", 12));
  Ref<TStreamWrapper> wrapper = New<TStreamWrapper>();
  wrapper->SetStream(TByteOrderStream::Create(bytes));
  EXPECT_EQ(wrapper->ReadInt(), 256);
  EXPECT_EQ(wrapper->ReadLong(), int64_t{1} << 56);
  EXPECT_TRUE(wrapper->Eof());
  EXPECT_EQ(wrapper->Pos(), 12);
  wrapper->Close();
  EXPECT_EQ(bytes->closes, 1) << "closing a wrapper closes the inner stream";
}

TEST(StreamWrapper, WithoutAnInnerStreamRaisesTheNullObjectException) {
  Ref<TStreamWrapper> empty = New<TStreamWrapper>();
  EXPECT_RAISES_CLASS(empty->Eof(), TNullObjectException);
  EXPECT_RAISES_CLASS(empty->ReadLong(), TNullObjectException);
}

TEST(StreamWrapper, StreamStreamCloseOnlyDetaches) {
  Ref<TMemoryStream> inner = New<TMemoryStream>("xy");
  Ref<TStreamStream> outer = TStreamStream::Create(inner);
  EXPECT_EQ(outer->ReadByte(), 'x');
  EXPECT_EQ(outer->Close(), 0);
  EXPECT_TRUE(outer->stream.IsNull());
  EXPECT_EQ(inner->closes, 0);
  EXPECT_EQ(inner->ReadByte(), 'y') << "the wrapped stream stays usable";
}

TEST(StreamCopy, CopyAllAndCopyCount) {
  std::string text(10000, '\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(i * 7);
  Ref<TMemoryStream> to = New<TMemoryStream>();
  StreamCopyAll(New<TMemoryStream>(text, SIZE_MAX, 1000), to, 4096);
  EXPECT_EQ(to->bytes, text);

  Ref<TMemoryStream> part = New<TMemoryStream>();
  StreamCopyCount(New<TMemoryStream>(text), part, 5000, 300);
  EXPECT_EQ(part->bytes, text.substr(0, 5000));
}

TEST(StreamCopy, CopyCountPastTheEndWritesZerosNotStaleBytes) {
  Ref<TMemoryStream> to = New<TMemoryStream>();
  StreamCopyCount(New<TMemoryStream>("abcde"), to, 8, 4);
  EXPECT_EQ(to->bytes, std::string("abcde\0\0\0", 8));
  StreamCopyCount(New<TMemoryStream>("abc"), to, -5, 4);  // nothing, and no endless loop
  EXPECT_EQ(to->bytes.size(), 8u);
}

TEST(StreamCopy, CopyAllRaisesOnAStreamThatStallsInsteadOfSpinning) {
  EXPECT_RAISES_CLASS(StreamCopyAll(New<TStallingStream>(), New<TMemoryStream>(), 4096),
                      TStreamReadException);
  Ref<TMemoryStream> to = New<TMemoryStream>("", 3);
  EXPECT_RAISES_CLASS(StreamCopyAll(New<TMemoryStream>("abcdef"), to, 4096), TStreamWriteException);
}

TEST(StreamFreeFunctions, CallTheOperations) {
  Ref<TStream> stream = New<TMemoryStream>();
  WriteInt(stream, 5);
  WriteShort(stream, 6);
  WriteByte(stream, 7);
  WriteLong(stream, 8);
  WriteFloat(stream, 9.5f);
  WriteDouble(stream, 10.5);
  EXPECT_TRUE(WriteLine(stream, "line"));
  WriteString(stream, "str");
  EXPECT_EQ(Size(stream), 4 + 2 + 1 + 8 + 4 + 8 + 6 + 3);
  EXPECT_EQ(Seek(stream, 0), 0);
  EXPECT_EQ(ReadInt(stream), 5);
  EXPECT_EQ(ReadShort(stream), 6);
  EXPECT_EQ(ReadByte(stream), 7);
  EXPECT_EQ(ReadLong(stream), 8);
  EXPECT_EQ(ReadFloat(stream), 9.5f);
  EXPECT_EQ(ReadDouble(stream), 10.5);
  EXPECT_EQ(ReadLine(stream).ToBytes(), "line");
  EXPECT_EQ(ReadString(stream, 3).ToBytes(), "str");
  EXPECT_TRUE(Eof(stream));
  EXPECT_EQ(Pos(stream), Size(stream));
  EXPECT_EQ(Flush(stream), 0);
  EXPECT_EQ(Close(stream), 0);
  EXPECT_RAISES_CLASS(Eof(Ref<TStream>()), TNullObjectException);
}

// ---- TCStream

TEST(CStream, OpenModesFollowTheFlags) {
  ScratchDir dir;
  String path = dir.Path("file.bin");
  EXPECT_TRUE(TCStream::OpenPath(path, true, false).IsNull()) << "missing file";
  EXPECT_TRUE(TCStream::OpenPath(dir.Path(), true, false).IsNull()) << "a folder";

  Ref<TCStream> out = TCStream::OpenPath(path, false, true);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->mode, 2);
  out->WriteInt(0x64636261);
  EXPECT_EQ(out->Pos(), 4);
  EXPECT_EQ(out->Size(), 4);
  EXPECT_TRUE(out->Eof()) << "writing moves pos and size together";
  out->Close();
  EXPECT_EQ(ReadFile(path), "abcd");

  Ref<TCStream> neither = TCStream::OpenPath(path, false, false);
  ASSERT_TRUE(neither);
  EXPECT_EQ(neither->mode, 1);
  EXPECT_EQ(neither->Size(), 4);
  EXPECT_EQ(neither->Pos(), 0);
  EXPECT_EQ(neither->ReadString(4).ToBytes(), "abcd");
  neither->Close();

  Ref<TCStream> both = TCStream::OpenPath(path, true, true);
  ASSERT_TRUE(both);
  EXPECT_EQ(both->mode, 3);
  EXPECT_EQ(both->Size(), 4) << "r+b keeps the content";
  both->Close();

  EXPECT_EQ(TCStream::OpenPath(path, false, true)->Size(), 0) << "wb truncates";
}

TEST(CStream, BackslashesOpenTheSamePath) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.Path("sub").ToBytes());
  WriteFile(dir.Path("sub/x.txt"), "content");
  String backslashed = dir.Path() + "\\sub\\x.txt";
  Ref<TCStream> stream = TCStream::OpenPath(backslashed, true, false);
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->ReadLine().ToBytes(), "content");
  stream->Close();
}

TEST(CStream, SeekPastTheEndLeavesEofFalseAndAReadRaises) {
  ScratchDir dir;
  WriteFile(dir.Path("f"), "12345678");
  Ref<TCStream> stream = TCStream::OpenPath(dir.Path("f"), true, false);
  EXPECT_EQ(stream->Seek(4), 4);
  EXPECT_EQ(stream->ReadInt(), 0x38373635);
  EXPECT_EQ(stream->Seek(-3), 8) << "a failed seek keeps the old position";
  EXPECT_EQ(stream->Seek(20), 20);
  EXPECT_GT(stream->Pos(), stream->Size());
  EXPECT_FALSE(stream->Eof());
  EXPECT_RAISES_CLASS(stream->ReadInt(), TStreamReadException);
  // A write there is refused (the stream reads only) and moves neither position nor size.
  EXPECT_EQ(stream->Write("x", 1), 0);
  EXPECT_EQ(stream->Pos(), 20);
  EXPECT_EQ(stream->Size(), 8);
  stream->Close();
}

TEST(CStream, ReadingAndWritingTheSameFileInTurn) {
  ScratchDir dir;
  WriteFile(dir.Path("f"), "aaaabbbb");
  Ref<TCStream> stream = TCStream::OpenPath(dir.Path("f"), true, true);
  EXPECT_EQ(stream->ReadString(4).ToBytes(), "aaaa");
  stream->WriteString("XY");  // right after a read, without a seek in between
  EXPECT_EQ(stream->ReadString(2).ToBytes(), "bb");
  stream->WriteString("0123");  // grows the file
  EXPECT_EQ(stream->Size(), 12);
  stream->Close();
  EXPECT_EQ(ReadFile(dir.Path("f")), "aaaaXYbb0123");
}

TEST(CStream, CloseIsFinalAndASecondCloseDoesNothing) {
  ScratchDir dir;
  WriteFile(dir.Path("f"), "data");
  Ref<TCStream> stream = TCStream::OpenPath(dir.Path("f"), true, false);
  EXPECT_EQ(stream->Close(), 0);
  EXPECT_EQ(stream->Close(), 0);
  EXPECT_EQ(stream->mode, 1);
  EXPECT_TRUE(stream->cstream == nullptr);
  EXPECT_TRUE(stream->Eof());
  char buffer[4];
  EXPECT_EQ(stream->Read(buffer, 4), 0);
  EXPECT_EQ(stream->Write(buffer, 4), 0);
  EXPECT_EQ(stream->Seek(2), 0);
  EXPECT_EQ(stream->ReadLine().ToBytes(), "");
  EXPECT_RAISES_CLASS(stream->WriteInt(1), TStreamWriteException);
}

TEST(CStream, ReleasingAnOpenedStreamClosesItsFile) {
  ScratchDir dir;
  String path = dir.Path("f");
  {
    Ref<TCStream> stream = TCStream::OpenPath(path, false, true);
    stream->WriteString("kept");
  }  // released without Close: the buffered bytes must still reach the file
  EXPECT_EQ(ReadFile(path), "kept");
}

TEST(CStream, CreateWithCStreamStartsAtTheFilesOffsetAndLeavesTheFileToItsOwner) {
  ScratchDir dir;
  WriteFile(dir.Path("f"), "0123456789");
  std::FILE* file = std::fopen(dir.Path("f").ToBytes().c_str(), "rb");
  std::fseek(file, 3, SEEK_SET);
  {
    Ref<TCStream> stream = TCStream::CreateWithCStream(file, 1);
    EXPECT_EQ(stream->Pos(), 3);
    EXPECT_EQ(stream->Size(), 10);
    EXPECT_EQ(stream->ReadByte(), '3');
  }
  EXPECT_EQ(std::fgetc(file), '4') << "the FILE is still open";
  std::fclose(file);
}

}  // namespace
}  // namespace tarn
