// Data streams: whole object graphs written to and read from a stream.
//
// A TDataStream wraps a stream opened for reading or for writing, never both. It numbers the
// objects and the data types it meets, writes each type's name once and each object once, and
// writes back-references for repeats, so shared references survive a round trip. Wire format
// of one object: byte 0 for the null object or anything that is not a TDataObject (strings
// included); byte 255 and an int n for the object numbered n earlier; otherwise a type id
// 1..254, the type's name as a line the first time the id appears, then the type's content.
// Numbers, lines and bytes use the inner stream's own operations, so a data stream over a text
// stream is text. Reading refuses malformed input with a raised string instead of trusting it:
// unknown back-references read as the null object, negative or oversized counts raise
// "Corrupt data stream", and graphs nested deeper than kMaxDepth raise "Data stream nested too
// deeply" in both directions, before the stack runs out. Main thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/containers.h"
#include "runtime/data_object.h"
#include "stream/stream.h"
#include "stream/stream_factory.h"

namespace tarn {

// The number given to an object or a type in a data stream's maps.
class TDataIndex : public Object {
 public:
  explicit TDataIndex(int32_t value) : value(value) {}
  int32_t Compare(const Object& other) const override;  // by value
  static Ref<TDataIndex> Create(int32_t value) { return New<TDataIndex>(value); }
  const int32_t value;
};

class TDataStream : public TStreamWrapper {
 public:
  // Objects nested deeper than this are refused, on reading and on writing.
  static constexpr int32_t kMaxDepth = 1000;

  Ref<Object> ReadObject() override;
  void WriteObject(const Ref<Object>& object) override;
  static Ref<TDataStream> Create(const Ref<TStream>& stream);

  // A count read from the stream (bank size, list length) that must be at least 0 and, where
  // the stream can tell, no more than it still holds; anything else raises "Corrupt data stream".
  int32_t ReadCount();

  int32_t objectCount = 0;
  int32_t typeCount = 0;
  std::vector<Ref<Object>> readObjects = std::vector<Ref<Object>>(256);
  std::vector<Ref<TDataType>> readTypes = std::vector<Ref<TDataType>>(256);
  Ref<TMap> writtenObjects = New<TMap>();  // object -> TDataIndex
  Ref<TMap> writtenTypes = New<TMap>();    // type name -> TDataIndex

 private:
  int32_t depth_ = 0;  // objects being read or written inside one another
};

// "data": a data stream over the rest of the URL. Raises "DataStreams can not be both
// readable and writeable" when both flags are set.
class TDataStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& proto, const String& path,
                            bool readable, bool writeable) override;
};

// "KLN.LinkedList.TList": the count, then each element as an object.
class TListDataType : public TDataType {
 public:
  String Name() const override { return "KLN.LinkedList.TList"; }
  Ref<Object> ReadObject(TDataStream& stream) override;
  void WriteObject(const Ref<Object>& object, TDataStream& stream) override;
};

// "KLN.Bank.TBank": the size, then the bytes.
class TBankDataType : public TDataType {
 public:
  String Name() const override { return "KLN.Bank.TBank"; }
  Ref<Object> ReadObject(TDataStream& stream) override;
  void WriteObject(const Ref<Object>& object, TDataStream& stream) override;
};

}  // namespace tarn
