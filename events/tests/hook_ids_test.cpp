#include <gtest/gtest.h>

#include "events/hooks.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

// Its own program: the id counter is process-wide and never goes back.
TEST(HookIds, TwoHundredFiftySixIdsThenEveryCallRaises) {
  InitHooks();
  EXPECT_EQ(NewHookId(), 0);
  for (int expected = 1; expected < 255; ++expected) ASSERT_EQ(NewHookId(), expected);
  EXPECT_EQ(NewHookId(), 255);
  EXPECT_RAISES_TEXT(NewHookId(), "Too many hook ids");
  EXPECT_RAISES_TEXT(NewHookId(), "Too many hook ids");
}

}  // namespace
}  // namespace tarn
