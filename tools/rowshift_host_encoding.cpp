#include "tools/rowshift_host_encoding.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <iterator>
#include <string_view>
#include <vector>

namespace rowshift::tool {
namespace {

// NUL bytes are looked for, and read as UTF-16, in this many bytes at the
// start of a file.
constexpr std::size_t kBytesLookedAt = 65536;
constexpr char16_t kFirstLeadSurrogate = 0xD800;
constexpr char16_t kLastLeadSurrogate = 0xDBFF;
constexpr char kUtf16[] = "not UTF-8 text; it looks like UTF-16 (save it as UTF-8)";
constexpr char kBinary[] = "not text: it looks like a binary file (it holds NUL bytes)";

bool Within(unsigned char byte, unsigned char lowest, unsigned char highest) {
  return byte >= lowest && byte <= highest;
}

// NUL included.
bool IsControlButLineBreakOrTab(unsigned char byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
}

// Whether `bytes` read as UTF-16 text in the byte order asked for: surrogates
// in pairs, and no NUL or control character but tabs and line ends. A pair cut
// by the end of `bytes` is left out.
bool ReadsAsUtf16(std::string_view bytes, bool little_endian) {
  std::vector<char16_t> units;
  units.reserve(bytes.size() / 2);
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    units.push_back(
        static_cast<char16_t>(little_endian ? first | second << 8 : first << 8 | second));
  }
  if (!units.empty() && units.back() >= kFirstLeadSurrogate && units.back() <= kLastLeadSurrogate) {
    units.pop_back();
  }
  std::string text;
  try {
    utf8::utf16to8(units.begin(), units.end(), std::back_inserter(text));
  } catch (const utf8::exception&) {
    return false;
  }
  for (char c : text) {
    if (IsControlButLineBreakOrTab(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Whether `line` is Shift_JIS with at least one two-byte character of the JIS
// rows that Japanese text uses (kana, symbols, kanji); half-width kana alone
// read as Latin letters just as well.
bool ReadsAsShiftJis(std::string_view line) {
  bool japanese = false;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const auto lead = static_cast<unsigned char>(line[at]);
    if (lead < 0x80 || Within(lead, 0xA1, 0xDF)) continue;
    if (!Within(lead, 0x81, 0x9F) && !Within(lead, 0xE0, 0xFC)) return false;
    if (++at == line.size()) return false;
    const auto trail = static_cast<unsigned char>(line[at]);
    if (!Within(trail, 0x40, 0x7E) && !Within(trail, 0x80, 0xFC)) return false;
    japanese = japanese || Within(lead, 0x81, 0x84) || Within(lead, 0x87, 0x9F) ||
               Within(lead, 0xE0, 0xEA);
  }
  return japanese;
}

// Whether `line` is EUC-JP with at least one character of two or three bytes.
bool ReadsAsEucJp(std::string_view line) {
  bool japanese = false;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const auto lead = static_cast<unsigned char>(line[at]);
    if (lead < 0x80) continue;
    // 0x8E: half-width kana; 0x8F: the supplementary kanji, two bytes more.
    const std::size_t trails = lead == 0x8F ? 2 : 1;
    if (lead != 0x8E && lead != 0x8F && !Within(lead, 0xA1, 0xFE)) return false;
    for (std::size_t k = 0; k < trails; ++k) {
      if (++at == line.size()) return false;
      const auto trail = static_cast<unsigned char>(line[at]);
      if (!Within(trail, 0xA1, lead == 0x8E ? 0xDF : 0xFE)) return false;
    }
    japanese = true;
  }
  return japanese;
}

// Whether every byte of `line` is a character of Windows-1252 (five bytes of
// its upper half are not).
bool ReadsAsWindows1252(std::string_view line) {
  for (char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) return false;
  }
  return true;
}

// The number of the line that holds the byte at `at`, and where that line
// starts and ends.
struct LineAround {
  int number = 1;
  std::size_t start = 0;
  std::size_t end = 0;
};

LineAround FindLine(std::string_view text, std::size_t at) {
  LineAround line;
  for (std::size_t i = 0; i < at; ++i) {
    const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if ((text[i] == '\n' || text[i] == '\r') && !crlf) {
      ++line.number;
      line.start = i + 1;
    }
  }
  line.end = std::min(text.size(), text.find_first_of("\r\n", at));
  return line;
}

// What the line holding the first byte that is not UTF-8, at `bad`, reads as.
std::string DescribeLine(std::string_view text, std::size_t bad) {
  const LineAround around = FindLine(text, bad);
  const std::string_view line = text.substr(around.start, around.end - around.start);
  const std::string where = "line " + std::to_string(around.number);
  const std::string_view before = line.substr(0, bad - around.start);
  // Text before it in UTF-8 of more than ASCII makes one stray byte likelier
  // than a line in another encoding.
  const bool utf8_before = std::any_of(
      before.begin(), before.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (!utf8_before) {
    if (ReadsAsShiftJis(line)) return where + " reads as Shift_JIS";
    if (ReadsAsEucJp(line)) return where + " reads as EUC-JP";
    if (ReadsAsWindows1252(line)) return where + " reads as Windows-1252 (Latin-1)";
  }
  char byte[sizeof "\\xFF"];
  std::snprintf(byte, sizeof byte, "\\x%02X", static_cast<unsigned char>(text[bad]));
  return where + " holds a byte that is not UTF-8 (" + byte + ")";
}

}  // namespace

std::optional<std::string> NotUtf8Text(const std::string& bytes) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    return std::string(kUtf16);
  }
  if (bytes.find('\0') != std::string::npos) {
    const std::string_view start = std::string_view(bytes).substr(0, kBytesLookedAt);
    const bool utf16 = start.find('\0') != std::string_view::npos &&
                       (ReadsAsUtf16(start, true) || ReadsAsUtf16(start, false));
    return std::string(utf16 ? kUtf16 : kBinary);
  }
  const auto bad = utf8::find_invalid(bytes.begin(), bytes.end());
  if (bad == bytes.end()) return std::nullopt;
  return "not UTF-8 text: " + DescribeLine(bytes, static_cast<std::size_t>(bad - bytes.begin())) +
         "; save it as UTF-8";
}

}  // namespace rowshift::tool
