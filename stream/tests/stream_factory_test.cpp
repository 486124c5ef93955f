#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stream/streams.h"
#include "stream/tests/test_streams.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::TMemoryStream;
using testing::TStallingStream;
using testing::WriteFile;

// Records what the registry hands it, and answers the protocols it is told to with an
// empty memory stream.
class TProbeFactory : public TStreamFactory {
 public:
  explicit TProbeFactory(String accepts) : accepts(std::move(accepts)) {}
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& proto, const String& path,
                            bool readable, bool writeable) override {
    ++calls;
    seenUrl = url;
    seenProto = proto;
    seenPath = path;
    seenFlags = (readable ? 1 : 0) | (writeable ? 2 : 0);
    if (accepts.IsEmpty() || proto != accepts) return nullptr;
    answer = New<TMemoryStream>();
    return answer;
  }
  String accepts;
  int calls = 0;
  Ref<Object> seenUrl;
  String seenProto, seenPath;
  int seenFlags = 0;
  Ref<TMemoryStream> answer;
};

// The registry is process-wide: one probe, registered once, after the module's own factories.
TProbeFactory& Probe() {
  static TProbeFactory* probe = [] {
    InitStreams();
    Ref<TProbeFactory> made = New<TProbeFactory>("probe");
    made->Retain();  // the registry holds it anyway; keep the raw pointer valid for good
    return made.Get();
  }();
  probe->calls = 0;
  return *probe;
}

TEST(StreamOpen, ProtocolIsCaseFoldedAndThePathKeepsItsCase) {
  TProbeFactory& probe = Probe();
  for (const char* url : {"PROBE::Notes.TXT", "probe::Notes.TXT", "Probe::Notes.TXT"}) {
    Ref<TStream> stream = StreamOpen(url, true, true);
    EXPECT_TRUE(stream == probe.answer) << url;
    EXPECT_EQ(probe.seenProto.ToBytes(), "probe") << url;
    EXPECT_EQ(probe.seenPath.ToBytes(), "Notes.TXT") << url;
    EXPECT_EQ(probe.seenFlags, 3);
  }
  StreamOpenWrite("probe::a::b");
  EXPECT_EQ(probe.seenPath.ToBytes(), "a::b") << "split at the first ::";
  EXPECT_EQ(probe.seenFlags, 2);
  StreamOpenRead("probe::x");
  EXPECT_EQ(probe.seenFlags, 1);
}

TEST(StreamOpen, UrlsThatNoFactoryAcceptsGiveTheNullObject) {
  struct Case {
    const char* url;
    const char* proto;
    const char* path;
  };
  const Case cases[] = {
      {"foo::bar", "foo", "bar"},
      {"::bar", "", "bar"},
      {"", "", ""},
      {"Foo::", "foo", ""},
  };
  TProbeFactory& probe = Probe();
  for (const Case& c : cases) {
    probe.calls = 0;
    EXPECT_TRUE(StreamOpenRead(c.url).IsNull()) << c.url;
    EXPECT_EQ(probe.calls, 1) << c.url << ": the registry is asked";
    EXPECT_EQ(probe.seenProto.ToBytes(), c.proto) << c.url;
    EXPECT_EQ(probe.seenPath.ToBytes(), c.path) << c.url;
  }
}

TEST(StreamOpen, PlainPathsOpenFilesWithoutAskingTheRegistry) {
  ScratchDir dir;
  WriteFile(dir.Path("notes.txt"), "plain");
  std::filesystem::create_directory(dir.Path("dir").ToBytes());
  WriteFile(dir.Path("dir/notes.txt"), "nested");
  TProbeFactory& probe = Probe();
  const String existing[] = {dir.Path("notes.txt"), dir.Path() + "/dir/notes.txt",
                             dir.Path() + "\\dir\\notes.txt"};
  for (const String& url : existing) {
    Ref<TStream> stream = StreamOpenRead(url);
    ASSERT_TRUE(Is<TCStream>(stream)) << url.ToBytes();
    EXPECT_FALSE(stream->ReadLine().IsEmpty());
    stream->Close();
  }
  for (const char* url : {"notes.txt", "dir/notes.txt", "C:/dir/notes.txt", "C:\\dir\\x.txt"}) {
    EXPECT_TRUE(StreamOpenRead(url).IsNull()) << url << " is missing here";
  }
  EXPECT_EQ(probe.calls, 0);
}

TEST(StreamOpen, WrapperProtocolsNestAtMostSixtyFourDeep) {
  InitStreams();
  ScratchDir dir;
  WriteFile(dir.Path("f"), "data");
  auto wrapped = [&](int depth) {
    std::string url;
    for (int i = 0; i < depth; ++i) url += "littleendian::";
    return StreamOpenRead(String((url + dir.Path("f").ToBytes()).c_str()));
  };
  Ref<TStream> deepest = wrapped(64);
  ASSERT_FALSE(deepest.IsNull());
  EXPECT_EQ(deepest->ReadString(4).ToBytes(), "data");
  deepest->Close();
  EXPECT_TRUE(wrapped(65).IsNull());
  EXPECT_TRUE(wrapped(8000).IsNull()) << "no recursion without end";
  Ref<TStream> again = wrapped(1);  // the count of levels came back down
  ASSERT_FALSE(again.IsNull());
  again->Close();
}

