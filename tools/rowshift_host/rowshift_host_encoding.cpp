#include "tools/rowshift_host/rowshift_host_encoding.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "outline/text_bytes.h"

namespace rowshift::tool {
namespace {

// The wide encodings are tried on this many bytes at the start of a file.
constexpr std::size_t kBytesLookedAt = 65536;
// Text in UTF-16 or UTF-32 has a zero byte in at least one code unit of this
// many (line ends, indents and spaces, also among CJK names); the units that
// text in a byte encoding with a stray NUL makes have nearly none.
constexpr std::size_t kUnitsPerZeroByte = 8;
constexpr char16_t kFirstLeadSurrogate = 0xD800;
constexpr char16_t kLastLeadSurrogate = 0xDBFF;

// The encodings tried besides UTF-8, each with the byte-order mark that names
// it. Byte encodings (Shift_JIS, GB18030, Windows-1252, KOI8-R, ...) are not
// among them: most bytes decode as several of them, so none can be named.
struct WideEncoding {
  const char* name;
  std::size_t unit_size;
  bool big_endian;
  std::string_view mark;
};
// UTF-32LE's mark starts with UTF-16LE's, so it is looked for first.
constexpr WideEncoding kWideEncodings[] = {
    {"UTF-32", 4, false, std::string_view("\xFF\xFE\0\0", 4)},
    {"UTF-32", 4, true, std::string_view("\0\0\xFE\xFF", 4)},
    {"UTF-16", 2, false, "\xFF\xFE"},
    {"UTF-16", 2, true, "\xFE\xFF"},
};

bool IsControlButLineBreakOrTab(unsigned char byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
}

template <typename Unit>
bool HasZeroByte(Unit unit) {
  for (std::size_t k = 0; k < sizeof(Unit); ++k) {
    if ((static_cast<char32_t>(unit) >> (8 * k) & 0xFF) == 0) return true;
  }
  return false;
}

// Whether `bytes` decode as text in `Unit`-wide code units: units that
// convert, surrogates in pairs, no NUL or control character but tabs and line
// ends, enough zero bytes, and line ends where the bytes seem to hold some. A
// unit or pair cut by the end is left out.
template <typename Unit>
bool DecodesAs(std::string_view bytes, bool big_endian) {
  std::basic_string<Unit> units = outline::CodeUnitsOf<Unit>(bytes, big_endian);
  if (sizeof(Unit) == 2 && !units.empty() && units.back() >= kFirstLeadSurrogate &&
      units.back() <= kLastLeadSurrogate) {
    units.pop_back();
  }
  const auto zero_bytes = std::count_if(units.begin(), units.end(), HasZeroByte<Unit>);
  if (units.empty() || static_cast<std::size_t>(zero_bytes) * kUnitsPerZeroByte < units.size()) {
    return false;
  }
  std::string text;
  try {
    if constexpr (sizeof(Unit) == 2) {
      utf8::utf16to8(units.begin(), units.end(), std::back_inserter(text));
    } else {
      utf8::utf32to8(units.begin(), units.end(), std::back_inserter(text));
    }
  } catch (const utf8::exception&) {
    return false;
  }
  // Line-end bytes that end no line are parts of the text in another encoding.
  const auto holds_line_end = [](std::string_view part) {
    return part.find_first_of("\r\n") != part.npos;
  };
  if (holds_line_end(bytes) && !holds_line_end(text)) return false;
  return std::none_of(text.begin(), text.end(), [](char c) {
    return IsControlButLineBreakOrTab(static_cast<unsigned char>(c));
  });
}

bool DecodesAs(const WideEncoding& encoding, std::string_view bytes) {
  return encoding.unit_size == 2 ? DecodesAs<char16_t>(bytes, encoding.big_endian)
                                 : DecodesAs<char32_t>(bytes, encoding.big_endian);
}

// The one wide encoding that `bytes` (holding a NUL) decode as, or null where
// they decode as none or as more than one.
const char* OnlyWideEncoding(const std::string& bytes) {
  const std::string_view start = std::string_view(bytes).substr(0, kBytesLookedAt);
  const char* named = nullptr;
  for (const WideEncoding& encoding : kWideEncodings) {
    if (bytes.size() <= kBytesLookedAt && bytes.size() % encoding.unit_size != 0) continue;
    if (!DecodesAs(encoding, start) || (named != nullptr && named == encoding.name)) continue;
    if (named != nullptr) return nullptr;
    named = encoding.name;
  }
  return named;
}

std::string LooksLike(const char* encoding) {
  return std::string("not UTF-8 text; it looks like ") + encoding + " (save it as UTF-8)";
}

}  // namespace

std::optional<std::string> NotUtf8Text(const std::string& bytes) {
  for (const WideEncoding& encoding : kWideEncodings) {
    if (bytes.compare(0, encoding.mark.size(), encoding.mark) == 0) return LooksLike(encoding.name);
  }
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos) {
    if (const char* encoding = OnlyWideEncoding(bytes)) return LooksLike(encoding);
  }
  const auto invalid = utf8::find_invalid(bytes.begin(), bytes.end());
  const auto bad = static_cast<std::size_t>(invalid - bytes.begin());
  if (nul < bad) {
    return "not text: " + outline::PlaceOf(bytes, nul) + " holds a NUL byte, as binary files do";
  }
  if (invalid == bytes.end()) return std::nullopt;
  return "not UTF-8 text: " + outline::PlaceOf(bytes, bad) + " holds a byte that is not UTF-8 (" +
         outline::EscapedByte(static_cast<unsigned char>(*invalid)) + "); save it as UTF-8";
}

}  // namespace rowshift::tool
