#include "runtime/string.h"

#include <algorithm>

#include "runtime/exceptions.h"

namespace tarn {
namespace {

const Ref<TString>& SharedEmpty() {
  static const Ref<TString> empty(new TString(std::u16string()));
  return empty;
}

Ref<TString> Share(std::u16string units) {
  if (units.empty()) return SharedEmpty();
  return Ref<TString>(new TString(std::move(units)));
}

std::u16string Widen(std::string_view bytes) {
  std::u16string units(bytes.size(), u'\0');
  std::transform(bytes.begin(), bytes.end(), units.begin(),
                 [](char b) { return static_cast<char16_t>(static_cast<unsigned char>(b)); });
  return units;
}

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

String TString::ToString() const { return String(units); }

int32_t TString::Compare(const Object& other) const {
  auto* text = dynamic_cast<const TString*>(&other);
  if (!text) return Object::Compare(other);
  return units.compare(text->units);
}

String::String() : object_(SharedEmpty()) {}
String::String(const char* latin1) : object_(Share(Widen(latin1 ? latin1 : ""))) {}
String::String(const char16_t* units) : object_(Share(units ? units : u"")) {}
String::String(std::u16string units) : object_(Share(std::move(units))) {}

String String::FromBytes(std::string_view bytes) { return String(Widen(bytes)); }

String String::FromObject(const Ref<Object>& object) {
  Ref<TString> text = Cast<TString>(object);
  return text ? String(text) : String();
}

char16_t String::At(int32_t index) const {
  if (index < 0 || index >= Length()) Raise(New<TArrayBoundsException>());
  return Units()[index];
}

std::string String::ToBytes() const {
  std::string bytes(Units().size(), '\0');
  std::transform(Units().begin(), Units().end(), bytes.begin(),
                 [](char16_t c) { return static_cast<char>(c & 0xFF); });
  return bytes;
}

int32_t String::Find(const String& needle, int32_t from) const {
  if (from < 0) from = 0;
  if (from > Length()) return -1;
  size_t at = Units().find(needle.Units(), from);
  return at == std::u16string::npos ? -1 : static_cast<int32_t>(at);
}

int32_t String::FindLast(const String& needle) const {
  size_t at = Units().rfind(needle.Units());
  return at == std::u16string::npos ? -1 : static_cast<int32_t>(at);
}

String String::Mid(int32_t start, int32_t count) const {
  start = std::clamp(start, 0, Length());
  int32_t available = Length() - start;
  if (count < 0 || count > available) count = available;
  if (start == 0 && count == Length()) return *this;
  return String(Units().substr(start, count));
}

bool String::StartsWith(const String& prefix) const {
  return Units().compare(0, prefix.Units().size(), prefix.Units()) == 0;
}

bool String::EndsWith(const String& suffix) const {
  return Length() >= suffix.Length() &&
         Units().compare(Length() - suffix.Length(), suffix.Length(), suffix.Units()) == 0;
}

String String::ToLower() const {
  std::u16string units = Units();
  for (char16_t& c : units)
    if (c >= u'A' && c <= u'Z') c = c - u'A' + u'a';
  return String(std::move(units));
}

String String::ToUpper() const {
  std::u16string units = Units();
  for (char16_t& c : units)
    if (c >= u'a' && c <= u'z') c = c - u'a' + u'A';
  return String(std::move(units));
}

String String::Replace(const String& from, const String& to) const {
  if (from.IsEmpty()) return *this;
  std::u16string result;
  size_t at = 0;
  for (size_t hit; (hit = Units().find(from.Units(), at)) != std::u16string::npos;
       at = hit + from.Units().size()) {
    result.append(Units(), at, hit - at).append(to.Units());
  }
  result.append(Units(), at);
  return String(std::move(result));
}

String operator+(const String& a, const String& b) {
  if (b.IsEmpty()) return a;
  if (a.IsEmpty()) return b;
  return String(a.Units() + b.Units());
}

String IntToString(int64_t value) { return String(std::to_string(value).c_str()); }

int64_t StringToLong(const String& text) {
  const std::u16string& s = text.Units();
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  int base = 10;
  if (i < s.size() && s[i] == u'$')
    base = 16, ++i;
  else if (i < s.size() && s[i] == u'%')
    base = 2, ++i;
  uint64_t value = 0;  // unsigned, so that overflow wraps instead of being undefined
  for (; i < s.size() && DigitValue(s[i]) < base; ++i) value = value * base + DigitValue(s[i]);
  if (negative) value = 0u - value;
  return static_cast<int64_t>(value);
}

// Wrapping to 64 bits and then to 32 gives the same low 32 bits as wrapping to 32 directly.
int32_t StringToInt(const String& text) {
  return static_cast<int32_t>(static_cast<uint32_t>(StringToLong(text)));
}

}  // namespace tarn
