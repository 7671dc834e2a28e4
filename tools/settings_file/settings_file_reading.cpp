#include "tools/settings_file/settings_file_reading.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include <utf8cpp/utf8.h>

#include "outline/text_bytes.h"
#include "tools/settings_file/settings_file_tree.h"

namespace rowshift::tool {
namespace {

// Fragment parsing keeps text outside the root element, so it can be refused
// rather than silently dropped.
constexpr unsigned kParseOptions = pugi::parse_full | pugi::parse_fragment;
constexpr std::size_t kLongestEntityShown = 32;
constexpr char kNotWellFormed[] = "is not well-formed XML: ";

bool StartsWith(const std::string& bytes, const std::string& start) {
  return bytes.compare(0, start.size(), start) == 0;
}

std::size_t CodeUnitSize(pugi::xml_encoding encoding) {
  switch (encoding) {
    case pugi::encoding_utf16_le:
    case pugi::encoding_utf16_be:
      return 2;
    case pugi::encoding_utf32_le:
    case pugi::encoding_utf32_be:
      return 4;
    default:
      return 1;
  }
}

// A UTF-16 or UTF-32 file's text in UTF-8, its code units `Unit` wide, in
// the file's byte order. Throws utf8::exception where it does not convert.
template <typename Unit>
std::string Utf8OfWide(const std::string& bytes, bool big_endian) {
  const std::basic_string<Unit> units = outline::CodeUnitsOf<Unit>(bytes, big_endian);
  std::string text;
  if constexpr (sizeof(Unit) == 2) {
    utf8::utf16to8(units.begin(), units.end(), std::back_inserter(text));
  } else {
    utf8::utf32to8(units.begin(), units.end(), std::back_inserter(text));
  }
  return text;
}

// The text as the parser reads it, in UTF-8, in which its offsets count: the
// bytes themselves, or the file converted from Latin-1, UTF-16 or UTF-32 (a
// byte-order mark included, as the parser keeps it). None where the file does
// not convert, as for a lone surrogate.
std::optional<std::string> ParsedText(const std::string& bytes, pugi::xml_encoding encoding) {
  try {
    switch (encoding) {
      case pugi::encoding_latin1: {
        std::string text;
        for (const char byte : bytes) {
          utf8::append(static_cast<unsigned char>(byte), std::back_inserter(text));
        }
        return text;
      }
      case pugi::encoding_utf16_le:
      case pugi::encoding_utf16_be:
        return Utf8OfWide<char16_t>(bytes, encoding == pugi::encoding_utf16_be);
      case pugi::encoding_utf32_le:
      case pugi::encoding_utf32_be:
        return Utf8OfWide<char32_t>(bytes, encoding == pugi::encoding_utf32_be);
      default:
        return bytes;
    }
  } catch (const utf8::exception&) {
    return std::nullopt;
  }
}

// The parser stops at a NUL character as if the text ended there.
bool HoldsNul(const std::string& bytes, pugi::xml_encoding encoding) {
  const std::size_t unit = CodeUnitSize(encoding);
  for (std::size_t at = 0; at + unit <= bytes.size(); at += unit) {
    if (bytes.find_first_not_of('\0', at) >= at + unit) return true;
  }
  return false;
}

// "line 3, column 7" for an offset into the parsed text (see
// outline::PlaceOf); "byte N of the text as read" where lines cannot be counted.
std::string PlaceOf(const std::optional<std::string>& text, std::ptrdiff_t offset) {
  const auto at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0));
  if (!text || at > text->size()) return "byte " + std::to_string(at) + " of the text as read";
  return outline::PlaceOf(*text, at);
}

