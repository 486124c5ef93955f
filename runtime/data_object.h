// Objects that can travel through a data stream, and the registry of their data types.
//
// A TDataObject names its TDataType; the type record knows how to write an object's content to
// a data stream and how to build an object from it. Type records register themselves by
// construction, newest in front, so a lookup by name meets the newest record first and a later
// type with the same name hides an earlier one. They live for the whole process. The registry
// is filled during module start-up on the main thread. TDataStream itself is in stream/.
#pragma once

#include "runtime/object.h"
#include "runtime/string.h"

namespace tarn {

class TDataStream;

class TDataType : public Object {
 public:
  TDataType();  // links this type in front of the registry
  virtual String Name() const = 0;
  // Builds an object from the content that WriteObject wrote.
  virtual Ref<Object> ReadObject(TDataStream& stream) = 0;
  virtual void WriteObject(const Ref<Object>& object, TDataStream& stream) = 0;
  // Called once the object read has been entered in the stream's table. Does nothing here.
  virtual void FinishRead(const Ref<Object>& object, TDataStream& stream);

  Ref<TDataType> next;  // the next older type; the null object ends the list
};

// The newest registered type, the head of the registry.
Ref<TDataType> DataTypes();
// The newest type whose Name is name (case-sensitive), or the null object.
Ref<TDataType> FindDataType(const String& name);

class TDataObject : public Object {
 public:
  virtual Ref<TDataType> DataType() = 0;
};

}  // namespace tarn
