#include "runtime/exceptions.h"

namespace tarn {

Raised::Raised(Ref<Object> value) : value_(std::move(value)), text_(Text().ToBytes()) {}

String Raised::Text() const { return value_ ? value_->ToString() : String("Null"); }

void Raise(const Ref<Object>& value) { throw Raised(value); }
void Raise(const String& text) { throw Raised(text); }
void RaiseRuntimeError(const String& message) { Raise(New<TRuntimeException>(message)); }
void RaiseAbstract() { Raise(New<TNullMethodException>()); }
void RaiseNullObject() { Raise(New<TNullObjectException>()); }

String TNullObjectException::ToString() const {
  return "Attempt to access field or method of Null object";
}
String TNullMethodException::ToString() const { return "Attempt to call abstract method"; }
String TNullFunctionException::ToString() const {
  return "Attempt to call uninitialized function pointer";
}
String TArrayBoundsException::ToString() const {
  return "Attempt to index array element beyond array length";
}
String TOutOfDataException::ToString() const { return "Attempt to read beyond end of data"; }

}  // namespace tarn
