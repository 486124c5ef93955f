#include <gtest/gtest.h>

#include <vector>

#include "events/hooks.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

// Each test gets a chain of its own.
class Hooks : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitHooks(); }
  void SetUp() override { id = NewHookId(); }
  int32_t id = -1;
};

struct Tag : Object {
  explicit Tag(int n) : n(n) {}
  int n;
};

// Logs its context's number and passes the data on.
std::vector<int>* log_ = nullptr;
Ref<Object> Record(int32_t, const Ref<Object>& data, const Ref<Object>& context) {
  log_->push_back(Cast<Tag>(context)->n);
  return data;
}
Ref<Object> Replace(int32_t, const Ref<Object>&, const Ref<Object>& context) { return context; }
Ref<Object> Nothing(int32_t, const Ref<Object>&, const Ref<Object>&) { return Ref<Object>(); }

TEST_F(Hooks, RunInDescendingPriorityAndInsertionOrderAmongEquals) {
  std::vector<int> log;
  log_ = &log;
  InsertHook(id, Record, New<Tag>(1), 0);
  InsertHook(id, Record, New<Tag>(2), -10000);
  InsertHook(id, Record, New<Tag>(3), 0);
  InsertHook(id, Record, New<Tag>(4), 5);
  CallHooks(id, Ref<Object>());
  EXPECT_EQ(log, (std::vector<int>{4, 1, 3, 2}));
}

TEST_F(Hooks, EmptyChainReturnsItsData) {
  Ref<Object> data = New<Tag>(9);
  EXPECT_TRUE(CallHooks(id, data) == data);
}

TEST_F(Hooks, EachFunctionReceivesWhatThePreviousReturned) {
  std::vector<int> log;
  log_ = &log;
  Ref<Object> replacement = New<Tag>(2);
  InsertHook(id, Replace, replacement, 10);
  InsertHook(id, Record, New<Tag>(1), 0);
  Ref<Object> last = New<Tag>(3);
  InsertHook(id, Replace, last, -1);
  EXPECT_TRUE(CallHooks(id, New<Tag>(0)) == last);
  EXPECT_EQ(log, (std::vector<int>{1}));
}

TEST_F(Hooks, TheNullObjectIsPassedOnNotAStop) {
  std::vector<int> log;
  log_ = &log;
  InsertHook(id, Nothing, Ref<Object>(), 1);
  InsertHook(id, Record, New<Tag>(5), 0);
  EXPECT_TRUE(CallHooks(id, New<Tag>(0)).IsNull());
  EXPECT_EQ(log, (std::vector<int>{5}));
}

TEST_F(Hooks, DeleteMatchesFunctionAndContextIdentity) {
  std::vector<int> log;
  log_ = &log;
  Ref<Object> context = New<Tag>(1);
  InsertHook(id, Record, context, 0);
  InsertHook(id, Record, context, 0);
  DeleteHook(id, Record, New<Tag>(1));  // equal, not the same object
  DeleteHook(id, Replace, context);     // not in the chain
  CallHooks(id, Ref<Object>());
  EXPECT_EQ(log.size(), 2u);

  DeleteHook(id, Record, context);  // removes only the first of the two
  log.clear();
  CallHooks(id, Ref<Object>());
  EXPECT_EQ(log.size(), 1u);
  DeleteHook(id, Record, context);
  EXPECT_TRUE(CallHooks(id, context) == context);
}

TEST_F(Hooks, RemovedNodeReleasesItsContext) {
  Ref<Object> context = New<Tag>(1);
  InsertHook(id, Nothing, context, 0);
  EXPECT_EQ(context->RefCount(), 2);
  DeleteHook(id, Nothing, context);
  EXPECT_EQ(context->RefCount(), 1);
}

// A hook that removes itself while the chain runs: the walk goes on safely.
Ref<Object> RemoveSelf(int32_t id, const Ref<Object>& data, const Ref<Object>& context) {
  DeleteHook(id, RemoveSelf, context);
  return data;
}

TEST_F(Hooks, ChainMayChangeWhileItRuns) {
  std::vector<int> log;
  log_ = &log;
  InsertHook(id, RemoveSelf, Ref<Object>(), 1);
  InsertHook(id, Record, New<Tag>(2), 0);
  CallHooks(id, Ref<Object>());
  CallHooks(id, Ref<Object>());
  EXPECT_EQ(log, (std::vector<int>{2, 2}));
}

TEST(HooksDeathTest, AChainIdOutsideTheTableStopsATestBuild) {
#if defined(TARNWICK_CHECKS) && GTEST_HAS_DEATH_TEST
  InitHooks();
  EXPECT_DEATH(CallHooks(kHookChains, nullptr), "check failed");
  EXPECT_DEATH(InsertHook(-1, Replace, nullptr, 0), "check failed");
#else
  GTEST_SKIP() << "the checks are compiled out of this build";
#endif
}

}  // namespace
}  // namespace tarn
