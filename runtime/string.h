// String: an immutable sequence of 16-bit code units.
//
// A String is a value that shares one immutable TString object; copying it copies a reference.
// All empty strings share one instance. Texts cross to byte-oriented calls one byte per code
// unit: the low 8 bits going out (ToBytes), bytes widened coming in (FromBytes).
// A String converts to Ref<Object>, so it can be stored in an object field or raised.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/object.h"

namespace tarn {

// The object behind a String. Use String, not this class, in interfaces.
class TString final : public Object {
 public:
  explicit TString(std::u16string units) : units(std::move(units)) {}
  String ToString() const override;
  int32_t Compare(const Object& other) const override;  // by code units, then identity
  const std::u16string units;
};

class String {
 public:
  String();  // the shared empty string
  String(const char* latin1);
  String(const char16_t* units);
  String(std::u16string units);
  static String FromBytes(std::string_view bytes);
  // The text held by an object when it is a String, else the empty string.
  static String FromObject(const Ref<Object>& object);

  int32_t Length() const { return static_cast<int32_t>(Units().size()); }
  bool IsEmpty() const { return Units().empty(); }
  // The code unit at index; an index outside the string raises TArrayBoundsException.
  char16_t At(int32_t index) const;
  const std::u16string& Units() const { return object_->units; }
  // One byte per code unit, the low 8 bits of each.
  std::string ToBytes() const;

  // Index of the first occurrence of needle at or after from, or -1.
  int32_t Find(const String& needle, int32_t from = 0) const;
  int32_t FindLast(const String& needle) const;
  // Up to count units from start (clamped to the string); count < 0 means to the end.
  String Mid(int32_t start, int32_t count = -1) const;
  String Left(int32_t count) const { return Mid(0, count); }
  bool StartsWith(const String& prefix) const;
  bool EndsWith(const String& suffix) const;
  // Case folding of A-Z / a-z only.
  String ToLower() const;
  String ToUpper() const;
  String Replace(const String& from, const String& to) const;

  friend String operator+(const String& a, const String& b);
  String& operator+=(const String& other) { return *this = *this + other; }
  bool operator==(const String& other) const { return Units() == other.Units(); }
  bool operator<(const String& other) const { return Units() < other.Units(); }

  operator Ref<Object>() const { return object_; }

 private:
  explicit String(Ref<TString> object) : object_(std::move(object)) {}
  Ref<TString> object_;
};

// Decimal, with a leading "-" when negative, no leading zeros.
String IntToString(int64_t value);
// Leading white space skipped, optional sign, then decimal digits, or "$" hexadecimal or "%"
// binary digits, up to the first other character. No digits give 0; the result wraps to 32 bits.
int32_t StringToInt(const String& text);
// The same rule with a 64-bit result, wrapping to 64 bits.
int64_t StringToLong(const String& text);

}  // namespace tarn
