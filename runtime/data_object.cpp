#include "runtime/data_object.h"

namespace tarn {
namespace {

// Kept on the heap for good, like the stream factories: types outlive every exit-time user.
Ref<TDataType>& Head() {
  static auto* head = new Ref<TDataType>();
  return *head;
}

}  // namespace

TDataType::TDataType() {
  next = Head();
  Head() = Ref<TDataType>(this);
}

void TDataType::FinishRead(const Ref<Object>&, TDataStream&) {}

Ref<TDataType> DataTypes() { return Head(); }

Ref<TDataType> FindDataType(const String& name) {
  for (Ref<TDataType> type = Head(); type; type = type->next) {
    if (type->Name() == name) return type;
  }
  return nullptr;
}

}  // namespace tarn
