// What the message boxes and the file requester hand to Windows, worked out without opening a
// dialog: the flags and answers of the three message boxes, the initial folder and name of the
// file requester, its filter text and the filter chosen first.
//
// Extensions are given as groups "Name:ext,ext;Name:ext" ("Text:txt,doc;All:*"), or as a bare
// list "png,jpg" that becomes one group called "Files". Pure functions; any thread.
#pragma once

#include <cstdint>

#include "runtime/runtime.h"

namespace tarn {

enum class MessageBoxKind { Info, OkCancel, YesNoCancel };

// MessageBoxA flags: always top-most; a warning icon when serious, else an information icon.
uint32_t MessageBoxFlags(MessageBoxKind kind, bool serious);
// The result of a box from the button Windows reports (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7):
// OK/Cancel gives 1 for OK, else 0; Yes/No/Cancel 1 for Yes, 0 for No, -1 otherwise.
int32_t MessageBoxAnswer(MessageBoxKind kind, int32_t button);

// Every "/" of path turned into "\", split at the last "\": dir is the part before it, name
// the part after. Without a "\" dir is empty and name is the whole path. The root "\" and a
// drive root "C:\" keep their backslash as dir.
struct RequesterPath {
  String dir;
  String name;
};
RequesterPath SplitRequesterPath(const String& path);

// The requester's filter: pairs of name and pattern list, each followed by a NUL character
// ("Text", NUL, "*.txt;*.doc", NUL ...). Empty extensions give the empty string (no filter).
String FileFilterText(const String& extensions);

// The 1-based number of the group whose extensions hold the extension of path's file name
// (the text after the first "." of the name, compared without case), or 0 when none does.
int32_t FileFilterIndex(const String& extensions, const String& path);

// Size of the requesters' result buffers, in bytes, the terminating NUL included.
constexpr int32_t kRequesterBufferSize = 4096;

// The initial file name the file requester shows: name itself when it fits the result buffer
// with its NUL, otherwise empty, so that the requester never opens on a cut-off name.
String InitialFileName(const String& name);

}  // namespace tarn