// Whether XML 1.0 can hold `c` in a document (NUL aside, refused before).
bool IsXmlCharacter(char32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The first character in the parsed text that XML 1.0 cannot hold, or a byte
// that is no part of UTF-8: the parser keeps either as it is, and the file
// saved with it would not read again elsewhere.
std::optional<std::string> CharacterFault(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const auto fault = [&](std::string::const_iterator at, const std::string& what) {
    return "has " + what + ", which XML 1.0 cannot hold, at " + PlaceOf(text, at - text->begin());
  };
  for (auto at = text->begin(); at != text->end();) {
    const auto invalid = utf8::find_invalid(at, text->end());
    while (at != invalid) {
      const auto start = at;
      const char32_t c = utf8::unchecked::next(at);
      if (!IsXmlCharacter(c)) return fault(start, "the character " + outline::CodePointName(c));
    }
    if (invalid == text->end()) break;
    return fault(invalid, "a byte that is not UTF-8 (" +
                              outline::EscapedByte(static_cast<unsigned char>(*invalid)) + ")");
  }
  return std::nullopt;
}

// Whether the parse of `size` bytes stopped because they ended with an
// element open: the parser then stops at the last byte, and at the name of an
// end tag that closes no open element otherwise.
bool EndsFirst(const pugi::xml_parse_result& parsed, std::size_t size) {
  return parsed.status == pugi::status_end_element_mismatch &&
         static_cast<std::size_t>(std::max<std::ptrdiff_t>(parsed.offset, 0)) + 1 >= size;
}

// The innermost element open where the parser stopped (at `stop` in `text`),
// or empty for none. The parser keeps the elements it closed as well as those
// left open: of the chain of last children from the top down, the open ones
// come first and the closed ones after. An open one runs, parsed on its own
// from its start tag, to the place the parser stopped; a closed one ends
// before. Where the text's offsets name no place, the chain's last element.
std::string OpenElement(const pugi::xml_document& document, const std::optional<std::string>& text,
                        bool ended_first, std::ptrdiff_t stop) {
  std::vector<pugi::xml_node> chain;
  for (pugi::xml_node node = document.last_child(); node && node.type() == pugi::node_element;
       node = node.last_child()) {
    chain.push_back(node);
  }
  if (chain.empty()) return std::string();
  if (!text) return chain.back().name();
  // What the parser read before it stopped: all of it, or up to the "</" of
  // the end tag that closes no open element.
  const auto at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(stop, 0));
  const std::size_t read =
      ended_first ? text->size() : std::min(text->size(), std::max<std::size_t>(at, 2)) - 2;
  const auto is_open = [&](const pugi::xml_node& element) {
    const auto start = static_cast<std::size_t>(element.offset_debug()) - 1;  // its '<'
    if (start >= read) return false;
    pugi::xml_document part;
    return EndsFirst(
        part.load_buffer(text->data() + start, read - start, kParseOptions, pugi::encoding_utf8),
        read - start);
  };
  const auto first_closed = std::partition_point(chain.begin(), chain.end(), is_open);
  return first_closed == chain.begin() ? std::string()
                                       : std::string(std::prev(first_closed)->name());
}

// What the parser found wrong, in words.
std::string ParseFault(const pugi::xml_parse_result& parsed, const pugi::xml_document& document,
                       const std::optional<std::string>& text) {
  switch (parsed.status) {
    case pugi::status_end_element_mismatch: {
      // Where the offsets name no place, a file that ends first is the likely fault.
      const bool ended_first = !text || EndsFirst(parsed, text->size());
      const std::string open = OpenElement(document, text, ended_first, parsed.offset);
      if (open.empty()) return "an end tag without its start tag";
      if (ended_first) return "<" + open + "> is never closed: the file ends first";
      return "an end tag that does not close <" + open + ">, the element open there";
    }
    case pugi::status_unrecognized_tag:
      return "a '<' that starts no tag";
    case pugi::status_bad_pi:
      return "a processing instruction that is not closed with '?>'";
    case pugi::status_bad_comment:
      return "a comment that is not closed with '-->'";
    case pugi::status_bad_cdata:
      return "a CDATA section that is not closed with ']]>'";
    case pugi::status_bad_doctype:
      return "a doctype that is not closed";
    case pugi::status_bad_pcdata:
      return "text that cannot be read";
    case pugi::status_bad_start_element:
      return "a start tag that is not closed with '>'";
    case pugi::status_bad_attribute:
      return "an attribute without a quoted value";
    case pugi::status_bad_end_element:
      return "an end tag that is not closed with '>'";
    default:
      return parsed.description();
  }
}

bool IsNamedEntity(const std::string& name) {
  return name == "lt" || name == "gt" || name == "amp" || name == "apos" || name == "quot";
}

bool IsCharacterReference(const std::string& name) {
  if (name.size() < 2 || name[0] != '#') return false;
  const bool hex = name[1] == 'x';
  const std::size_t digits = hex ? 2 : 1;
  if (name.size() <= digits) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(digits), name.end(),
                     [hex](unsigned char c) { return hex ? std::isxdigit(c) : std::isdigit(c); });
}

