#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stream/streams.h"
#include "stream/tests/test_banks.h"
#include "stream/tests/test_streams.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

using testing::BankBytes;
using testing::BankOf;
using testing::ReadFile;
using testing::ScratchDir;
using testing::TMemoryStream;

const std::string kListLine = "KLN.LinkedList.TList\r\n";
const std::string kBankLine = "KLN.Bank.TBank\r\n";

std::string Int(int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

std::vector<Ref<Object>> Elements(const Ref<Object>& object) {
  Ref<TList> list = Cast<TList>(object);
  if (!list) return {};
  return std::vector<Ref<Object>>(list->begin(), list->end());
}

class DataStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { InitStreams(); }

  // What a fresh data stream writes for object.
  std::string Written(const Ref<Object>& object) {
    Ref<TMemoryStream> memory = New<TMemoryStream>();
    TDataStream::Create(memory)->WriteObject(object);
    return memory->bytes;
  }
  // A data stream reading bytes from a bank stream, the way files are read.
  Ref<TDataStream> Reader(const std::string& bytes) {
    return TDataStream::Create(BankStreamNew(BankOf(bytes)));
  }
};

TEST_F(DataStreamTest, AListHoldingOneBankTwiceWritesTheBankOnceAndABackReference) {
  Ref<TBank> bank = BankOf("xyz");
  Ref<TList> list = New<TList>();
  list->AddLast(bank);
  list->AddLast(bank);
  std::string expected =
      "\x01" + kListLine + Int(2) + "\x02" + kBankLine + Int(3) + "xyz" + "\xFF" + Int(2);
  std::string written = Written(list);
  EXPECT_EQ(written, expected);

  std::vector<Ref<Object>> back = Elements(Reader(written)->ReadObject());
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(BankBytes(back[0]), "xyz");
  EXPECT_TRUE(back[0] == back[1]);
  EXPECT_EQ(Cast<TBank>(back[0])->Capacity(), 3);
}

TEST_F(DataStreamTest, ATypeNameIsWrittenOncePerStreamAndStringsTravelAsNull) {
  Ref<TList> list = New<TList>();
  list->AddLast(BankOf("a"));
  list->AddLast(BankOf("b"));
  list->AddLast(String("text"));
  list->AddLast(nullptr);
  std::string expected = "\x01" + kListLine + Int(4) + "\x02" + kBankLine + Int(1) + "a" + "\x02" +
                         Int(1) + "b" + std::string(2, '\0');
  EXPECT_EQ(Written(list), expected);
  EXPECT_EQ(Written(String("text")), std::string(1, '\0'));
  EXPECT_FALSE(Reader(std::string(1, '\0'))->ReadObject());
}

TEST_F(DataStreamTest, AListContainingItselfReadsBackWithANullElement) {
  Ref<TList> list = New<TList>();
  list->AddLast(list);
  std::string written = Written(list);
  EXPECT_EQ(written, "\x01" + kListLine + Int(1) + "\xFF" + Int(1));
  list->Clear();  // break the cycle so the list is freed

  std::vector<Ref<Object>> back = Elements(Reader(written)->ReadObject());
  ASSERT_EQ(back.size(), 1u);
  EXPECT_FALSE(back[0]);
}

TEST_F(DataStreamTest, ThreeHundredObjectsGrowTheReadTableWithoutLoss) {
  Ref<TList> list = New<TList>();
  std::vector<Ref<TBank>> banks;
  for (int i = 0; i < 300; ++i) banks.push_back(BankOf(std::to_string(i)));
  for (int round = 0; round < 2; ++round) {
    for (const Ref<TBank>& bank : banks) list->AddLast(bank);
  }
  Ref<TDataStream> reader = Reader(Written(list));
  std::vector<Ref<Object>> back = Elements(reader->ReadObject());
  EXPECT_EQ(reader->objectCount, 301);
  EXPECT_EQ(reader->readObjects.size(), 512u);
  ASSERT_EQ(back.size(), 600u);
  for (size_t i = 0; i < 300; ++i) {
    EXPECT_EQ(BankBytes(back[i]), std::to_string(i));
    EXPECT_TRUE(back[i] == back[i + 300]) << i;
  }
}

TEST_F(DataStreamTest, TheDataProtocolRoundTripsOverFilesAndTextStreams) {
  ScratchDir dir;
  Ref<TList> list = New<TList>();
  list->AddLast(BankOf(std::string("\x00\xFF\x10", 3)));
  list->AddLast(New<TList>());
  for (const char* proto : {"data::", "data::utf16le::", "DATA::latin1::"}) {
    String url = String(proto) + dir.Path("graph.dat");
    UrlSaveObject(list, url);
    std::vector<Ref<Object>> back = Elements(UrlLoadObject(url));
    ASSERT_EQ(back.size(), 2u) << proto;
    EXPECT_EQ(BankBytes(back[0]), std::string("\x00\xFF\x10", 3)) << proto;
    EXPECT_TRUE(Is<TList>(back[1])) << proto;
  }
  // Over a text stream the numbers are lines and the bank's bytes a hexadecimal line.
  EXPECT_EQ(ReadFile(dir.Path("graph.dat")),
            "1\r\n" + kListLine + "2\r\n2\r\n" + kBankLine + "3\r\n00FF10\r\n1\r\n0\r\n");
  EXPECT_FALSE(UrlLoadObject(String("data::") + dir.Path("missing.dat")));
}