// A factory whose own constructor raises after the base one has linked it in.
class TFailingFactory : public TStreamFactory {
 public:
  TFailingFactory() { Raise(String("no factory")); }
};

TEST(StreamOpen, AFactoryWhoseConstructorRaisesLeavesTheRegistry) {
  TProbeFactory& probe = Probe();
  Ref<TStreamFactory> head = StreamFactories();
  EXPECT_RAISES_TEXT(New<TFailingFactory>(), "no factory");
  EXPECT_TRUE(StreamFactories() == head);
  EXPECT_TRUE(StreamOpenRead("foo::bar").IsNull());  // walks the whole registry
  EXPECT_EQ(probe.calls, 1);
}

TEST(StreamOpen, TheNewestFactoryForAProtocolWins) {
  InitStreams();
  Ref<TProbeFactory> older = New<TProbeFactory>("twice");
  Ref<TProbeFactory> newer = New<TProbeFactory>("twice");
  EXPECT_TRUE(StreamOpenRead("twice::x") == newer->answer);
  EXPECT_EQ(older->calls, 0);
  EXPECT_TRUE(StreamFactories() == newer);
  EXPECT_TRUE(newer->next == older);
}

TEST(StreamOpen, AStreamObjectIsWrappedAndOtherObjectsAreOfferedToTheRegistry) {
  TProbeFactory& probe = Probe();
  Ref<TMemoryStream> inner = New<TMemoryStream>("ab");
  Ref<TStream> opened = StreamOpen(inner, false, false);
  ASSERT_TRUE(Is<TStreamStream>(opened));
  EXPECT_FALSE(opened == inner);
  EXPECT_EQ(opened->ReadByte(), 'a');
  opened->Close();
  EXPECT_EQ(inner->closes, 0);
  EXPECT_EQ(inner->ReadByte(), 'b');
  EXPECT_EQ(probe.calls, 0);

  Ref<Object> other = New<TRuntimeException>("not a url");
  EXPECT_TRUE(StreamOpenRead(other).IsNull());
  EXPECT_EQ(probe.calls, 1);
  EXPECT_TRUE(probe.seenUrl == other);
  EXPECT_EQ(probe.seenProto.ToBytes(), "");
}

// ---- byte order

TEST(ByteOrder, LittleEndianIsTheFileItselfAndBigEndianSwaps) {
  InitStreams();
  ScratchDir dir;
  WriteFile(dir.Path("a.wav"), std::string("\0\0\1\0", 4));
  Ref<TStream> little = StreamOpenRead("littleendian::" + dir.Path("a.wav"));
  EXPECT_TRUE(Is<TCStream>(little));
  EXPECT_EQ(little->ReadInt(), 0x00010000);
  little->Close();

  Ref<TStream> big = StreamOpenRead("BigEndian::" + dir.Path("a.wav"));
  ASSERT_TRUE(Is<TByteOrderStream>(big));
  EXPECT_EQ(big->ReadInt(), 256);
  big->Close();

  EXPECT_TRUE(StreamOpenRead("bigendian::" + dir.Path("missing.wav")).IsNull());
  EXPECT_TRUE(StreamOpenRead("littleendian::" + dir.Path("missing.wav")).IsNull());
}

TEST(ByteOrder, TypedValuesRoundTripInBigEndianOrder) {
  Ref<TMemoryStream> bytes = New<TMemoryStream>();
  Ref<TStream> big = WrapBigEndian(bytes);
  big->WriteShort(0x10203);
  big->WriteInt(0x01020304);
  big->WriteLong(0x0102030405060708LL);
  big->WriteFloat(1.0f);
  big->WriteDouble(2.0);
  big->WriteByte(0xAB);
  big->WriteLine("ok");
  EXPECT_EQ(bytes->bytes, std::string("\x02\x03"
                                      "\x01\x02\x03\x04"
                                      "\x01\x02\x03\x04\x05\x06\x07\x08"
                                      "\x3F\x80\x00\x00"
                                      "\x40\x00\x00\x00\x00\x00\x00\x00"
                                      "\xAB"
                                      "ok\r\n",
                                      2 + 4 + 8 + 4 + 8 + 1 + 4));
  big->Seek(0);
  EXPECT_EQ(big->ReadShort(), 0x0203);
  EXPECT_EQ(big->ReadInt(), 0x01020304);
  EXPECT_EQ(big->ReadLong(), 0x0102030405060708LL);
  EXPECT_EQ(big->ReadFloat(), 1.0f);
  EXPECT_EQ(big->ReadDouble(), 2.0);
  EXPECT_EQ(big->ReadByte(), 0xAB);
  EXPECT_EQ(big->ReadLine().ToBytes(), "ok");
  EXPECT_EQ(TByteOrderStream::Create(New<TMemoryStream>("\xFF\xFE"))->ReadShort(), 0xFFFE);
}

