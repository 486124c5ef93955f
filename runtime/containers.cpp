#include "runtime/containers.h"

#include <algorithm>
#include <typeinfo>

namespace tarn {

Ref<TDataType> TList::DataType() { return FindDataType("KLN.LinkedList.TList"); }

Ref<Object> TList::First() const { return elements_.empty() ? nullptr : elements_.front(); }
Ref<Object> TList::Last() const { return elements_.empty() ? nullptr : elements_.back(); }

Ref<Object> TList::RemoveFirst() {
  if (elements_.empty()) return nullptr;
  Ref<Object> first = elements_.front();
  elements_.pop_front();
  return first;
}

bool TList::Remove(const Ref<Object>& element) {
  auto found = std::find(elements_.begin(), elements_.end(), element);
  if (found == elements_.end()) return false;
  elements_.erase(found);
  return true;
}

bool TList::Contains(const Ref<Object>& element) const {
  return std::find(elements_.begin(), elements_.end(), element) != elements_.end();
}

bool ObjectKeyLess::operator()(const Ref<Object>& a, const Ref<Object>& b) const {
  if (!a || !b) return !a && b;
  if (a.Get() == b.Get()) return false;
  const Object& objectA = *a.Get();
  const Object& objectB = *b.Get();
  const std::type_info& classA = typeid(objectA);
  const std::type_info& classB = typeid(objectB);
  if (classA != classB) return classA.before(classB);
  return a->Compare(*b) < 0;
}

Ref<Object> TMap::Get(const Ref<Object>& key) const {
  auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : found->second;
}

}  // namespace tarn
