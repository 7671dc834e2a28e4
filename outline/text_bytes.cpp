#include "outline/text_bytes.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

namespace rowshift::outline {

bool StartsWithByteOrderMark(std::string_view text) {
  return text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
}

std::size_t LineEndLength(std::string_view text, std::size_t at) {
  if (text[at] == '\n') return 1;
  if (text[at] != '\r') return 0;
  return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (auto at = text.begin(); at != text.end();) {
    const auto invalid = utf8::find_invalid(at, text.end());
    count += static_cast<std::size_t>(utf8::unchecked::distance(at, invalid));
    if (invalid == text.end()) break;
    ++count;
    at = invalid + 1;
  }
  return count;
}

std::size_t FirstCharacterSize(std::string_view text) {
  // A character is at most four bytes long.
  const std::string_view start = text.substr(0, 4);
  if (start.empty() || utf8::find_invalid(start.begin(), start.end()) == start.begin()) {
    return std::min<std::size_t>(start.size(), 1);
  }
  auto end = start.begin();
  utf8::unchecked::next(end);
  return static_cast<std::size_t>(end - start.begin());
}

std::string PlaceOf(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  std::size_t line = 1;
  std::size_t line_start = StartsWithByteOrderMark(text) ? kUtf8ByteOrderMark.size() : 0;
  for (std::size_t at = line_start; at < offset; ++at) {
    const std::size_t end = LineEndLength(text, at);
    if (end == 0) continue;
    at += end - 1;
    if (at >= offset) break;  // inside a CRLF: the line it ends
    ++line;
    line_start = at + 1;
  }
  const std::size_t column = 1 + CharacterCount(text.substr(std::min(line_start, offset),
                                                            offset - std::min(line_start, offset)));
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string UpperHex(std::uint32_t value, std::size_t digits) {
  constexpr int kHex = 16;
  char written[8];
  const char* end = std::to_chars(std::begin(written), std::end(written), value, kHex).ptr;
  std::string hex(written, static_cast<std::size_t>(end - written));
  std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return std::string(digits > hex.size() ? digits - hex.size() : 0, '0') + hex;
}

std::string EscapedByte(unsigned char byte) { return "\\x" + UpperHex(byte, 2); }

std::string CodePointName(char32_t code_point) { return "U+" + UpperHex(code_point, 4); }

}  // namespace rowshift::outline
