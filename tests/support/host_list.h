// A name/value list as the host hands it to the plug-in, built by a test: name,
// value, ..., null name.
//
// Names are copied. Every value the list makes is a zero-padded buffer it
// owns, at least kSmallestValueBytes long and aligned for any scalar, so any
// typed read or write the plug-in may make through a pair's value (an int, a
// bool, a pointer, a NUL-terminated text) stays inside it. The list remembers
// each buffer as it was made, so a test sees exactly which values were
// written. Out slots start as poison, so a write of any width shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace rowshift::testing {

// What the out slots hold until the plug-in writes them: every byte poison.
inline constexpr int32_t kUntouched32 = 0x5A5A5A5A;
inline constexpr unsigned char kUntouchedByte = 0xA5;
inline void* const kUntouchedPointer =
    reinterpret_cast<void*>(~static_cast<uintptr_t>(0) / 0xFF * 0x5A);

class HostList {
 public:
  static constexpr std::size_t kSmallestValueBytes = 16;

  HostList() = default;
  HostList(const HostList&) = delete;
  HostList& operator=(const HostList&) = delete;

  // A value holding `bytes`, then zeros; it joins the list through Add.
  void* Value(const std::string& bytes);
  void* IntValue(int32_t value);

  // Appends a pair; `value` may be any pointer, null included.
  HostList& Add(const std::string& name, void* value);
  HostList& Int(const std::string& name, int32_t value) { return Add(name, IntValue(value)); }
  HostList& Float(const std::string& name, float value);
  HostList& Text(const std::string& name, const std::string& text) {
    return Add(name, Value(text));
  }

  // A pair whose value is an out slot the plug-in may write, pre-filled with poison.
  int32_t* Out32(const std::string& name);
  void** OutPointer(const std::string& name);
  unsigned char* OutByte(const std::string& name);

  // The pairs as the host's array, closed by a null name; valid until the
  // next pair is added or the list goes.
  void** Slots();

  // The first pair's name; empty when there is none.
  std::string FirstName() const;
  // Names of the pairs whose value buffer differs from how it was made.
  std::set<std::string> WrittenNames() const;
  // True when the buffer at `value` (made by this list) differs from how it was made.
  bool Changed(const void* value) const;

 private:
  void* Poisoned(unsigned char byte);

  struct Pair {
    const char* name;
    void* value;
  };
  std::deque<std::string> names_;
  std::deque<std::vector<unsigned char>> buffers_;
  std::deque<std::vector<unsigned char>> originals_;
  std::vector<Pair> pairs_;
  std::vector<void*> slots_;
};

}  // namespace rowshift::testing
