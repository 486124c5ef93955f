// Test helpers for code that raises objects.
#pragma once

#include <gtest/gtest.h>

#include "runtime/exceptions.h"

// Expects statement to raise an object whose text form is text.
#define EXPECT_RAISES_TEXT(statement, text)                                              \
  do {                                                                                   \
    try {                                                                                \
      statement;                                                                         \
      ADD_FAILURE() << "nothing was raised by " #statement;                              \
    } catch (const ::tarn::Raised& raised_) {                                            \
      EXPECT_EQ(raised_.Text().ToBytes(), std::string(text)) << "raised by " #statement; \
    }                                                                                    \
  } while (0)

// Expects statement to raise an object of class Class (or a subclass).
#define EXPECT_RAISES_CLASS(statement, Class)                   \
  do {                                                          \
    try {                                                       \
      statement;                                                \
      ADD_FAILURE() << "nothing was raised by " #statement;     \
    } catch (const ::tarn::Raised& raised_) {                   \
      EXPECT_TRUE(::tarn::Is<Class>(raised_.Value()))           \
          << #statement " raised " << raised_.Text().ToBytes(); \
    }                                                           \
  } while (0)
