#include <windows.h>

#include "app/options_file.h"

namespace tarn {

// The C runtime's rename refuses an existing target on Windows; MoveFileEx replaces it, and
// write-through returns only once the move is on disk.
bool ReplaceFileWith(const String& from, const String& to) {
  return MoveFileExA(from.ToBytes().c_str(), to.ToBytes().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace tarn
