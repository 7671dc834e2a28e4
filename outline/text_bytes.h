// Text held as bytes, as the outline reader and the tools both read it: the
// UTF-8 byte-order mark, one line-end rule, places counted in characters, a
// byte written where it can be read, and the code units of a wide encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rowshift::outline {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool StartsWithByteOrderMark(std::string_view text);

// The length of the line end at `at` in `text`: 2 for CRLF, 1 for a lone LF
// or CR, 0 for any other byte.
std::size_t LineEndLength(std::string_view text, std::size_t at);

// How many characters `text` holds: UTF-8 sequences, and each byte that is no
// part of one.
std::size_t CharacterCount(std::string_view text);

// The size of the character `text` starts with (see CharacterCount); 0 when empty.
std::size_t FirstCharacterSize(std::string_view text);

// "line 3, column 7": where the byte at `offset` stands, lines ended by
// LineEndLength's rule, columns counted in characters from 1. A byte-order
// mark that opens the text is no character.
std::string PlaceOf(std::string_view text, std::size_t offset);

// `value` in upper-case hexadecimal, with leading zeros to `digits` digits.
std::string UpperHex(std::uint32_t value, std::size_t digits);

// "\x1B": a byte as it is written where it cannot stand as it is.
std::string EscapedByte(unsigned char byte);

// "U+200B": a character named by its number.
std::string CodePointName(char32_t code_point);

// The code units `Unit` wide (char16_t or char32_t) that `bytes` hold in the
// byte order asked for; a last unit cut short is left out.
template <typename Unit>
std::basic_string<Unit> CodeUnitsOf(std::string_view bytes, bool big_endian) {
  std::basic_string<Unit> units;
  units.reserve(bytes.size() / sizeof(Unit));
  for (std::size_t at = 0; at + sizeof(Unit) <= bytes.size(); at += sizeof(Unit)) {
    char32_t unit = 0;
    for (std::size_t k = 0; k < sizeof(Unit); ++k) {
      const std::size_t byte = at + (big_endian ? k : sizeof(Unit) - 1 - k);
      unit = unit << 8 | static_cast<unsigned char>(bytes[byte]);
    }
    units += static_cast<Unit>(unit);
  }
  return units;
}

}  // namespace rowshift::outline
