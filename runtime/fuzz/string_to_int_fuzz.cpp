// Text to integer over arbitrary bytes: never a crash or a sanitizer report, and a plain run of
// decimal digits always reads as that number wrapped to 32 bits, with or without a minus sign.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int32_t value = tarn::StringToInt(tarn::String::FromBytes(bytes));

  bool negative = !bytes.empty() && bytes[0] == '-';
  std::string_view digits = negative ? bytes.substr(1) : bytes;
  bool plain = !digits.empty() && digits.size() <= 18;
  for (char c : digits) plain = plain && c >= '0' && c <= '9';
  if (plain) {
    uint64_t expected = 0;
    for (char c : digits) expected = expected * 10 + uint64_t(c - '0');
    if (negative) expected = 0 - expected;
    if (value != int32_t(uint32_t(expected))) std::abort();
  }
  return 0;
}
