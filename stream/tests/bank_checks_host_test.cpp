// Offsets outside a bank are the caller's mistake; the test build stops at the first one.
#include <gtest/gtest.h>

#include "stream/streams.h"

namespace tarn {
namespace {

TEST(BankChecksDeathTest, OffsetsOutsideTheBankStopTheTestBuild) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Ref<TBank> bank = TBank::Create(8);
  Ref<TBank> other = TBank::Create(4);
  EXPECT_DEATH(bank->GetIntAt(5), "check failed");
  EXPECT_DEATH(bank->SetByteAt(8, 1), "check failed");
  EXPECT_DEATH(bank->GetDoubleAt(-1), "check failed");
  EXPECT_DEATH(BankCopy(bank, 0, other, 0, 5), "check failed");
  EXPECT_DEATH(BankCopy(bank, 6, other, 0, 4), "check failed");
  EXPECT_DEATH(BankCopy(bank, 0, other, 0, -1), "check failed");
  // The last byte and an empty copy at the very end are inside.
  EXPECT_EQ(bank->GetByteAt(7) >= 0, true);
  BankCopy(bank, 8, other, 4, 0);
}

}  // namespace
}  // namespace tarn