TEST_F(DataStreamTest, ItsThreeRaisedStrings) {
  ScratchDir dir;
  String path = dir.Path("never.dat");
  EXPECT_RAISES_TEXT(StreamOpen(String("data::") + path, true, true),
                     "DataStreams can not be both readable and writeable");
  EXPECT_EQ(ReadFile(path), "<missing>");  // refused before anything was opened

  EXPECT_RAISES_TEXT(Reader("\x07"
                            "Martian.Type\r\n")
                         ->ReadObject(),
                     "Unrecognized DataType: Martian.Type");
  EXPECT_RAISES_TEXT(Reader("\x07")->ReadObject(), "Unrecognized DataType: ");

  // The 255th distinct type written to one stream; ids 1..254 are usable.
  class TProbeType : public TDataType {
   public:
    explicit TProbeType(String name) : name(std::move(name)) {}
    String Name() const override { return name; }
    Ref<Object> ReadObject(TDataStream&) override { return nullptr; }
    void WriteObject(const Ref<Object>&, TDataStream&) override {}
    String name;
  };
  class TProbeObject : public TDataObject {
   public:
    Ref<TDataType> DataType() override { return type; }
    Ref<TDataType> type;
  };
  Ref<TDataStream> writer = TDataStream::Create(New<TMemoryStream>());
  for (int i = 1; i <= 256; ++i) {
    Ref<TProbeObject> object = New<TProbeObject>();
    object->type = New<TProbeType>(String(("Probe." + std::to_string(i)).c_str()));
    if (i < 255) {
      writer->WriteObject(object);
    } else {
      EXPECT_RAISES_TEXT(writer->WriteObject(object), "Too many DataTypes");
    }
  }
  EXPECT_EQ(writer->typeCount, 254);
}

TEST_F(DataStreamTest, MalformedInputIsRefusedInsteadOfTrusted) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* raised;  // nullptr: reads as the null object
  };
  std::string list = "\x01" + kListLine;
  std::string bank = "\x01" + kBankLine;
  std::string deep = list + Int(1);
  for (int i = 0; i < 1200; ++i) deep += "\x01" + Int(1);
  for (const Case& c : {
           Case{"reference 0", "\xFF" + Int(0), nullptr},
           Case{"reference never given", "\xFF" + Int(5), nullptr},
           Case{"negative reference", "\xFF" + Int(-1), nullptr},
           Case{"cut reference", "\xFF\x01", nullptr},
           Case{"negative list count", list + Int(-1), "Corrupt data stream"},
           Case{"list count beyond the data", list + Int(1000000) + "\0\0", "Corrupt data stream"},
           Case{"negative bank size", bank + Int(-5), "Corrupt data stream"},
           Case{"bank size beyond the data", bank + Int(0x7FFFFFFF) + "ab", "Corrupt data stream"},
           Case{"nesting too deep", deep, "Data stream nested too deeply"},
       }) {
    SCOPED_TRACE(c.what);
    if (c.raised) {
      EXPECT_RAISES_TEXT(Reader(c.bytes)->ReadObject(), c.raised);
    } else {
      EXPECT_FALSE(Reader(c.bytes)->ReadObject());
    }
  }
}

TEST_F(DataStreamTest, OverATextStreamATypeIdOutsideAByteIsRefused) {
  for (const char* line : {"300\r\n", "-1\r\n"}) {
    SCOPED_TRACE(line);
    Ref<TStream> text = TEncodedTextStream::Create(New<TMemoryStream>(line), ENCODING_LATIN1);
    EXPECT_RAISES_TEXT(TDataStream::Create(text)->ReadObject(), "Corrupt data stream");
  }
}

// A stream that cannot tell its size: counts are bounded by what it delivers.
class TUnsizedStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int32_t Pos() override { return -1; }
  bool Eof() override { return TMemoryStream::Pos() == TMemoryStream::Size(); }
};

TEST_F(DataStreamTest, SizesThatLieAreRefusedOnStreamsThatCannotTellTheirSize) {
  std::string bank = "\x01" + kBankLine;
  std::string list = "\x01" + kListLine;
  for (const std::string& bytes :
       {bank + Int(0x7FFFFFFF) + "ab", list + Int(0x7FFFFFFF) + std::string(3, '\0')}) {
    Ref<TDataStream> reader = TDataStream::Create(New<TUnsizedStream>(bytes));
    EXPECT_RAISES_TEXT(reader->ReadObject(), "Corrupt data stream");
  }
  Ref<TDataStream> reader = TDataStream::Create(New<TUnsizedStream>(bank + Int(3) + "abc"));
  EXPECT_EQ(BankBytes(reader->ReadObject()), "abc");
}

TEST_F(DataStreamTest, WritingAGraphNestedTooDeeplyIsRefused) {
  Ref<TList> outer = New<TList>();
  Ref<TList> inner = outer;
  for (int i = 0; i < TDataStream::kMaxDepth; ++i) {
    Ref<TList> next = New<TList>();
    inner->AddLast(next);
    inner = next;
  }
  EXPECT_RAISES_TEXT(Written(outer), "Data stream nested too deeply");
  // Release the chain one link at a time; dropping it whole would recurse as deep.
  while (Ref<TList> next = Cast<TList>(outer->RemoveFirst())) outer = next;
}

TEST_F(DataStreamTest, AStreamCutBetweenObjectsReadsAsNullObjects) {
  Ref<TDataStream> reader = Reader(Written(BankOf("k")));
  EXPECT_EQ(BankBytes(reader->ReadObject()), "k");
  EXPECT_FALSE(reader->ReadObject());
  EXPECT_RAISES_TEXT(New<TMemoryStream>()->ReadObject(), "Unable to read object");
}

}  // namespace
}  // namespace tarn
