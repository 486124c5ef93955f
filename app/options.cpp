#include "app/options.h"

#include <cstdio>

#include "app/options_file.h"
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
  String temporary = path + ".tmp";
  Ref<TStream> stream = FileOpenWrite(temporary);
  if (!stream) return false;
  bool written = false;
  try {
    written = write(stream);
  } catch (...) {
    FileClose(stream);
    std::remove(temporary.ToBytes().c_str());
    throw;
  }
  FileClose(stream);
  if (written && ReplaceFileWith(temporary, path)) return true;
  std::remove(temporary.ToBytes().c_str());
  return false;
}

}  // namespace tarn
