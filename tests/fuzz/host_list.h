// Name/value lists as the host hands them to the plug-in, built from fuzz input.
//
// Every value is a buffer the list owns, zero-padded to at least
// kSmallestValueBytes and 8-byte aligned, so any typed read or write the
// plug-in may make through a pair's value (an int, a bool, a pointer, a
// NUL-terminated text) stays inside it. The list remembers each buffer's
// content as built, so a target can ask which values the plug-in wrote.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"

namespace rowshift::fuzzing {

class HostList {
 public:
  static constexpr std::size_t kSmallestValueBytes = 16;
  static constexpr std::size_t kLargestRandomValueBytes = 40;

  HostList() = default;
  HostList(const HostList&) = delete;
  HostList& operator=(const HostList&) = delete;

  // A value holding `bytes`, then zeros.
  void* Value(const std::string& bytes) {
    const std::size_t words = (std::max(bytes.size() + 1, kSmallestValueBytes) + 7) / 8;
    std::vector<uint64_t>& buffer = buffers_.emplace_back(words, 0);
    std::memcpy(buffer.data(), bytes.data(), bytes.size());
    originals_.push_back(buffer);
    return buffer.data();
  }
  void* IntValue(int32_t value) {
    return Value(std::string(reinterpret_cast<const char*>(&value), sizeof value));
  }
  void* RandomValue(FuzzInput& input) { return Value(input.Bytes(kLargestRandomValueBytes)); }

  // Appends a pair; the name is copied.
  void Add(const std::string& name, void* value) {
    names_.push_back(name);
    pairs_.push_back({names_.back().c_str(), value});
  }

  // The first pair's name; empty when there is none.
  std::string FirstName() const { return pairs_.empty() ? std::string() : pairs_.front().name; }

  // The pairs as the host's array, closed by a null name.
  void** Slots() {
    slots_.clear();
    for (const Pair& pair : pairs_) {
      slots_.push_back(const_cast<char*>(pair.name));
      slots_.push_back(pair.value);
    }
    slots_.push_back(nullptr);
    return slots_.data();
  }

  // Names of the pairs whose value buffer differs from how it was built.
  std::set<std::string> WrittenNames() const {
    std::set<std::string> written;
    for (const Pair& pair : pairs_) {
      if (pair.value != nullptr && Changed(pair.value)) written.insert(pair.name);
    }
    return written;
  }

  // True when the buffer at `value` (made by this list) differs from how it was built.
  bool Changed(const void* value) const {
    for (std::size_t index = 0; index < buffers_.size(); ++index) {
      if (buffers_[index].data() == value) return buffers_[index] != originals_[index];
    }
    return false;
  }

 private:
  struct Pair {
    const char* name;
    void* value;
  };
  std::deque<std::string> names_;
  std::deque<std::vector<uint64_t>> buffers_;
  std::deque<std::vector<uint64_t>> originals_;
  std::vector<Pair> pairs_;
  std::vector<void*> slots_;
};

}  // namespace rowshift::fuzzing
