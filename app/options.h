// The countdown's remembered window position, kept in "options.cfg" in the working directory
// (the program's own folder).
//
// The file is 8-bit text, one key=value per line; keys "pos_x" and "pos_y" are compared
// without regard to ASCII case, values are integers as the runtime reads them, a later line
// wins, and anything else is skipped. Load leaves the fields as they are when the file is
// missing. Save writes exactly "pos_x=X" and "pos_y=Y" as CR LF lines into a temporary file
// beside "options.cfg" and replaces the old file only once every byte is known to be on the
// disk, so a failed or interrupted save (a full disk, a killed process) keeps the position
// stored before. A read-only "options.cfg" is left as it is. Neither reports a failure. Main
// thread only.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace tarn {

class TOptions : public Object {
 public:
  void Load();
  void Save();

  int32_t x = 0;  // left edge of the main window
  int32_t y = 0;  // top edge of the main window
};

}  // namespace tarn
