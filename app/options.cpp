#include "app/options.h"

#include "app/options_file.h"
#include "stream/cstream.h"
#include "stream/filesystem.h"
#include "stream/stream_factory.h"

namespace tarn {
namespace {

const char kOptionsFile[] = "options.cfg";

// Drops leading and trailing blanks and control characters (codes below 33).
String Trim(const String& text) {
  int32_t start = 0;
  int32_t end = text.Length();
  while (start < end && text.At(start) < 33) ++start;
  while (end > start && text.At(end - 1) < 33) --end;
  return text.Mid(start, end - start);
}

// Whether a file at path may be replaced: nothing there yet, or a file that can be opened for
// writing and that its owner has not marked read-only (a marking that an administrator, or
// the platform's move, would otherwise pass over).
bool MayReplace(const String& path) {
  int32_t kind = PathKind(path);
  if (kind == PATHKIND_NONE) return true;
  if (kind != PATHKIND_FILE || (FileModeBits(path) & 0200) == 0) return false;
  Ref<TStream> probe = FileOpen(path, true, true);  // "r+b": opens without changing the file
  if (!probe) return false;
  probe->Close();
  return true;
}

// Whether every byte handed to stream has been written and, for a file, put on the disk.
bool WrittenThrough(const Ref<TStream>& stream) {
  if (stream->Flush() != 0) return false;
  Ref<TCStream> file = Cast<TCStream>(stream);
  return !file || file->Sync() == 0;
}

// The way out of a write that raised: its exception, not one from Close, reaches the caller.
void CloseAndRemove(const Ref<TStream>& stream, const String& temporary) {
  try {
    stream->Close();
  } catch (...) {
  }
  RemovePath(temporary);
}

}  // namespace

void TOptions::Load() {
  Ref<TStream> stream = FileOpenRead(kOptionsFile);
  if (!stream) return;
  while (!stream->Eof()) {
    int32_t before = stream->Pos();
    String line = stream->ReadLine();
    // A stream that yields nothing without reaching its end (a folder opened as a file, a
    // read error) would otherwise keep this loop going for ever.
    if (stream->Pos() == before) break;
    int32_t equals = line.Find("=");
    if (equals < 0) continue;
    String key = Trim(line.Left(equals)).ToLower();
    String value = Trim(line.Mid(equals + 1));
    if (key == "pos_x") {
      x = StringToInt(value);
    } else if (key == "pos_y") {
      y = StringToInt(value);
    }
  }
  FileClose(stream);
}

void TOptions::Save() {
  SaveReplacing(kOptionsFile, [this](const Ref<TStream>& stream) {
    return stream->WriteLine("pos_x=" + IntToString(x)) &&
           stream->WriteLine("pos_y=" + IntToString(y));
  });
}

bool SaveReplacing(const String& path, const std::function<bool(const Ref<TStream>&)>& write) {
  if (!MayReplace(path)) return false;
  String temporary = path + ".tmp";
  // A leftover of an interrupted save, read-only or not, is taken away first.
  RemovePath(temporary);
  Ref<TStream> stream = FileOpenWrite(temporary);
  if (!stream) return false;
  bool written = false;
  try {
    written = write(stream) && WrittenThrough(stream);
  } catch (...) {
    CloseAndRemove(stream, temporary);
    throw;
  }
  // Close reports the last bytes that could not be written (a full disk).
  written = stream->Close() == 0 && written;
  if (written && ReplaceFileWith(temporary, path)) return true;
  RemovePath(temporary);
  return false;
}

}  // namespace tarn
