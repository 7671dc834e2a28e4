#include "tools/settings_file/settings_file_line_ends.h"

#include <cstddef>
#include <cstdint>

namespace rowshift::tool {
namespace {

constexpr std::uint32_t kLineFeed = 0x0A;
constexpr std::uint32_t kCarriageReturn = 0x0D;
constexpr unsigned kBitsPerByte = 8;

// How an encoding writes a character's code units: bytes each, byte order.
struct CodeUnits {
  std::size_t size = 1;
  bool big_endian = false;
};

CodeUnits CodeUnitsOf(pugi::xml_encoding encoding) {
  switch (encoding) {
    case pugi::encoding_utf16_le:
      return {2, false};
    case pugi::encoding_utf16_be:
      return {2, true};
    case pugi::encoding_utf32_le:
      return {4, false};
    case pugi::encoding_utf32_be:
      return {4, true};
    default:
      return {};
  }
}

std::uint32_t UnitAt(const std::string& bytes, std::size_t at, CodeUnits units) {
  std::uint32_t unit = 0;
  for (std::size_t i = 0; i < units.size; ++i) {
    const std::size_t byte = units.big_endian ? at + i : at + units.size - 1 - i;
    unit = (unit << kBitsPerByte) | static_cast<unsigned char>(bytes[byte]);
  }
  return unit;
}

std::string UnitOf(std::uint32_t value, CodeUnits units) {
  std::string unit(units.size, '\0');
  unit[units.big_endian ? units.size - 1 : 0] = static_cast<char>(value);
  return unit;
}

}  // namespace

bool EndsLinesWithCrLf(const std::string& bytes, pugi::xml_encoding encoding) {
  const CodeUnits units = CodeUnitsOf(encoding);
  for (std::size_t at = 0; at + units.size <= bytes.size(); at += units.size) {
    if (UnitAt(bytes, at, units) == kLineFeed) {
      return at > 0 && UnitAt(bytes, at - units.size, units) == kCarriageReturn;
    }
  }
  return false;
}

std::string WithCrLfLineEnds(const std::string& text, pugi::xml_encoding encoding) {
  const CodeUnits units = CodeUnitsOf(encoding);
  const std::string carriage_return = UnitOf(kCarriageReturn, units);
  std::string ended;
  ended.reserve(text.size() + text.size() / kBitsPerByte);
  for (std::size_t at = 0; at < text.size(); at += units.size) {
    if (at + units.size <= text.size() && UnitAt(text, at, units) == kLineFeed) {
      ended += carriage_return;
    }
    ended.append(text, at, units.size);
  }
  return ended;
}

}  // namespace rowshift::tool
