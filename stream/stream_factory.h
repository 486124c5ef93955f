// Opening streams by URL, and the registry of stream factories behind it.
//
// A URL is a stream object (wrapped in a TStreamStream), another object some factory accepts
// (a bank), or a string: a plain path, or protocol "::" rest, where the protocol (case folded)
// names a factory and the rest is handed to it, usually itself a URL. Factories link themselves
// in front of the registry when constructed and are consulted newest first; they live for the
// whole process. The registry is built during module start-up on the main thread. Openers never
// raise for a missing file or an unknown protocol: they return the null object. Streams they
// return belong to the caller, who closes them.
#pragma once

#include <cstdint>
#include <vector>

#include "stream/stream.h"

namespace tarn {

class TStreamFactory : public Object {
 public:
  TStreamFactory();            // links this factory in front of the registry
  ~TStreamFactory() override;  // unlinks a factory whose derived constructor raised
  // url: the object given to StreamOpen; proto: its protocol in lower case, "" when none;
  // path: the text after the first "::", "" when none. The null object: not mine.
  virtual Ref<TStream> CreateStream(const Ref<Object>& url, const String& proto, const String& path,
                                    bool readable, bool writeable);

  Ref<TStreamFactory> next;  // the next older factory; the null object ends the list
};

// The newest factory, the head of the registry.
Ref<TStreamFactory> StreamFactories();

Ref<TStream> StreamOpen(const Ref<Object>& url, bool readable, bool writeable);
Ref<TStream> StreamOpenRead(const Ref<Object>& url);
Ref<TStream> StreamOpenWrite(const Ref<Object>& url);

// Like StreamOpen, for callers that need a position: an unseekable stream is read into a bank.
Ref<TStream> FileOpen(const Ref<Object>& url, bool readable, bool writeable);
Ref<TStream> FileOpenRead(const Ref<Object>& url);
Ref<TStream> FileOpenWrite(const Ref<Object>& url);
// Closes stream; the null object is left alone.
void FileClose(const Ref<TStream>& stream);

// Whole-content load and save. A URL that cannot be opened loads as empty and saves nothing.
std::vector<uint8_t> UrlLoadBytes(const Ref<Object>& url);
void UrlSaveBytes(const std::vector<uint8_t>& bytes, const Ref<Object>& url);
String UrlLoadString(const Ref<Object>& url);                    // one code unit per byte
void UrlSaveString(const String& text, const Ref<Object>& url);  // low byte of each unit
Ref<Object> UrlLoadObject(const Ref<Object>& url);
void UrlSaveObject(const Ref<Object>& object, const Ref<Object>& url);

// Literal paths and URLs: StreamOpenRead("notes.txt").
inline Ref<TStream> StreamOpen(const char* url, bool readable, bool writeable) {
  return StreamOpen(String(url), readable, writeable);
}
inline Ref<TStream> StreamOpenRead(const char* url) { return StreamOpenRead(String(url)); }
inline Ref<TStream> StreamOpenWrite(const char* url) { return StreamOpenWrite(String(url)); }
inline Ref<TStream> FileOpen(const char* url, bool readable, bool writeable) {
  return FileOpen(String(url), readable, writeable);
}
inline Ref<TStream> FileOpenRead(const char* url) { return FileOpenRead(String(url)); }
inline Ref<TStream> FileOpenWrite(const char* url) { return FileOpenWrite(String(url)); }
inline std::vector<uint8_t> UrlLoadBytes(const char* url) { return UrlLoadBytes(String(url)); }
inline void UrlSaveBytes(const std::vector<uint8_t>& bytes, const char* url) {
  UrlSaveBytes(bytes, String(url));
}
inline String UrlLoadString(const char* url) { return UrlLoadString(String(url)); }
inline void UrlSaveString(const String& text, const char* url) { UrlSaveString(text, String(url)); }
inline Ref<Object> UrlLoadObject(const char* url) { return UrlLoadObject(String(url)); }
inline void UrlSaveObject(const Ref<Object>& object, const char* url) {
  UrlSaveObject(object, String(url));
}

}  // namespace tarn
