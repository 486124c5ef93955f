#include "system/system_driver_url.h"

#include "stream/filesystem.h"

namespace tarn {

namespace {

bool IsProtocolCharacter(char16_t c, bool first) {
  bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
  if (first) return letter;
  return letter || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// "name://", with a name of two characters at least, so that a drive (C://x) is no protocol.
bool HasSlashedProtocol(const String& url) {
  int32_t colon = url.Find("://");
  if (colon < 2) return false;
  for (int32_t i = 0; i < colon; ++i) {
    if (!IsProtocolCharacter(url.At(i), i == 0)) return false;
  }
  return true;
}

}  // namespace

bool HasUrlProtocol(const String& url) {
  String start = url.Left(7).ToLower();
  return start.StartsWith("http:") || start.StartsWith("file:") || start == "mailto:" ||
         HasSlashedProtocol(url);
}

String ShellOpenUrl(const String& url) {
  if (HasUrlProtocol(url)) return url;
  String target = url;
  String anchor;
  int32_t hash = url.Find("#");
  if (hash >= 0) {
    anchor = url.Mid(hash);
    target = url.Left(hash);
  }
  String absolute = AbsolutePath(target);
  if (PathKind(absolute) != PATHKIND_NONE) return "file:" + absolute + anchor;
  return (target.StartsWith("//") ? "http:" : "http://") + target + anchor;
}

}  // namespace tarn
