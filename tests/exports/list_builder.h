// Builds a host name/value list for a test, with storage for every value, and
// out slots pre-filled with a poison value so a test sees exactly what was
// written.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace rowshift::testing {

inline constexpr int32_t kUntouched32 = 0x5A5A5A5A;
inline constexpr unsigned char kUntouchedByte = 0xA5;
// Every byte of the pointer is poison, so a write narrower than a pointer shows.
inline void* const kUntouchedPointer =
    reinterpret_cast<void*>(~static_cast<uintptr_t>(0) / 0xFF * 0x5A);

class ListBuilder {
 public:
  ListBuilder() = default;
  ListBuilder(const ListBuilder&) = delete;
  ListBuilder& operator=(const ListBuilder&) = delete;

  ListBuilder& Int(const char* key, int32_t value);
  ListBuilder& Float(const char* key, float value);
  ListBuilder& Value(const char* key, void* value);
  ListBuilder& Text(const char* key, const char* text);

  // Host storage under `key` that the dispatcher may write.
  int32_t* Out32(const char* key);
  void** OutPointer(const char* key);
  unsigned char* OutByte(const char* key);

  // The list: name, value, ..., null name. Valid while the builder lives and
  // until the next pair is added.
  void** Slots();

 private:
  void Add(const char* key, void* value);

  std::deque<std::string> names_;
  std::deque<int32_t> ints_;
  std::deque<float> floats_;
  std::deque<void*> pointers_;
  std::deque<unsigned char> bytes_;
  std::vector<void*> slots_{nullptr};
};

}  // namespace rowshift::testing
