// What every fuzz target needs: its input read as a stream of small values,
// and a check that stops the run when a property fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

namespace rowshift::testing {

// The most bytes a value made of random input holds (then zeros).
inline constexpr std::size_t kLargestRandomValueBytes = 40;

// Reads values off the front of the input. Once the input is used up, every
// read gives zero (or empty), so a target never needs to check for the end in
// the middle of building something.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }

  uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }

  bool Flag() { return (Byte() & 1) != 0; }

  // Little-endian bytes of an integer type; any value the type holds.
  template <typename Integer>
  Integer Value() {
    static_assert(std::is_integral_v<Integer>, "integers only");
    uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(Integer); ++i) bits |= uint64_t{Byte()} << (8 * i);
    return static_cast<Integer>(bits);
  }

  // A value in [low, high], taken from one byte (or four when the range is wider).
  int32_t InRange(int32_t low, int32_t high) {
    const uint64_t span = static_cast<uint64_t>(int64_t{high} - low) + 1;
    const uint64_t raw = span <= 256 ? Byte() : Value<uint32_t>();
    return static_cast<int32_t>(low + static_cast<int64_t>(raw % span));
  }

  // One of the choices.
  template <typename T, std::size_t N>
  const T& Pick(const T (&choices)[N]) {
    return choices[static_cast<std::size_t>(InRange(0, static_cast<int32_t>(N) - 1))];
  }

  // Up to max_length bytes of any content, the length read first.
  std::string Bytes(std::size_t max_length) {
    std::size_t length = static_cast<std::size_t>(Byte()) % (max_length + 1);
    std::string bytes;
    while (length-- > 0 && !Empty()) bytes.push_back(static_cast<char>(Byte()));
    return bytes;
  }

  // Everything not read yet.
  std::string Rest() {
    std::string bytes(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return bytes;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Stops the run with the broken property's name: libFuzzer keeps the input as a
// crash, and a corpus replay fails.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", property);
  std::abort();
}

}  // namespace rowshift::testing
