// TDataStream.ReadObject over arbitrary bytes read from a bank stream: never a crash, a
// sanitizer report or an allocation far beyond the input, only objects or raised strings.
// Whatever reads back writes in a stable form: writing it, reading that and writing again
// gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stream/streams.h"
#include "stream/tests/test_banks.h"

namespace {

using namespace tarn;
using testing::BankOf;

std::string Written(const Ref<Object>& object) {
  Ref<TMemoryBankStream> out = BankStreamNew(nullptr);
  TDataStream::Create(out)->WriteObject(object);
  return std::string(reinterpret_cast<const char*>(out->bank->Buf()), size_t(out->bank->Size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool started = (InitStreams(), true);
  (void)started;
  Ref<TDataStream> reader = TDataStream::Create(
      BankStreamNew(BankOf(std::string_view(reinterpret_cast<const char*>(data), size))));
  for (int i = 0; i < 16 && !reader->Eof(); ++i) {
    Ref<Object> object;
    try {
      object = reader->ReadObject();
    } catch (const Raised&) {
      return 0;  // a refused input
    }
    std::string once = Written(object);
    Ref<TBank> copy = BankOf(once);
    std::string twice = Written(TDataStream::Create(BankStreamNew(copy))->ReadObject());
    if (once != twice) std::abort();
  }
  return 0;
}
