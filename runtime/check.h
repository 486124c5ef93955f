// TARN_CHECK: an assertion for obligations the caller carries and the code does not test for
// itself (a hook id inside its table, an offset inside a bank). The test and fuzz builds define
// TARNWICK_CHECKS, so a caller's mistake stops there with the file, line and condition; the
// shipped program compiles the check out and keeps the unchecked, fast path.
#pragma once

#ifdef TARNWICK_CHECKS
#include <cstdio>
#include <cstdlib>
#define TARN_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)
#else
#define TARN_CHECK(condition) \
  do {                        \
  } while (0 && (condition))
#endif
