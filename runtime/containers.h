// TList: a linked list of objects, and TMap: an ordered map from object keys to objects.
//
// TList keeps its elements in insertion order; appending, prepending and removing at the ends
// are constant time, removal of a given element is linear. A list is a data object: a data
// stream writes it as its count and elements ("KLN.LinkedList.TList", registered by the stream
// module). TMap orders its keys with the key objects' own comparison (Object::Compare): strings
// and data indexes by value, everything else by identity; keys of different classes are kept
// apart by class, so mixed keys still form one consistent order. Main thread only; iterators
// stay valid while other elements are added or removed.
#pragma once

#include <cstdint>
#include <list>
#include <map>

#include "runtime/data_object.h"
#include "runtime/object.h"

namespace tarn {

class TList : public TDataObject {
 public:
  using Elements = std::list<Ref<Object>>;

  Ref<TDataType> DataType() override;  // the registered "KLN.LinkedList.TList" type

  void AddLast(const Ref<Object>& element) { elements_.push_back(element); }
  void AddFirst(const Ref<Object>& element) { elements_.push_front(element); }
  // The first and last element, or the null object when the list is empty.
  Ref<Object> First() const;
  Ref<Object> Last() const;
  // Removes and returns the first element, or the null object when the list is empty.
  Ref<Object> RemoveFirst();
  // Removes the first element that is element itself (identity); false when there is none.
  bool Remove(const Ref<Object>& element);
  bool Contains(const Ref<Object>& element) const;
  void Clear() { elements_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(elements_.size()); }
  bool IsEmpty() const { return elements_.empty(); }

  Elements::const_iterator begin() const { return elements_.begin(); }
  Elements::const_iterator end() const { return elements_.end(); }

 private:
  Elements elements_;
};

// Orders map keys: the null key first, then by class, then by the class's own Compare.
struct ObjectKeyLess {
  bool operator()(const Ref<Object>& a, const Ref<Object>& b) const;
};

class TMap : public Object {
 public:
  using Entries = std::map<Ref<Object>, Ref<Object>, ObjectKeyLess>;

  // Enters key -> value, replacing the value of an equal key.
  void Insert(const Ref<Object>& key, const Ref<Object>& value) { entries_[key] = value; }
  // The value of the key equal to key, or the null object.
  Ref<Object> Get(const Ref<Object>& key) const;
  bool Contains(const Ref<Object>& key) const { return entries_.count(key) != 0; }
  bool Remove(const Ref<Object>& key) { return entries_.erase(key) != 0; }
  void Clear() { entries_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

  // Entries in key order.
  Entries::const_iterator begin() const { return entries_.begin(); }
  Entries::const_iterator end() const { return entries_.end(); }

 private:
  Entries entries_;
};

}  // namespace tarn
