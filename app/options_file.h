// Safe replacement of a small file, as the options file is saved.
//
// SaveReplacing hands write a stream on "<path>.tmp" beside path (a leftover of an earlier
// save is removed first); only when write returns true and flushing, syncing to the disk and
// closing the temporary file all succeed does it take path's place in one rename. Anything
// that fails on the way (the folder is not writable, the disk is full, write returns false or
// raises) leaves the file at path untouched and removes the temporary file; an exception from
// write is passed on after that. A file at path that is read-only, or cannot be opened for
// writing, or is not a file, is not replaced at all.
#pragma once

#include <functional>

#include "runtime/string.h"
#include "stream/stream.h"

namespace tarn {

bool SaveReplacing(const String& path, const std::function<bool(const Ref<TStream>&)>& write);

// Moves the file from over the file to, replacing it in one step. Platform half.
bool ReplaceFileWith(const String& from, const String& to);

}  // namespace tarn
