// Test helpers for bank code: banks made from bytes and the bytes they hold.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "stream/bank.h"

namespace tarn::testing {

inline Ref<TBank> BankOf(std::string_view bytes) {
  Ref<TBank> bank = TBank::Create(static_cast<int32_t>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), bank->Buf());
  return bank;
}

// The bytes of a bank, or "<not a bank>" for anything else.
inline std::string BankBytes(const Ref<Object>& object) {
  Ref<TBank> bank = Cast<TBank>(object);
  if (!bank) return "<not a bank>";
  return std::string(reinterpret_cast<const char*>(bank->Buf()), size_t(bank->Size()));
}

}  // namespace tarn::testing
