// TextLoad over arbitrary bytes in a bank, and the line and hexadecimal readers of every
// encoding over the same bytes: never a crash or a sanitizer report. Without a byte-order mark
// the text is the bytes as Latin-1; a loaded text saved again loads back the same, unless it
// begins with what reads as a mark.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "stream/streams.h"
#include "stream/tests/test_banks.h"

namespace {

using namespace tarn;
using testing::BankOf;

bool StartsWithMark(const String& text) {
  return !text.IsEmpty() && (text.At(0) == 0xFE || text.At(0) == 0xFF || text.At(0) == 0xEF);
}

void ReadEveryWay(const Ref<TBank>& bank) {
  for (int32_t encoding = ENCODING_LATIN1; encoding <= ENCODING_UTF16LE; ++encoding) {
    Ref<TEncodedTextStream> text = TEncodedTextStream::Create(BankStreamNew(bank), encoding);
    try {
      uint8_t bytes[40];
      for (int i = 0; i < 64 && !text->Eof(); ++i) {
        if (i % 3 == 2) {
          text->ReadBytes(bytes, 1 + i % 40);
        } else {
          text->ReadLine();
        }
      }
    } catch (const Raised&) {
      // "Malformed line terminator": a refused input
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool started = (InitStreams(), true);
  (void)started;
  Ref<TBank> bank = BankOf(std::string_view(reinterpret_cast<const char*>(data), size));
  String text = TextLoad(bank);

  bool marked =
      size >= 2 && ((data[0] == 0xFE && data[1] == 0xFF) || (data[0] == 0xFF && data[1] == 0xFE) ||
                    (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF));
  if (!marked) {
    String latin1 = String::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!(text == latin1)) std::abort();
  }
  if (!StartsWithMark(text)) {
    Ref<TBank> saved = TBank::Create(0);
    TextSave(text, saved);
    if (!(TextLoad(saved) == text)) std::abort();
  }
  ReadEveryWay(bank);
  return 0;
}
