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
using testing::ScratchDir;
using testing::TMemoryStream;
using testing::WriteFile;

class BankTest : public ::testing::Test {
 protected:
  void SetUp() override { InitStreams(); }
};

TEST_F(BankTest, GrowsByHalfAgainOrToTheSizeAskedForAndNeverShrinksItsMemory) {
  Ref<TBank> bank = TBank::Create(10);
  struct Step {
    int32_t resize, size, capacity;
  };
  for (Step step : {Step{11, 11, 15}, Step{100, 100, 100}, Step{5, 5, 100}}) {
    bank->Resize(step.resize);
    EXPECT_EQ(bank->Size(), step.size) << step.resize;
    EXPECT_EQ(bank->Capacity(), step.capacity) << step.resize;
  }

  Ref<TBank> empty = TBank::Create(0);
  EXPECT_EQ(empty->Capacity(), 0);
  empty->Resize(1);
  EXPECT_EQ(empty->Capacity(), 1);
}

TEST_F(BankTest, GrowingKeepsTheContentAndTheMemoryIsSixteenByteAligned) {
  Ref<TBank> bank = BankOf("abcdefghij");
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bank->Buf()) % 16, 0u);
  bank->Resize(1000);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bank->Buf()) % 16, 0u);
  EXPECT_EQ(BankBytes(bank).substr(0, 10), "abcdefghij");
}

TEST_F(BankTest, PeekAndPokeAreLittleEndianAndNeedNoAlignment) {
  Ref<TBank> bank = TBank::Create(16);
  bank->SetIntAt(0, 258);
  EXPECT_EQ(bank->GetByteAt(0), 2);
  EXPECT_EQ(bank->GetByteAt(1), 1);

  bank->SetShortAt(3, 0xFFFF);
  EXPECT_EQ(bank->GetShortAt(3), 65535);
  bank->SetIntAt(5, -7);
  EXPECT_EQ(bank->GetIntAt(5), -7);
  bank->SetLongAt(1, -1234567890123LL);
  EXPECT_EQ(bank->GetLongAt(1), -1234567890123LL);
  bank->SetFloatAt(7, 1.5f);
  EXPECT_EQ(bank->GetFloatAt(7), 1.5f);
  bank->SetDoubleAt(8, -0.25);
  EXPECT_EQ(bank->GetDoubleAt(8), -0.25);
  SetByteAt(bank, 15, 0x1FF);  // low 8 bits
  EXPECT_EQ(GetByteAt(bank, 15), 0xFF);
}

TEST_F(BankTest, AWrappedBankThatGrowsMovesIntoItsOwnMemoryAndLeavesTheCallersAlone) {
  char callers[8] = "wrapped";
  {
    Ref<TBank> bank = TBank::WrapMemory(callers, 7);
    EXPECT_EQ(bank->Capacity(), -1);
    bank->Resize(3);  // shrinking stays in the caller's memory
    EXPECT_EQ(bank->Buf(), reinterpret_cast<uint8_t*>(callers));
    bank->SetByteAt(0, 'W');
    bank->Resize(20);  // under ASan, freeing the caller's stack memory would stop the test
    EXPECT_NE(bank->Buf(), reinterpret_cast<uint8_t*>(callers));
    EXPECT_EQ(bank->Capacity(), 20);
    EXPECT_EQ(BankBytes(bank).substr(0, 3), "Wra");
    bank->SetByteAt(1, 'X');
  }  // the owned copy is freed here, the caller's memory never
  EXPECT_STREQ(callers, "Wrapped");
}

TEST_F(BankTest, CopyMovesBytesBetweenBanks) {
  Ref<TBank> src = BankOf("0123456789");
  Ref<TBank> dst = BankOf("..........");
  BankCopy(src, 2, dst, 5, 4);
  EXPECT_EQ(BankBytes(dst), ".....2345.");
  BankCopy(src, 0, dst, 0, 0);
  EXPECT_EQ(BankBytes(dst), ".....2345.");
}

TEST_F(BankTest, BankStreamSeeksClampedReadsWhatIsLeftAndAppends) {
  Ref<TBank> bank = BankOf("abcd");
  Ref<TMemoryBankStream> stream = BankStreamNew(bank);
  EXPECT_EQ(stream->Seek(10), 4);
  EXPECT_TRUE(stream->Eof());
  EXPECT_EQ(stream->Seek(-3), 0);

  char buf[10] = {};
  stream->Seek(2);
  EXPECT_EQ(stream->Read(buf, 10), 2);
  EXPECT_EQ(std::string(buf, 2), "cd");
  EXPECT_EQ(stream->Read(buf, 10), 0);
  EXPECT_EQ(stream->Read(buf, 0), 0);

  EXPECT_EQ(stream->Write("xyz", 3), 3);  // at position 4: appends
  EXPECT_EQ(bank->Size(), 7);
  EXPECT_EQ(BankBytes(bank), "abcdxyz");
  stream->Seek(1);
  stream->WriteBytes("B", 1);
  EXPECT_EQ(BankBytes(bank), "aBcdxyz");
  EXPECT_EQ(stream->Close(), 0);  // closing leaves bank and stream usable
  EXPECT_EQ(stream->ReadByte(), 'c');
}

