#include <gtest/gtest.h>

#include <cctype>

#include "system/date_time.h"

namespace tarn {
namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

// "dd Mon yyyy" or "hh:mm:ss", as a pattern of d (digit), a (letter) and literal characters.
bool HasShape(const std::string& text, const std::string& shape) {
  if (text.size() != shape.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (shape[i] == 'd' ? !std::isdigit(c) : shape[i] == 'a' ? !std::isalpha(c) : c != shape[i])
      return false;
  }
  return true;
}

TEST(DateTime, FormatsOfTimeAndDate) {
  EXPECT_EQ(FormatCalendarTime("%H:%M:%S", At(2024, 3, 5, 15, 9, 0)).ToBytes(), "15:09:00");
  EXPECT_EQ(FormatCalendarTime("%H:%M:%S", At(2024, 3, 5, 0, 0, 7)).ToBytes(), "00:00:07");
  EXPECT_EQ(FormatCalendarTime("%d %b %Y", At(2024, 3, 5, 15, 9, 0)).ToBytes(), "05 Mar 2024");
  EXPECT_EQ(FormatCalendarTime("%d %b %Y", At(1999, 12, 31, 0, 0, 0)).ToBytes(), "31 Dec 1999");
}

TEST(DateTime, TextLongerThanTheBufferGivesTheEmptyString) {
  std::string format(300, 'x');
  EXPECT_TRUE(FormatCalendarTime(format.c_str(), At(2024, 3, 5, 15, 9, 0)).IsEmpty());
}

TEST(DateTime, CurrentDateAndTime) {
  EXPECT_TRUE(HasShape(TimeText().ToBytes(), "dd:dd:dd")) << TimeText().ToBytes();
  EXPECT_TRUE(HasShape(DateText().ToBytes(), "dd aaa dddd")) << DateText().ToBytes();
}

}  // namespace
}  // namespace tarn
