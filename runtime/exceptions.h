// Raising objects, and the runtime's own exception classes.
//
// Any object can be raised: Raise throws a Raised, the C++ exception that carries the object.
// Handlers catch Raised and look at the object's class with Is<T> / Cast<T>; the text form of
// the object (its ToString) is what an unhandled exception prints.
#pragma once

#include <exception>
#include <string>

#include "runtime/object.h"
#include "runtime/string.h"

namespace tarn {

class Raised : public std::exception {
 public:
  explicit Raised(Ref<Object> value);
  const Ref<Object>& Value() const { return value_; }
  String Text() const;  // the text form of the raised object
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  Ref<Object> value_;
  std::string text_;
};

[[noreturn]] void Raise(const Ref<Object>& value);
[[noreturn]] void Raise(const String& text);
// Raises a TRuntimeException carrying message.
[[noreturn]] void RaiseRuntimeError(const String& message);
[[noreturn]] void RaiseAbstract();  // TNullMethodException

class TTarnException : public Object {};

class TNullObjectException : public TTarnException {
 public:
  String ToString() const override;
};
class TNullMethodException : public TTarnException {
 public:
  String ToString() const override;
};
class TNullFunctionException : public TTarnException {
 public:
  String ToString() const override;
};
class TArrayBoundsException : public TTarnException {
 public:
  String ToString() const override;
};
class TOutOfDataException : public TTarnException {
 public:
  String ToString() const override;
};
class TRuntimeException : public TTarnException {
 public:
  explicit TRuntimeException(String message) : message_(std::move(message)) {}
  const String& Message() const { return message_; }
  String ToString() const override { return message_; }

 private:
  String message_;
};

}  // namespace tarn