TEST(ByteOrder, StaticsAndWrappers) {
  uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  TByteOrderStream::Swap2(bytes);
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[1], 1);
  TByteOrderStream::Swap4(bytes);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{4, 3, 1, 2}));
  TByteOrderStream::Swap8(bytes);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), (std::vector<uint8_t>{8, 7, 6, 5, 2, 1, 3, 4}));

  EXPECT_TRUE(TByteOrderStream::Create(nullptr).IsNull());
  EXPECT_TRUE(WrapBigEndian(nullptr).IsNull());
  Ref<TStream> plain = New<TMemoryStream>();
  EXPECT_TRUE(WrapLittleEndian(plain) == plain);
  EXPECT_TRUE(Cast<TByteOrderStream>(WrapBigEndian(plain))->stream == plain);
}

// ---- file openers

TEST(FileOpen, ReadGivesTheFileOrTheNullObjectAndWriteTruncates) {
  ScratchDir dir;
  String path = dir.Path("options.cfg");
  EXPECT_TRUE(FileOpenRead(path).IsNull());
  WriteFile(path, "previous content");
  Ref<TStream> in = FileOpenRead(path);
  ASSERT_TRUE(Is<TCStream>(in));
  EXPECT_EQ(Cast<TCStream>(in)->mode, 1);
  EXPECT_EQ(in->Size(), 16);
  FileClose(in);
  EXPECT_TRUE(Cast<TCStream>(in)->cstream == nullptr);

  Ref<TStream> out = FileOpenWrite(path);
  ASSERT_TRUE(out);
  EXPECT_EQ(Cast<TCStream>(out)->mode, 2);
  EXPECT_TRUE(out->WriteLine("new"));
  FileClose(out);
  EXPECT_EQ(ReadFile(path), "new\r\n");

  Ref<TStream> both = FileOpen(path, true, true);
  EXPECT_EQ(Cast<TCStream>(both)->mode, 3);
  FileClose(both);
  FileClose(nullptr);  // harmless
  EXPECT_TRUE(FileOpenWrite(dir.Path("no/such/folder/x")).IsNull());
}

// ---- whole-URL load and save

TEST(UrlLoadSave, BytesAndStringsRoundTripThroughFiles) {
  ScratchDir dir;
  std::string content(1500, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i % 251);
  WriteFile(dir.Path("big.bin"), content);
  std::vector<uint8_t> loaded = UrlLoadBytes(dir.Path("big.bin"));
  EXPECT_EQ(std::string(loaded.begin(), loaded.end()), content);

  for (size_t size : {0, 1, 1024, 1536, 5000}) {
    std::vector<uint8_t> bytes(size, 0x5A);
    UrlSaveBytes(bytes, dir.Path("sized"));
    EXPECT_EQ(UrlLoadBytes(dir.Path("sized")), bytes) << size;
  }

  UrlSaveString(String(u"A\u00E9\u0141"), dir.Path("text"));
  EXPECT_EQ(ReadFile(dir.Path("text")),
            "A\xE9"
            "A");
  String text = UrlLoadString(dir.Path("text"));
  EXPECT_EQ(text.Units(), std::u16string(u"A\u00E9A"));
}

TEST(UrlLoadSave, AUrlThatCannotBeOpenedLoadsEmptyAndSavesNothing) {
  ScratchDir dir;
  String missing = dir.Path("missing");
  EXPECT_TRUE(UrlLoadBytes(missing).empty());
  EXPECT_TRUE(UrlLoadString("foo::bar").IsEmpty());
  EXPECT_TRUE(UrlLoadObject(missing).IsNull());
  UrlSaveBytes({1, 2, 3}, "foo::bar");
  UrlSaveString("text", dir.Path("no/such/folder/x"));
  UrlSaveObject(New<TRuntimeException>("x"), "foo::bar");
  EXPECT_EQ(ReadFile(missing), "<missing>");
}

TEST(UrlLoadSave, LoadingStopsAtAStreamThatDeliversNothing) {
  EXPECT_TRUE(UrlLoadBytes(New<TStallingStream>()).empty());
  Ref<TMemoryStream> trickle = New<TMemoryStream>(std::string(3000, 'q'), SIZE_MAX, 7);
  EXPECT_EQ(UrlLoadBytes(trickle).size(), 3000u);
  EXPECT_EQ(trickle->closes, 0) << "a loaded stream object is only detached";
}

TEST(UrlLoadSave, ObjectsNeedADataStream) {
  ScratchDir dir;
  WriteFile(dir.Path("f"), "x");
  EXPECT_RAISES_TEXT(UrlLoadObject(dir.Path("f")), "Unable to read object");
  EXPECT_RAISES_TEXT(UrlSaveObject(nullptr, dir.Path("g")), "Unable to write object");
}

}  // namespace
}  // namespace tarn
