#include <cstdio>

#include "app/options_file.h"

namespace tarn {

// POSIX rename replaces an existing target in one step.
bool ReplaceFileWith(const String& from, const String& to) {
  return std::rename(from.ToBytes().c_str(), to.ToBytes().c_str()) == 0;
}

}  // namespace tarn