// What a character reference ("#65", "#x41") names that no text can hold, or
// nothing: NUL, at which the parser's text would end, a number beyond Unicode,
// which the parser cuts to 32 bits (so to NUL, or to another character), or a
// surrogate.
const char* ReferenceFault(const std::string& reference) {
  const bool hex = reference.compare(0, 2, "#x") == 0;
  constexpr std::uint32_t kLastCharacter = 0x10FFFF;
  constexpr int kHexBase = 16;
  constexpr int kDecimalBase = 10;
  std::uint32_t value = 0;
  const char* end = reference.data() + reference.size();
  const std::from_chars_result read =
      std::from_chars(reference.data() + (hex ? 2 : 1), end, value, hex ? kHexBase : kDecimalBase);
  if (read.ec == std::errc::result_out_of_range || value > kLastCharacter) {
    return "a reference to a number beyond Unicode, which names no character";
  }
  if (value == 0) return "a reference to the NUL character, which no text can hold";
  if (value >= 0xD800 && value <= 0xDFFF) {
    return "a reference to a surrogate, which is half of a character and no character itself";
  }
  if (!IsXmlCharacter(value)) return "a reference to a character XML 1.0 cannot hold";
  return nullptr;
}

// Finds the first '&' in the text of a document parsed without resolving
// references that starts no entity XML defines (the parser would keep it as
// text, and it would be saved as text), or a reference to no character.
class EntityFinder : public pugi::xml_tree_walker {
 public:
  explicit EntityFinder(const std::optional<std::string>& text) : text_(text) {}

  bool for_each(pugi::xml_node& node) override {
    if (node.type() != pugi::node_pcdata) return true;
    const std::string value = node.value();
    for (std::size_t at = value.find('&'); at != std::string::npos; at = value.find('&', at + 1)) {
      const std::size_t end = value.find(';', at);
      const std::string name = end == std::string::npos ? "" : value.substr(at + 1, end - at - 1);
      const bool reference = IsCharacterReference(name);
      const char* reference_fault = reference ? ReferenceFault(name) : nullptr;
      if (IsNamedEntity(name) || (reference && reference_fault == nullptr)) continue;
      const std::string shown = end == std::string::npos || end - at > kLongestEntityShown
                                    ? std::string("&")
                                    : value.substr(at, end - at + 1);
      const char* what = reference ? reference_fault
                                   : "which is no entity of XML's own (&lt; &gt; &amp; &apos; "
                                     "&quot;)";
      fault_ = "has '" + shown + "', " + what + ", at " +
               PlaceOf(text_, node.offset_debug() + static_cast<std::ptrdiff_t>(at));
      return false;
    }
    return true;
  }

  const std::optional<std::string>& Fault() const { return fault_; }

 private:
  const std::optional<std::string>& text_;
  std::optional<std::string> fault_;
};

std::optional<std::string> EntityFault(const std::string& bytes,
                                       const std::optional<std::string>& text) {
  pugi::xml_document raw;
  if (!raw.load_buffer(bytes.data(), bytes.size(), kParseOptions & ~pugi::parse_escapes)) {
    return std::nullopt;
  }
  EntityFinder finder(text);
  raw.traverse(finder);
  return finder.Fault();
}

// Where a one-byte encoding is read from the declaration, the declaration must
// open the file: written back, it would, and the file would then read otherwise.
bool DeclarationOpens(const std::string& bytes, pugi::xml_encoding encoding) {
  if (CodeUnitSize(encoding) > 1) return true;
  const std::size_t mark =
      outline::StartsWithByteOrderMark(bytes) ? outline::kUtf8ByteOrderMark.size() : 0;
  return bytes.compare(mark, 5, "<?xml") == 0;
}

