// Banks: blocks of raw memory with typed peek and poke, growth on demand and transfer to and
// from streams; bank streams: seekable streams over a bank.
//
// A bank owns its memory (capacity >= 0) or wraps the caller's (WrapMemory, capacity -1). A
// wrapped bank that has to grow moves into memory of its own and leaves the caller's alone.
// Peek, poke, BankCopy and the bank's Read/Write do not test their offsets: staying inside the
// bank is the caller's obligation, checked with TARN_CHECK in test builds. Growing a bank may
// move its memory, so pointers from Buf or Lock are stale after a growing Resize. A bank stream
// holds its bank; several may share one, each with its own position. Main thread only.
#pragma once

#include <cstdint>

#include "runtime/data_object.h"
#include "stream/stream.h"
#include "stream/stream_factory.h"

namespace tarn {

class TBank : public TDataObject {
 public:
  ~TBank() override;

  Ref<TDataType> DataType() override;  // the registered "KLN.Bank.TBank" type
  uint8_t* Buf() const { return buf; }
  uint8_t* Lock();
  void Unlock();
  int32_t Size() const { return size; }
  int32_t Capacity() const { return capacity; }
  // Grows the allocation by half again (at least to newSize) when newSize exceeds it; shrinking
  // keeps the memory. Bytes beyond the old size are not cleared. A negative size is taken as 0.
  // A wrapped bank keeps the caller's memory until it grows past its size.
  void Resize(int32_t newSize);
  // One primitive Read / Write of the stream at buf + offset; its count is returned.
  int32_t Read(const Ref<TStream>& stream, int32_t offset, int32_t count);
  int32_t Write(const Ref<TStream>& stream, int32_t offset, int32_t count);

  int32_t GetByteAt(int32_t offset) const;
  void SetByteAt(int32_t offset, int32_t value);
  int32_t GetShortAt(int32_t offset) const;
  void SetShortAt(int32_t offset, int32_t value);
  int32_t GetIntAt(int32_t offset) const;
  void SetIntAt(int32_t offset, int32_t value);
  int64_t GetLongAt(int32_t offset) const;
  void SetLongAt(int32_t offset, int64_t value);
  float GetFloatAt(int32_t offset) const;
  void SetFloatAt(int32_t offset, float value);
  double GetDoubleAt(int32_t offset) const;
  void SetDoubleAt(int32_t offset, double value);

  // Writes the whole bank to url; false when it cannot be opened.
  bool Save(const Ref<Object>& url);
  // The whole content of url in a new bank, or the null object when it cannot be opened. A
  // stream object given as url is read through a wrapper and stays open.
  static Ref<TBank> Load(const Ref<Object>& url);
  // size bytes of owned memory, not cleared.
  static Ref<TBank> Create(int32_t size);
  // The caller's memory, which must outlive the bank; the bank never frees it.
  static Ref<TBank> WrapMemory(void* memory, int32_t size);

  uint8_t* buf = nullptr;
  int32_t size = 0;
  int32_t capacity = 0;  // -1: the caller's memory
  int32_t lockCount = 0;

 private:
  // Obligation of every peek and poke: width bytes at offset lie inside the bank.
  void CheckRange(int32_t offset, int32_t width) const;
  template <class T>
  T PeekAt(int32_t offset) const;
  template <class T>
  void PokeAt(int32_t offset, T value);
};

class TMemoryBankStream : public TStream {
 public:
  int32_t Pos() override { return pos; }
  int32_t Size() override { return bank->Size(); }
  int32_t Seek(int32_t to) override;  // clamped to 0..size
  int32_t Read(void* buf, int32_t count) override;
  // Writing at the end appends and grows the bank; 0 when the position lies beyond the end
  // (the bank shrank under this stream) or the bank would outgrow 2 GiB.
  int32_t Write(const void* buf, int32_t count) override;

  static Ref<TMemoryBankStream> Create(const Ref<TBank>& bank);

  int32_t pos = 0;
  Ref<TBank> bank;
};

// Opens a TBank given as the URL object as a bank stream, whatever the protocol and flags.
class TMemoryBankStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& proto, const String& path,
                            bool readable, bool writeable) override;
};

Ref<TBank> BankNew(int32_t size);
Ref<TBank> BankWrap(void* memory, int32_t size);
Ref<TBank> BankLoad(const Ref<Object>& url);
bool BankSave(const Ref<TBank>& bank, const Ref<Object>& url);
uint8_t* BankPointer(const Ref<TBank>& bank);
uint8_t* BankLock(const Ref<TBank>& bank);
void BankUnlock(const Ref<TBank>& bank);
int32_t BankByteSize(const Ref<TBank>& bank);
int32_t BankCapacityOf(const Ref<TBank>& bank);
void BankResize(const Ref<TBank>& bank, int32_t size);
int32_t GetByteAt(const Ref<TBank>& bank, int32_t offset);
void SetByteAt(const Ref<TBank>& bank, int32_t offset, int32_t value);
int32_t GetShortAt(const Ref<TBank>& bank, int32_t offset);
void SetShortAt(const Ref<TBank>& bank, int32_t offset, int32_t value);
int32_t GetIntAt(const Ref<TBank>& bank, int32_t offset);
void SetIntAt(const Ref<TBank>& bank, int32_t offset, int32_t value);
int64_t GetLongAt(const Ref<TBank>& bank, int32_t offset);
void SetLongAt(const Ref<TBank>& bank, int32_t offset, int64_t value);
float GetFloatAt(const Ref<TBank>& bank, int32_t offset);
void SetFloatAt(const Ref<TBank>& bank, int32_t offset, float value);
double GetDoubleAt(const Ref<TBank>& bank, int32_t offset);
void SetDoubleAt(const Ref<TBank>& bank, int32_t offset, double value);
int32_t BankReadFrom(const Ref<TBank>& bank, const Ref<TStream>& stream, int32_t offset,
                     int32_t count);
int32_t BankWriteTo(const Ref<TBank>& bank, const Ref<TStream>& stream, int32_t offset,
                    int32_t count);
// Copies count bytes; both ranges must lie inside their banks (checked in test builds).
void BankCopy(const Ref<TBank>& src, int32_t srcOffset, const Ref<TBank>& dst, int32_t dstOffset,
              int32_t count);
// A stream over bank, or over a new empty bank when bank is the null object.
Ref<TMemoryBankStream> BankStreamNew(const Ref<TBank>& bank);

}  // namespace tarn
