// Safe replacement of a small file, as the options file is saved.
//
// SaveReplacing hands write a stream on "<path>.tmp" beside path; only when write returns
// true and the temporary file is complete does it take path's place in one rename. Anything
// that fails on the way (the folder is not writable, write returns false or raises) leaves
// the file at path untouched and removes the temporary file; an exception from write is
// passed on after that.
#pragma once

#include <functional>

#include "runtime/string.h"
#include "stream/stream.h"

namespace tarn {

bool SaveReplacing(const String& path, const std::function<bool(const Ref<TStream>&)>& write);

// Moves the file from over the file to, replacing it in one step. Platform half.
bool ReplaceFileWith(const String& from, const String& to);

}  // namespace tarn
