// The engine's typed view of one host document, for the length of one call.
//
// Every read and change goes through the host entry-point table
// (HostFunctions()); the wrapper adds nothing but types. It holds the
// document handle only while the operation that made it runs and owns nothing:
// documents and objects belong to the host. A null object handle is never
// passed on to the host: such a call answers 0 (or null) without reaching it.
#pragma once

#include <cstdint>
#include <optional>

#include "boundary/host_protocol.h"

namespace rowshift {

// A host object handle; null means none.
using Object = void*;

// An object with the slot it was found in; none: index -1.
struct LocatedObject {
  Object object = nullptr;
  int32_t index = -1;
};

// Whether `index` names one of `count` slots. A host may answer an index past
// its list, or a negative one for none; neither names a slot.
constexpr bool NamesSlot(int32_t index, int32_t count) { return index >= 0 && index < count; }

class Document {
 public:
  explicit Document(void* handle) : handle_(handle) {}

  // True when the handle is not null and every document entry point the
  // engine calls is bound. The operations do nothing without it.
  bool IsUsable() const;

  int32_t ObjectCount() const;
  // The object in a slot; none for an empty slot.
  Object ObjectAt(int32_t index) const;
  int32_t IndexOf(Object object) const;
  // Puts `object` into a new slot after `anchor` (at index 0 for none); the
  // new slot's index, negative on failure.
  int32_t Insert(Object object, Object anchor) const;
  // Destroys the object in a slot; the slot stays, empty. False when the host
  // answered 0, which a host may answer for a deletion it made: its answer
  // to a deletion is no promise either way.
  bool Delete(int32_t index) const;
  Object Parent(Object object) const;
  int32_t ChildCount(Object object) const;
  // Negative: no current object.
  int32_t CurrentIndex() const;
  void SetCurrentIndex(int32_t index) const;
  // A copy in no document, carrying every value of `object`.
  Object Clone(Object object) const;
  // Frees an object that is in no document (a copy that could not be placed).
  void Free(Object object) const;
  int32_t Value(Object object, ObjectValueId id) const;
  void SetValue(Object object, ObjectValueId id, int32_t value) const;

  // For Collapsed, Eligible and Selected only zero against nonzero matters.
  bool Flag(Object object, ObjectValueId id) const { return Value(object, id) != 0; }

 private:
  void* handle_;
};

// The document an operation works on, with its slot count as read once at
// the start.
struct OpenDocument {
  Document document;
  int32_t count = 0;
};

// Reads the slot count of a usable document; none for a document that is not
// usable, on which an operation does nothing.
std::optional<OpenDocument> Open(void* handle);

}  // namespace rowshift
