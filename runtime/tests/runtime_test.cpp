#include <gtest/gtest.h>

#include <climits>
#include <thread>

#include "runtime/runtime.h"
#include "tests/support/raises.h"

namespace tarn {
namespace {

struct Counted : Object {
  explicit Counted(int* alive) : alive(alive) { ++*alive; }
  ~Counted() override { --*alive; }
  int* alive;
  int value = 7;
};

TEST(Object, LastReferenceFreesAndCopiesShareOneObject) {
  int alive = 0;
  {
    Ref<Counted> a = New<Counted>(&alive);
    Ref<Object> b = a;
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(a->RefCount(), 2);
    EXPECT_TRUE(a == b);
    a = nullptr;
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(Object, UsingTheNullObjectRaisesInsteadOfCrashing) {
  Ref<Counted> none;
  EXPECT_TRUE(none.IsNull());
  EXPECT_RAISES_CLASS(none->value = 1, TNullObjectException);
  EXPECT_RAISES_TEXT((void)*none, "Attempt to access field or method of Null object");
}

TEST(Object, CastGivesTheNullObjectForOtherClasses) {
  int alive = 0;
  Ref<Object> object = New<Counted>(&alive);
  EXPECT_FALSE(Cast<Counted>(object).IsNull());
  EXPECT_TRUE(Cast<TString>(object).IsNull());
  EXPECT_TRUE(Is<Counted>(object));
  EXPECT_FALSE(Is<Counted>(Ref<Object>()));
}

TEST(Object, HandlesIdentifyLiveObjects) {
  int alive = 0;
  Ref<Object> object = New<Counted>(&alive);
  int32_t handle = ObjectHandle(object);
  EXPECT_GT(handle, 0);
  EXPECT_EQ(ObjectHandle(object), handle);
  EXPECT_TRUE(HandleObject(handle) == object);
  EXPECT_EQ(ObjectHandle(Ref<Object>()), 0);
  object = nullptr;
  EXPECT_TRUE(HandleObject(handle).IsNull());
}

TEST(Object, HandlesStartAgainAtOneAfterTheLargestAndSkipThoseInUse) {
  int alive = 0;
  Ref<Object> one = New<Counted>(&alive);
  SetLastObjectHandleForTesting(0);
  ASSERT_EQ(ObjectHandle(one), 1);
  Ref<Object> last = New<Counted>(&alive);
  Ref<Object> next = New<Counted>(&alive);
  SetLastObjectHandleForTesting(INT32_MAX - 1);
  EXPECT_EQ(ObjectHandle(last), INT32_MAX);
  EXPECT_EQ(ObjectHandle(next), 2) << "1 is still held";
  EXPECT_TRUE(HandleObject(1) == one);
}

TEST(ObjectDeathTest, AnObjectWithAHandleReleasedOnAnotherThreadStopsATestBuild) {
#if defined(TARNWICK_CHECKS) && GTEST_HAS_DEATH_TEST
  int alive = 0;
  Ref<Object> object = New<Counted>(&alive);
  ObjectHandle(object);
  EXPECT_DEATH(std::thread([held = std::move(object)]() mutable { held = nullptr; }).join(),
               "check failed");
#else
  GTEST_SKIP() << "the checks are compiled out of this build";
#endif
}

TEST(String, EmptyStringsShareOneInstance) {
  EXPECT_TRUE(Ref<Object>(String()) == Ref<Object>(String("")));
  EXPECT_TRUE(Ref<Object>(String()) == Ref<Object>(String("abc").Mid(3)));
  EXPECT_TRUE(Ref<Object>(String()) == Ref<Object>(String::FromBytes("")));
}

TEST(String, BytesCrossOneCodeUnitEach) {
  EXPECT_EQ(String::FromBytes("\xE9\xFF").Units(), std::u16string(u"\u00E9\u00FF"));
  EXPECT_EQ(String(u"\u0141x").ToBytes(), "Ax");
}

TEST(String, FromObjectReadsOnlyStrings) {
  int alive = 0;
  EXPECT_EQ(String::FromObject(String("abc")), String("abc"));
  EXPECT_TRUE(String::FromObject(New<Counted>(&alive)).IsEmpty());
  EXPECT_TRUE(String::FromObject(Ref<Object>()).IsEmpty());
}

TEST(String, EditingOperations) {
  String path = "a\\b\\c";
  EXPECT_EQ(path.Replace("\\", "/"), String("a/b/c"));
  EXPECT_EQ(path.Find("\\"), 1);
  EXPECT_EQ(path.Find("\\", 2), 3);
  EXPECT_EQ(path.FindLast("\\"), 3);
  EXPECT_EQ(path.Find("x"), -1);
  EXPECT_EQ(String("UTF8::x").Left(4).ToLower(), String("utf8"));
  EXPECT_EQ(String("abc").Mid(1, 10), String("bc"));
  EXPECT_TRUE(String("abc").StartsWith("ab"));
  EXPECT_TRUE(String("abc").EndsWith("bc"));
  EXPECT_RAISES_CLASS(String("abc").At(3), TArrayBoundsException);
}

TEST(String, IntegerToText) {
  EXPECT_EQ(IntToString(0), String("0"));
  EXPECT_EQ(IntToString(-5), String("-5"));
  EXPECT_EQ(IntToString(2147483647), String("2147483647"));
  EXPECT_EQ(IntToString(-2147483648LL), String("-2147483648"));
}

TEST(String, TextToInteger) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {
      {"300", 300},  {"  \t42", 42}, {"+7", 7},         {"-12", -12},
      {"$1F", 31},   {"$ff", 255},   {"-$10", -16},     {"%101", 5},
      {"12abc", 12}, {"abc", 0},     {"", 0},           {"-", 0},
      {"$", 0},      {"%102", 2},    {"4294967297", 1}, {"2147483648", -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(StringToInt(c.text), c.value) << c.text;
}

TEST(Exceptions, RuntimeClassesHaveTheirFixedTexts) {
  struct Case {
    Ref<Object> exception;
    const char* text;
  } cases[] = {
      {New<TNullObjectException>(), "Attempt to access field or method of Null object"},
      {New<TNullMethodException>(), "Attempt to call abstract method"},
      {New<TNullFunctionException>(), "Attempt to call uninitialized function pointer"},
      {New<TArrayBoundsException>(), "Attempt to index array element beyond array length"},
      {New<TOutOfDataException>(), "Attempt to read beyond end of data"},
      {New<TRuntimeException>("Received Signal"), "Received Signal"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Is<TTarnException>(c.exception));
    EXPECT_RAISES_TEXT(Raise(c.exception), c.text);
  }
}

TEST(Exceptions, AnyObjectCanBeRaised) {
  EXPECT_RAISES_TEXT(Raise(String("Too many hook ids")), "Too many hook ids");
  try {
    Raise(String("abc"));
  } catch (const Raised& raised) {
    EXPECT_TRUE(Is<TString>(raised.Value()));
    EXPECT_STREQ(raised.what(), "abc");
  }
  struct Plain : Object {};
  EXPECT_RAISES_TEXT(Raise(New<Plain>()), "Plain");
}

TEST(MilliSecs, AdvancesWithTime) {
  uint32_t before = MilliSecs();
  while (MilliSecs() == before) {
  }
  EXPECT_GT(static_cast<int32_t>(MilliSecs() - before), 0);
}

}  // namespace
}  // namespace tarn