bool IsVersionNumber(const std::string& value) {
  return value.size() > 2 && StartsWith(value, "1.") &&
         std::all_of(value.begin() + 2, value.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsEncodingName(const std::string& value) {
  return !value.empty() && std::isalpha(static_cast<unsigned char>(value[0])) &&
         std::all_of(value.begin(), value.end(), [](unsigned char c) {
           return std::isalnum(c) || c == '.' || c == '_' || c == '-';
         });
}

// The declaration, which opens the file, holds what XML lets it hold: version,
// encoding and standalone, in that order, each with a value of its form, and no
// references. Anything else could be written back otherwise (a reference
// resolved, a character the encoding cannot hold as '?'), and the encoding
// would then be read from the declaration otherwise.
std::optional<std::string> DeclarationFault(const pugi::xml_document& document,
                                            const std::string& bytes, pugi::xml_encoding encoding) {
  const pugi::xml_node declaration = document.first_child();
  if (declaration.type() != pugi::node_declaration) return std::nullopt;
  if (CodeUnitSize(encoding) == 1 && bytes.find('&') < bytes.find("?>")) {
    return std::string("an XML declaration with a reference ('&'), which XML does not allow there");
  }
  const std::pair<const char*, bool (*)(const std::string&)> allowed[] = {
      {"version", IsVersionNumber},
      {"encoding", IsEncodingName},
      {"standalone", [](const std::string& value) { return value == "yes" || value == "no"; }}};
  std::size_t next = 0;
  for (const pugi::xml_attribute& attribute : declaration.attributes()) {
    const std::string name = attribute.name();
    while (next < std::size(allowed) && name != allowed[next].first) ++next;
    if (next == std::size(allowed)) {
      return "an XML declaration with '" + name +
             "', where XML allows only version, encoding and standalone, in that order";
    }
    if (!allowed[next].second(attribute.value())) {
      return "an XML declaration whose " + name + " is not one XML allows";
    }
    ++next;
  }
  return std::nullopt;
}

// What stands beside the root element that the file cannot hold, or nothing.
std::optional<std::string> TopLevelFault(const pugi::xml_document& document,
                                         bool declaration_opens) {
  if (!document.document_element()) {
    return std::string("no root element: the file holds no element at all");
  }
  int elements = 0;
  bool first = true;
  for (pugi::xml_node node : document.children()) {
    switch (node.type()) {
      case pugi::node_element:
        if (++elements > 1) return std::string("a second top-level element <") + node.name() + ">";
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        return std::string("text outside the root element");
      case pugi::node_declaration:
        if (!first || !declaration_opens) {
          return std::string("an XML declaration that does not open the file");
        }
        break;
      case pugi::node_doctype:
        if (elements > 0) return std::string("a doctype after the root element");
        break;
      default:
        break;
    }
    first = false;
  }
  if (elements == 0) return std::string("no root element");
  return std::nullopt;
}

std::string AttributesFault(const pugi::xml_node& element) {
  return std::string("has attributes (on <") + element.name() +
         ">), which the host's settings document cannot keep";
}

// Finds the first element below the element the walk starts from (level 1)
// that the settings tree cannot hold: one too deep or one with attributes.
class ElementChecker : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    if (node.type() != pugi::node_element) return true;
    // The start's children stand at depth 0, level 2.
    if (depth() + 2 > kSettingsDepthLimit) {
      fault_ = "nests elements more than " + std::to_string(kSettingsDepthLimit) + " levels deep";
    } else if (node.first_attribute()) {
      fault_ = AttributesFault(node);
    }
    return !fault_;
  }

  const std::optional<std::string>& Fault() const { return fault_; }

 private:
  std::optional<std::string> fault_;
};

std::optional<std::string> ElementFault(pugi::xml_node root) {
  if (root.first_attribute()) return AttributesFault(root);
  ElementChecker checker;
  root.traverse(checker);
  return checker.Fault();
}

}  // namespace

bool IsBlank(const std::string& bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](unsigned char c) { return std::isspace(c) != 0; });
}

std::optional<std::string> ReadSettingsText(const std::string& bytes, SettingsText* read) {
  pugi::xml_document& document = read->document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(bytes.data(), bytes.size(), kParseOptions);
  const std::optional<std::string> text = ParsedText(bytes, parsed.encoding);
  if (!parsed) {
    return kNotWellFormed + ParseFault(parsed, document, text) + ", at " +
           PlaceOf(text, parsed.offset);
  }
  if (HoldsNul(bytes, parsed.encoding)) return kNotWellFormed + std::string("a NUL character");
  if (auto fault = TopLevelFault(document, DeclarationOpens(bytes, parsed.encoding))) {
    return kNotWellFormed + *fault;
  }
  if (auto fault = DeclarationFault(document, bytes, parsed.encoding)) {
    return kNotWellFormed + *fault;
  }
  if (auto fault = CharacterFault(text)) return fault;
  if (auto fault = ElementFault(document.document_element())) return fault;
  if (auto fault = EntityFault(bytes, text)) return fault;
  read->encoding = parsed.encoding;
  read->byte_order_mark =
      CodeUnitSize(parsed.encoding) > 1 || outline::StartsWithByteOrderMark(bytes);
  read->tree = SettingsTreeOf(document.document_element());
  return std::nullopt;
}

}  // namespace rowshift::tool
