// Byte-order wrappers: big-endian data on this little-endian machine.
//
// A TByteOrderStream reverses the bytes of every short, int, long, float and double it reads
// or writes; bytes, blocks, lines and strings pass through unchanged. The factory answers the
// protocols "bigendian" (a swapping wrapper over the rest of the URL) and "littleendian" (the
// inner stream itself, since the machine's own order is little-endian).
#pragma once

#include "stream/stream.h"
#include "stream/stream_factory.h"

namespace tarn {

class TByteOrderStream : public TStreamWrapper {
 public:
  int32_t ReadShort() override;
  void WriteShort(int32_t value) override;
  int32_t ReadInt() override;
  void WriteInt(int32_t value) override;
  int64_t ReadLong() override;
  void WriteLong(int64_t value) override;
  float ReadFloat() override;
  void WriteFloat(float value) override;
  double ReadDouble() override;
  void WriteDouble(double value) override;

  static void Swap2(void* p);
  static void Swap4(void* p);
  static void Swap8(void* p);
  // The null object for the null object, else a new wrapper over stream.
  static Ref<TStream> Create(const Ref<TStream>& stream);
  static Ref<TStream> ByteOrderBig(const Ref<TStream>& stream);     // Create(stream)
  static Ref<TStream> ByteOrderLittle(const Ref<TStream>& stream);  // stream itself
};

class TByteOrderStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& proto, const String& path,
                            bool readable, bool writeable) override;
};

Ref<TStream> WrapBigEndian(const Ref<TStream>& stream);
Ref<TStream> WrapLittleEndian(const Ref<TStream>& stream);

}  // namespace tarn
