#include "system/date_time.h"

namespace tarn {

String FormatCalendarTime(const char* format, const std::tm& time) {
  char buffer[256];
  size_t length = std::strftime(buffer, sizeof buffer, format, &time);
  return String::FromBytes(std::string_view(buffer, length));
}

String FormatLocalTime(const char* format, std::time_t t) {
  const std::tm* local = std::localtime(&t);
  if (!local) return String();
  return FormatCalendarTime(format, *local);
}

String DateText() { return FormatLocalTime("%d %b %Y", std::time(nullptr)); }
String TimeText() { return FormatLocalTime("%H:%M:%S", std::time(nullptr)); }

}  // namespace tarn