TEST_F(BankTest, AStreamBeyondItsShrunkenBankNeitherReadsNorWrites) {
  Ref<TBank> bank = BankOf("abcdef");
  Ref<TMemoryBankStream> stream = BankStreamNew(bank);
  stream->Seek(5);
  bank->Resize(2);
  char b = 0;
  EXPECT_EQ(stream->Read(&b, 1), 0);
  EXPECT_EQ(stream->Write("x", 1), 0);
  EXPECT_RAISES_CLASS(stream->WriteBytes("x", 1), TStreamWriteException);
}

TEST_F(BankTest, BankStreamOfTheNullObjectIsAFreshEmptyBank) {
  Ref<TMemoryBankStream> stream = BankStreamNew(nullptr);
  EXPECT_EQ(stream->Size(), 0);
  EXPECT_TRUE(stream->Eof());
  stream->WriteInt(0x01020304);
  EXPECT_EQ(stream->Size(), 4);
  EXPECT_EQ(stream->bank->GetByteAt(0), 4);
}

TEST_F(BankTest, ABankOpensAsABankStreamWhateverTheFlags) {
  Ref<TBank> bank = BankOf("hello");
  for (bool readable : {false, true}) {
    for (bool writeable : {false, true}) {
      Ref<TMemoryBankStream> stream =
          Cast<TMemoryBankStream>(StreamOpen(bank, readable, writeable));
      ASSERT_TRUE(stream);
      EXPECT_EQ(stream->Pos(), 0);
      EXPECT_TRUE(stream->bank == bank);
    }
  }
  EXPECT_FALSE(StreamOpen(Ref<Object>(New<TList>()), true, false));
}

TEST_F(BankTest, SaveAndLoadGoThroughUrls) {
  ScratchDir dir;
  EXPECT_FALSE(TBank::Load(dir.Path("missing.bin")));
  EXPECT_FALSE(BankLoad(String("nosuch::x")));

  Ref<TBank> bank = BankOf(std::string("a\0b\xff", 4));
  EXPECT_TRUE(BankSave(bank, dir.Path("bank.bin")));
  EXPECT_FALSE(bank->Save(dir.Path("no/such/folder/bank.bin")));
  Ref<TBank> loaded = BankLoad(dir.Path("bank.bin"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(BankBytes(loaded), BankBytes(bank));
  EXPECT_EQ(loaded->Capacity(), 4);

  // A stream object is read through a wrapper and stays open.
  Ref<TMemoryStream> memory = New<TMemoryStream>("stream bytes");
  EXPECT_EQ(BankBytes(TBank::Load(memory)), "stream bytes");
  EXPECT_EQ(memory->closes, 0);
}

TEST_F(BankTest, BankReadsAndWritesStreamsWithOnePrimitiveCall) {
  Ref<TBank> bank = BankOf("--------");
  Ref<TMemoryStream> from = New<TMemoryStream>("abcdef", SIZE_MAX, 4);
  EXPECT_EQ(BankReadFrom(bank, from, 2, 6), 4);  // the stream moves 4 at a time
  EXPECT_EQ(BankBytes(bank), "--abcd--");
  Ref<TMemoryStream> to = New<TMemoryStream>();
  EXPECT_EQ(BankWriteTo(bank, to, 1, 3), 3);
  EXPECT_EQ(to->bytes, "-ab");
}

TEST_F(BankTest, LockCountsAndReturnsTheMemory) {
  Ref<TBank> bank = TBank::Create(4);
  EXPECT_EQ(BankLock(bank), BankPointer(bank));
  EXPECT_EQ(bank->lockCount, 1);
  BankUnlock(bank);
  EXPECT_EQ(bank->lockCount, 0);
  EXPECT_EQ(BankByteSize(bank), 4);
  EXPECT_EQ(BankCapacityOf(bank), 4);
}

// An unseekable stream: Pos -1, Eof never true, bytes delivered a few at a time.
class TPipeLikeStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int32_t Pos() override { return -1; }
  bool Eof() override { return false; }
};

TEST_F(BankTest, FileOpenReadsAnUnseekableStreamIntoABankThatSeeks) {
  std::string content(5000, 'p');
  content[4999] = 'z';
  Ref<TPipeLikeStream> pipe = New<TPipeLikeStream>(content, SIZE_MAX, 7);
  Ref<TStream> stream = FileOpenRead(pipe);
  ASSERT_TRUE(Is<TMemoryBankStream>(stream));
  EXPECT_EQ(stream->Pos(), 0);
  EXPECT_EQ(stream->Size(), 5000);
  EXPECT_EQ(stream->Seek(4999), 4999);
  EXPECT_EQ(stream->ReadByte(), 'z');
  EXPECT_EQ(pipe->closes, 0);  // the pipe itself is left open

  // A seekable stream is handed out as it is.
  EXPECT_FALSE(Is<TMemoryBankStream>(FileOpenRead(New<TMemoryStream>("x"))));
}

}  // namespace
}  // namespace tarn
