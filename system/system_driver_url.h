// What ShellOpen hands to the shell: a URL stays as it is; anything else is taken for a path
// or a web address. An existing file or folder opens through its "file:" URL, with its absolute
// path ("notes.txt#part" in C:/w becomes file:C:/w/notes.txt#part); anything else becomes an
// "http://" address ("www.example.com" becomes http://www.example.com).
// Pure apart from the working directory and the one status look-up. Main thread only.
#pragma once

#include "runtime/runtime.h"

namespace tarn {

String ShellOpenUrl(const String& url);

// True when url starts with a protocol of its own: "http:" or "file:" in any case, a
// "name://" form (https://, ftp://) or "mailto:".
bool HasUrlProtocol(const String& url);

}  // namespace tarn
