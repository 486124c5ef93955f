// The current local date and time as text, formatted by the C runtime's strftime in its current
// locale: DateText "05 Mar 2024" ("%d %b %Y"), TimeText "15:09:00" ("%H:%M:%S").
// Any thread; localtime's shared buffer makes concurrent calls unsafe, so keep to the main one.
#pragma once

#include <ctime>

#include "runtime/runtime.h"

namespace tarn {

String DateText();
String TimeText();

// format applied to a broken-down time, through a 256-byte buffer; "" when the text would not
// fit.
String FormatCalendarTime(const char* format, const std::tm& time);

// format applied to the local time of the calendar time t; "" when t has no local time.
String FormatLocalTime(const char* format, std::time_t t);

}  // namespace tarn
