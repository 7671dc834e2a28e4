// Reading the host's name/value lists: the one place that decodes raw void**.
//
// A NameValueList is an array of pointer-sized slots, name, value, name, value,
// ..., closed by a null name. Names are NUL-terminated narrow keys compared
// byte for byte. Everything above this file sees typed values.
//
// A null list has no pairs. A pair whose value pointer is null reads as absent
// for int, float and out values, so a malformed list never makes us write
// through or read from a null pointer.
#pragma once

#include <cstdint>

namespace rowshift {

class NameValueList {
 public:
  explicit NameValueList(void** slots) : slots_(slots) {}

  // FindNamedArg: the value of the first pair named `key`, or null when there
  // is no such pair (or the value itself is null).
  void* Find(const char* key) const;

  // The last pair named `key`, scanning from `first_pair` (0 = the first pair).
  void* FindLast(const char* key, int first_pair) const;
  // The int of that last pair, as Int below.
  int32_t LastInt(const char* key, int first_pair, int32_t fallback) const;

  // Typed reads of a pair's value (first match). Absent gives the fallback.
  int32_t Int(const char* key, int32_t fallback) const;
  float Float(const char* key, float fallback) const;
  const char* Text(const char* key) const;  // null when absent

  // The address the host gave for us to write into, or null when absent.
  template <typename T>
  T* Out(const char* key) const {
    return static_cast<T*>(Find(key));
  }

  // The first pair, read without searching (events that name their form by it).
  bool HasFirstPair() const { return slots_ != nullptr && slots_[0] != nullptr; }
  const char* FirstName() const;  // null when there is no first pair
  void* FirstValue() const;       // null when there is no first pair

  void** Slots() const { return slots_; }

 private:
  void** slots_;
};

// Reads a 32-bit int through a value pointer, or gives the fallback for null.
int32_t ReadInt(const void* value, int32_t fallback);

// Write a 32-bit int, or a pointer, through a value pointer the host gave for
// an answer, at whatever alignment it has; nothing for null.
void WriteInt(void* value, int32_t written);
void WritePointer(void* value, const void* written);

}  // namespace rowshift
