// Containers that a list-like gadget can be bound to with SetDataSource.
//
// A bound gadget shows one item per element, the element's text form being the item text.
// Three shapes are recognised: a linked list of objects, an array of strings (used as it is) and
// an array of other objects. They are plain holders; the gadget re-reads them on every
// SyncDataSource, so a program edits the elements and then asks the gadget to sync.
// Main thread only.
#pragma once

#include <list>
#include <vector>

#include "runtime/runtime.h"

namespace tarn {

class TObjectList : public Object {
 public:
  TObjectList() = default;
  explicit TObjectList(std::list<Ref<Object>> elements) : elements(std::move(elements)) {}
  std::list<Ref<Object>> elements;
};

class TStringArray : public Object {
 public:
  TStringArray() = default;
  explicit TStringArray(std::vector<String> elements) : elements(std::move(elements)) {}
  std::vector<String> elements;
};

class TObjectArray : public Object {
 public:
  TObjectArray() = default;
  explicit TObjectArray(std::vector<Ref<Object>> elements) : elements(std::move(elements)) {}
  std::vector<Ref<Object>> elements;
};

}  // namespace tarn
