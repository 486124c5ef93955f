#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace tarn {
namespace {

class TItem : public Object {
 public:
  explicit TItem(int id) : id(id) {}
  int id;
};

std::vector<int> Ids(const TList& list) {
  std::vector<int> ids;
  for (const Ref<Object>& element : list) ids.push_back(element ? Cast<TItem>(element)->id : 0);
  return ids;
}

TEST(TList, KeepsInsertionOrderAndRemovesByIdentity) {
  Ref<TList> list = New<TList>();
  EXPECT_TRUE(list->IsEmpty());
  EXPECT_FALSE(list->First());
  EXPECT_FALSE(list->RemoveFirst());

  Ref<TItem> a = New<TItem>(1), b = New<TItem>(2), c = New<TItem>(3);
  list->AddLast(b);
  list->AddLast(c);
  list->AddFirst(a);
  list->AddLast(nullptr);
  list->AddLast(b);
  EXPECT_EQ(Ids(*list), (std::vector<int>{1, 2, 3, 0, 2}));
  EXPECT_EQ(list->Count(), 5);

  EXPECT_TRUE(list->Remove(b));  // the first occurrence only
  EXPECT_EQ(Ids(*list), (std::vector<int>{1, 3, 0, 2}));
  EXPECT_FALSE(list->Remove(New<TItem>(3)));  // an equal-looking object is another object
  EXPECT_TRUE(list->Contains(c));
  EXPECT_TRUE(list->RemoveFirst() == a);
  EXPECT_TRUE(list->Last() == b);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

TEST(TMap, StringKeysCompareByTextAndObjectKeysByIdentity) {
  Ref<TMap> map = New<TMap>();
  map->Insert(String("pear"), New<TItem>(1));
  map->Insert(String("apple"), New<TItem>(2));
  map->Insert(String("pear"), New<TItem>(3));  // an equal key: the value is replaced
  EXPECT_EQ(map->Count(), 2);
  EXPECT_EQ(Cast<TItem>(map->Get(String("pear")))->id, 3);
  EXPECT_FALSE(map->Get(String("plum")));

  Ref<TItem> key = New<TItem>(7);
  map->Insert(key, String("by identity"));
  EXPECT_EQ(String::FromObject(map->Get(key)).ToBytes(), "by identity");
  EXPECT_FALSE(map->Contains(New<TItem>(7)));
  map->Insert(nullptr, New<TItem>(9));
  EXPECT_EQ(Cast<TItem>(map->Get(nullptr))->id, 9);

  EXPECT_TRUE(map->Remove(String("apple")));
  EXPECT_FALSE(map->Remove(String("apple")));
  EXPECT_EQ(map->Count(), 3);
}

TEST(TMap, IteratesInKeyOrderEvenWithKeysOfMixedClasses) {
  Ref<TMap> map = New<TMap>();
  std::vector<Ref<TItem>> items;
  for (const char* word : {"delta", "alpha", "charlie", "bravo"}) {
    items.push_back(New<TItem>(int(items.size())));
    map->Insert(items.back(), String(word));
    map->Insert(String(word), items.back());
  }
  std::vector<std::string> words;
  for (const auto& [key, value] : *map) {
    if (String::FromObject(key).IsEmpty()) continue;
    words.push_back(String::FromObject(key).ToBytes());
  }
  EXPECT_EQ(words, (std::vector<std::string>{"alpha", "bravo", "charlie", "delta"}));
  for (const Ref<TItem>& item : items) EXPECT_TRUE(map->Contains(item));
  EXPECT_EQ(map->Count(), 8);
}

TEST(StringToLong, ReadsSixtyFourBitsWithTheIntegerRule) {
  EXPECT_EQ(StringToLong(" -9000000000"), -9000000000LL);
  EXPECT_EQ(StringToLong("$7FFFFFFFFFFFFFFF"), INT64_MAX);
  EXPECT_EQ(StringToLong("%11x"), 3);
  EXPECT_EQ(StringToInt("4294967297"), 1);  // still wraps to 32 bits
}

}  // namespace
}  // namespace tarn
