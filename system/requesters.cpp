#include "system/requesters.h"

namespace tarn {

namespace {
const String& Nul() {
  static const String nul(std::u16string(1, u'\0'));
  return nul;
}
}  // namespace

uint32_t MessageBoxFlags(MessageBoxKind kind, bool serious) {
  constexpr uint32_t kTopMost = 0x40000, kWarning = 0x30, kInformation = 0x40;
  uint32_t buttons = 0;  // OK
  if (kind == MessageBoxKind::OkCancel) buttons = 1;
  if (kind == MessageBoxKind::YesNoCancel) buttons = 3;
  return kTopMost | (serious ? kWarning : kInformation) | buttons;
}

int32_t MessageBoxAnswer(MessageBoxKind kind, int32_t button) {
  constexpr int32_t kOk = 1, kYes = 6, kNo = 7;
  switch (kind) {
    case MessageBoxKind::Info: return 0;
    case MessageBoxKind::OkCancel: return button == kOk ? 1 : 0;
    case MessageBoxKind::YesNoCancel: return button == kYes ? 1 : button == kNo ? 0 : -1;
  }
  return 0;
}

RequesterPath SplitRequesterPath(const String& path) {
  String backslashed = path.Replace("/", "\\");
  int32_t slash = backslashed.FindLast("\\");
  if (slash < 0) return {String(), backslashed};
  // The root and a drive's root keep their "\": "C:" alone would be the drive's current folder.
  bool root = slash == 0 || (slash == 2 && backslashed.At(1) == u':');
  return {backslashed.Left(root ? slash + 1 : slash), backslashed.Mid(slash + 1)};
}

String FileFilterText(const String& extensions) {
  if (extensions.IsEmpty()) return String();
  String starDot = Nul() + "*.";
  String text =
      extensions.Find(":") < 0 ? "Files" + starDot + extensions : extensions.Replace(":", starDot);
  return text.Replace(";", Nul()).Replace(",", ";*.") + Nul();
}

// The groups are laid out as ",name:,ext,ext,;name:,ext," so that ",ext," finds an extension
// wherever it stands in its group, the last group included; the group's number is one more
// than the ";" before the find.
int32_t FileFilterIndex(const String& extensions, const String& path) {
  String name = SplitRequesterPath(path).name;
  int32_t dot = name.Find(".");
  if (dot < 0 || dot + 1 == name.Length()) return 0;  // no extension to look for
  String ext = "," + name.Mid(dot + 1).ToLower() + ",";
  String list = "," + extensions.ToLower().Replace(":", ":,").Replace(";", ",;") + ",";
  int32_t at = list.Find(ext);
  if (at < 0) return 0;
  int32_t index = 1;
  for (int32_t semicolon = list.Find(";"); semicolon >= 0 && semicolon < at;
       semicolon = list.Find(";", semicolon + 1)) {
    ++index;
  }
  return index;
}

String InitialFileName(const String& name) {
  return name.Length() < kRequesterBufferSize ? name : String();
}

}  // namespace tarn
