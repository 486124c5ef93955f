#include "stream/bank.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "runtime/check.h"

namespace tarn {
namespace {

constexpr std::align_val_t kAlignment{16};

uint8_t* Allocate(int32_t bytes) {
  if (bytes <= 0) return nullptr;
  return static_cast<uint8_t*>(::operator new(static_cast<size_t>(bytes), kAlignment));
}

void Free(uint8_t* memory) {
  if (memory) ::operator delete(memory, kAlignment);
}

// Peek and poke need no alignment: values are copied byte-wise.
template <class T>
T Peek(const uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <class T>
void Poke(uint8_t* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

bool InRange(int32_t offset, int64_t count, int32_t size) {
  return offset >= 0 && count >= 0 && offset + count <= size;
}

}  // namespace

// ---- TBank

TBank::~TBank() {
  if (capacity >= 0) Free(buf);
}

Ref<TDataType> TBank::DataType() { return FindDataType("KLN.Bank.TBank"); }

uint8_t* TBank::Lock() {
  ++lockCount;
  return buf;
}

void TBank::Unlock() { --lockCount; }

void TBank::Resize(int32_t newSize) {
  TARN_CHECK(newSize >= 0);
  newSize = std::max(newSize, 0);
  // A wrapped bank (capacity -1) keeps the caller's memory while it does not grow; growing, it
  // moves into memory of its own and leaves the caller's memory, which it never owned, alone.
  bool outgrows = capacity < 0 ? newSize > size : newSize > capacity;
  if (outgrows) {
    int64_t grown = capacity < 0 ? 0 : int64_t(capacity) * 3 / 2;
    int32_t newCapacity = static_cast<int32_t>(std::clamp<int64_t>(grown, newSize, INT32_MAX));
    uint8_t* memory = Allocate(newCapacity);
    if (size > 0) std::memcpy(memory, buf, static_cast<size_t>(size));
    if (capacity >= 0) Free(buf);
    buf = memory;
    capacity = newCapacity;
  }
  size = newSize;
}

void TBank::CheckRange(int32_t offset, int32_t width) const {
  TARN_CHECK(InRange(offset, width, size));
}

int32_t TBank::Read(const Ref<TStream>& stream, int32_t offset, int32_t count) {
  CheckRange(offset, count);
  return stream->Read(buf + offset, count);
}

int32_t TBank::Write(const Ref<TStream>& stream, int32_t offset, int32_t count) {
  CheckRange(offset, count);
  return stream->Write(buf + offset, count);
}

template <class T>
T TBank::PeekAt(int32_t offset) const {
  CheckRange(offset, sizeof(T));
  return Peek<T>(buf + offset);
}

template <class T>
void TBank::PokeAt(int32_t offset, T value) {
  CheckRange(offset, sizeof(T));
  Poke(buf + offset, value);
}

int32_t TBank::GetByteAt(int32_t offset) const { return PeekAt<uint8_t>(offset); }
void TBank::SetByteAt(int32_t offset, int32_t value) { PokeAt(offset, uint8_t(value)); }
int32_t TBank::GetShortAt(int32_t offset) const { return PeekAt<uint16_t>(offset); }
void TBank::SetShortAt(int32_t offset, int32_t value) { PokeAt(offset, uint16_t(value)); }
int32_t TBank::GetIntAt(int32_t offset) const { return PeekAt<int32_t>(offset); }
void TBank::SetIntAt(int32_t offset, int32_t value) { PokeAt(offset, value); }
int64_t TBank::GetLongAt(int32_t offset) const { return PeekAt<int64_t>(offset); }
void TBank::SetLongAt(int32_t offset, int64_t value) { PokeAt(offset, value); }
float TBank::GetFloatAt(int32_t offset) const { return PeekAt<float>(offset); }
void TBank::SetFloatAt(int32_t offset, float value) { PokeAt(offset, value); }
double TBank::GetDoubleAt(int32_t offset) const { return PeekAt<double>(offset); }
void TBank::SetDoubleAt(int32_t offset, double value) { PokeAt(offset, value); }

bool TBank::Save(const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenWrite(url);
  if (!stream) return false;
  stream->WriteBytes(buf, size);
  stream->Close();
  return true;
}

Ref<TBank> TBank::Load(const Ref<Object>& url) {
  Ref<TStream> stream = StreamOpenRead(url);
  if (!stream) return nullptr;
  std::vector<uint8_t> bytes = UrlLoadBytes(stream);  // through a wrapper: stream stays open
  Ref<TBank> bank = Create(static_cast<int32_t>(std::min<size_t>(bytes.size(), INT32_MAX)));
  if (bank->size > 0) std::memcpy(bank->buf, bytes.data(), static_cast<size_t>(bank->size));
  stream->Close();
  return bank;
}

Ref<TBank> TBank::Create(int32_t size) {
  TARN_CHECK(size >= 0);
  size = std::max(size, 0);
  Ref<TBank> bank = New<TBank>();
  bank->buf = Allocate(size);
  bank->size = size;
  bank->capacity = size;
  return bank;
}

Ref<TBank> TBank::WrapMemory(void* memory, int32_t size) {
  Ref<TBank> bank = New<TBank>();
  bank->buf = static_cast<uint8_t*>(memory);
  bank->size = std::max(size, 0);
  bank->capacity = -1;
  return bank;
}

// ---- TMemoryBankStream

int32_t TMemoryBankStream::Seek(int32_t to) {
  pos = std::clamp(to, 0, bank->Size());
  return pos;
}

int32_t TMemoryBankStream::Read(void* buf, int32_t count) {
  int32_t size = bank->Size();
  if (count < 1 || pos >= size) return 0;
  count = std::min(count, size - pos);
  std::memcpy(buf, bank->Buf() + pos, static_cast<size_t>(count));
  pos += count;
  return count;
}

int32_t TMemoryBankStream::Write(const void* buf, int32_t count) {
  if (count < 1 || pos > bank->Size()) return 0;
  if (int64_t(pos) + count > INT32_MAX) return 0;
  if (pos + count > bank->Size()) bank->Resize(pos + count);
  std::memcpy(bank->Buf() + pos, buf, static_cast<size_t>(count));
  pos += count;
  return count;
}

Ref<TMemoryBankStream> TMemoryBankStream::Create(const Ref<TBank>& bank) {
  Ref<TMemoryBankStream> stream = New<TMemoryBankStream>();
  stream->bank = bank;
  return stream;
}

Ref<TStream> TMemoryBankStreamFactory::CreateStream(const Ref<Object>& url, const String&,
                                                    const String&, bool, bool) {
  Ref<TBank> bank = Cast<TBank>(url);
  if (!bank) return nullptr;
  return BankStreamNew(bank);
}

// ---- free functions

Ref<TBank> BankNew(int32_t size) { return TBank::Create(size); }
Ref<TBank> BankWrap(void* memory, int32_t size) { return TBank::WrapMemory(memory, size); }
Ref<TBank> BankLoad(const Ref<Object>& url) { return TBank::Load(url); }
bool BankSave(const Ref<TBank>& bank, const Ref<Object>& url) { return bank->Save(url); }
uint8_t* BankPointer(const Ref<TBank>& bank) { return bank->Buf(); }
uint8_t* BankLock(const Ref<TBank>& bank) { return bank->Lock(); }
void BankUnlock(const Ref<TBank>& bank) { bank->Unlock(); }
int32_t BankByteSize(const Ref<TBank>& bank) { return bank->Size(); }
int32_t BankCapacityOf(const Ref<TBank>& bank) { return bank->Capacity(); }
void BankResize(const Ref<TBank>& bank, int32_t size) { bank->Resize(size); }
int32_t GetByteAt(const Ref<TBank>& bank, int32_t offset) { return bank->GetByteAt(offset); }
void SetByteAt(const Ref<TBank>& bank, int32_t offset, int32_t value) {
  bank->SetByteAt(offset, value);
}
int32_t GetShortAt(const Ref<TBank>& bank, int32_t offset) { return bank->GetShortAt(offset); }
void SetShortAt(const Ref<TBank>& bank, int32_t offset, int32_t value) {
  bank->SetShortAt(offset, value);
}
int32_t GetIntAt(const Ref<TBank>& bank, int32_t offset) { return bank->GetIntAt(offset); }
void SetIntAt(const Ref<TBank>& bank, int32_t offset, int32_t value) {
  bank->SetIntAt(offset, value);
}
int64_t GetLongAt(const Ref<TBank>& bank, int32_t offset) { return bank->GetLongAt(offset); }
void SetLongAt(const Ref<TBank>& bank, int32_t offset, int64_t value) {
  bank->SetLongAt(offset, value);
}
float GetFloatAt(const Ref<TBank>& bank, int32_t offset) { return bank->GetFloatAt(offset); }
void SetFloatAt(const Ref<TBank>& bank, int32_t offset, float value) {
  bank->SetFloatAt(offset, value);
}
double GetDoubleAt(const Ref<TBank>& bank, int32_t offset) { return bank->GetDoubleAt(offset); }
void SetDoubleAt(const Ref<TBank>& bank, int32_t offset, double value) {
  bank->SetDoubleAt(offset, value);
}
int32_t BankReadFrom(const Ref<TBank>& bank, const Ref<TStream>& stream, int32_t offset,
                     int32_t count) {
  return bank->Read(stream, offset, count);
}
int32_t BankWriteTo(const Ref<TBank>& bank, const Ref<TStream>& stream, int32_t offset,
                    int32_t count) {
  return bank->Write(stream, offset, count);
}

void BankCopy(const Ref<TBank>& src, int32_t srcOffset, const Ref<TBank>& dst, int32_t dstOffset,
              int32_t count) {
  TARN_CHECK(InRange(srcOffset, count, src->Size()));
  TARN_CHECK(InRange(dstOffset, count, dst->Size()));
  // memmove: an overlapping copy within one bank is the caller's mistake, but never undefined.
  if (count > 0) std::memmove(dst->Buf() + dstOffset, src->Buf() + srcOffset, size_t(count));
}

Ref<TMemoryBankStream> BankStreamNew(const Ref<TBank>& bank) {
  return TMemoryBankStream::Create(bank ? bank : TBank::Create(0));
}

}  // namespace tarn
