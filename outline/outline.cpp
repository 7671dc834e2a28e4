#include "outline/outline.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "outline/text_bytes.h"

namespace rowshift::outline {
namespace {

constexpr std::size_t kSpacesPerLevel = 2;
constexpr char kEmptySlotMark[] = "-";
constexpr char kCurrentFlag[] = "current";
constexpr char kSelectedFlag[] = "selected";
constexpr char kCollapsedFlag[] = "collapsed";
constexpr char kIneligibleFlag[] = "ineligible";
constexpr std::string_view kDepthFlagPrefix = "depth=";
constexpr char kKnownFlags[] = "current selected collapsed ineligible depth=N";
constexpr char kCommentMark = '#';
constexpr char kEscape = '\\';
// What a backslash may stand before: the characters the format gives a meaning.
// Before any other it would vanish unseen ("C:\Users" read as "C:Users").
constexpr std::string_view kEscapable = "\\[]#- ";

// Characters that look like a space and are not one: a line indented with one
// would read as a top-level name that starts with it, and print like a child.
struct LookAlikeSpace {
  std::string_view utf8;
  const char* name;
};
constexpr LookAlikeSpace kLookAlikeSpaces[] = {
    {"\xC2\xA0", "a no-break space (U+00A0)"},
    {"\xE3\x80\x80", "a full-width space (U+3000)"},
    {"\xE2\x80\x80", "an en quad (U+2000)"},
    {"\xE2\x80\x81", "an em quad (U+2001)"},
    {"\xE2\x80\x82", "an en space (U+2002)"},
    {"\xE2\x80\x83", "an em space (U+2003)"},
    {"\xE2\x80\x84", "a three-per-em space (U+2004)"},
    {"\xE2\x80\x85", "a four-per-em space (U+2005)"},
    {"\xE2\x80\x86", "a six-per-em space (U+2006)"},
    {"\xE2\x80\x87", "a figure space (U+2007)"},
    {"\xE2\x80\x88", "a punctuation space (U+2008)"},
    {"\xE2\x80\x89", "a thin space (U+2009)"},
    {"\xE2\x80\x8A", "a hair space (U+200A)"},
    {"\xE2\x80\xAF", "a narrow no-break space (U+202F)"},
    {"\xE2\x81\x9F", "a medium mathematical space (U+205F)"},
};

// The look-alike space that `text` starts with, or null.
const LookAlikeSpace* LookAlikeSpaceAtStart(std::string_view text) {
  // None is ASCII, and nearly every name starts with ASCII: read once per row.
  if (text.empty() || static_cast<unsigned char>(text[0]) < 0x80) return nullptr;
  for (const LookAlikeSpace& space : kLookAlikeSpaces) {
    if (text.substr(0, space.utf8.size()) == space.utf8) return &space;
  }
  return nullptr;
}

// What a line may not hold, as a person would call it: control characters,
// and characters that are invisible or steer how text is shown, so that two
// names that print alike could differ.
struct RefusedCharacters {
  char32_t first;
  char32_t last;
  const char* what;
};
constexpr RefusedCharacters kRefusedCharacters[] = {
    {0x09, 0x09, "a tab"},
    {0x00, 0x1F, "a control character"},
    {0x7F, 0x9F, "a control character"},
    {0x061C, 0x061C, "an invisible direction mark"},
    {0x180E, 0x180E, "an invisible separator"},
    {0x200B, 0x200B, "a zero-width space"},
    {0x200C, 0x200D, "an invisible joiner"},
    {0x200E, 0x200F, "an invisible direction mark"},
    {0x2028, 0x2029, "a line or paragraph separator"},
    {0x202A, 0x202E, "an invisible direction control"},
    {0x2060, 0x2064, "an invisible joiner or operator"},
    {0x2066, 0x206F, "an invisible direction or format control"},
    {0xFEFF, 0xFEFF, "a byte-order mark"},
    {0xFFF9, 0xFFFB, "an invisible annotation mark"},
};

const char* RefusedCharacter(char32_t c) {
  if (c >= 0x20 && c < 0x7F) return nullptr;
  for (const RefusedCharacters& refused : kRefusedCharacters) {
    if (c >= refused.first && c <= refused.last) return refused.what;
  }
  return nullptr;
}

// The character `text` starts with (not empty); a byte that is no part of
// well-formed UTF-8 stands for itself.
char32_t FirstCharacter(std::string_view text) {
  if (FirstCharacterSize(text) == 1) return static_cast<unsigned char>(text[0]);
  return utf8::unchecked::peek_next(text.begin());
}

// `text` cut to kQuotedLineLength printed characters, the characters a line
// may not hold written byte by byte as \xNN (four printed characters a byte).
std::string Quoted(std::string_view text) {
  std::string quoted;
  for (std::size_t printed = 0; !text.empty();) {
    const std::string_view character = text.substr(0, FirstCharacterSize(text));
    std::string written(character);
    if (RefusedCharacter(FirstCharacter(character)) != nullptr) {
      written.clear();
      for (char c : character) written += EscapedByte(static_cast<unsigned char>(c));
    }
    const std::size_t width = written == character ? 1 : written.size();
    if (printed + width > kQuotedLineLength) return quoted + "...";
    printed += width;
    quoted += written;
    text.remove_prefix(character.size());
  }
  return quoted;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string_view();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Hands out the lines of a text, split at LF, CRLF or a lone CR, after one
// leading byte-order mark.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : rest_(text) {
    if (StartsWithByteOrderMark(rest_)) rest_.remove_prefix(kUtf8ByteOrderMark.size());
  }

  bool Next(std::string_view* line) {
    if (rest_.empty()) return false;
    const std::size_t end = std::min(rest_.size(), rest_.find_first_of("\r\n"));
    *line = rest_.substr(0, end);
    rest_.remove_prefix(end == rest_.size() ? end : end + LineEndLength(rest_, end));
    return true;
  }

 private:
  std::string_view rest_;
};

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

// What a row's flags said besides the row itself, checked once the line is read.
struct FlagsSeen {
  bool depth = false;
};

// Reads "3" completely into a depth from 0 to kDepthLimit; an error message
// otherwise.
std::optional<std::string> ParseDepth(std::string_view word, int* depth) {
  std::string_view digits = word.substr(kDepthFlagPrefix.size());
  if (!digits.empty() && digits.front() == '-') {
    return "a negative depth (\"" + Quoted(word) + "\"): the top level is depth 0";
  }
  if (digits.empty()) return "bad depth \"" + Quoted(word) + "\"";
  long long magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return "bad depth \"" + Quoted(word) + "\"";
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kDepthLimit) {
      return "depth beyond the limit of " + std::to_string(kDepthLimit) + " (\"" + Quoted(word) +
             "\")";
    }
  }
  *depth = static_cast<int>(magnitude);
  return std::nullopt;
}

// Applies one flag word, in any case, to `row`; an error message for an
// unknown word or a second depth.
std::optional<std::string> ApplyFlag(std::string_view given, OutlineRow* row, FlagsSeen* seen) {
  const std::string word = Lowered(given);
  if (word == kCurrentFlag) {
    row->current = true;
  } else if (word == kSelectedFlag) {
    row->selected = true;
  } else if (word == kCollapsedFlag) {
    row->collapsed = true;
  } else if (word == kIneligibleFlag) {
    row->ineligible = true;
  } else if (word.compare(0, kDepthFlagPrefix.size(), kDepthFlagPrefix) == 0) {
    if (seen->depth) return std::string("a second depth flag");
    seen->depth = true;
    return ParseDepth(word, &row->depth);
  } else {
    return "unknown flag \"" + Quoted(given) + "\" (flags: " + kKnownFlags + ")";
  }
  return std::nullopt;
}

// Applies the space-separated flag words of `flags` to `row`.
std::optional<std::string> ApplyFlags(std::string_view flags, OutlineRow* row, FlagsSeen* seen) {
  while (!flags.empty()) {
    const std::size_t end = flags.find(' ');
    const std::string_view word = flags.substr(0, end);
    if (!word.empty()) {
      if (auto error = ApplyFlag(word, row, seen)) return error;
    }
    flags.remove_prefix(end == std::string_view::npos ? flags.size() : end + 1);
  }
  return std::nullopt;
}

// Where the flags of a row start: the first '[' that no backslash escapes;
// npos when there is none.
std::size_t FlagsStart(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kEscape) {
      ++i;
    } else if (text[i] == '[') {
      return i;
    }
  }
  return std::string_view::npos;
}

// The column of the byte at `at` in `line`, in characters.
std::string ColumnOf(std::string_view line, const char* at) {
  return "column " + std::to_string(1 + CharacterCount(line.substr(0, at - line.data())));
}

// Whether a backslash may stand in front of the start of `text`.
bool IsEscapable(std::string_view text) {
  return (!text.empty() && kEscapable.find(text[0]) != std::string_view::npos) ||
         LookAlikeSpaceAtStart(text) != nullptr;
}

// The name written in `text`, a part of `line`: the spaces around it dropped,
// and each backslash taking the character after it as it is. An error message
// for a backslash that ends the name or stands before a character that needs
// no escape.
std::optional<std::string> DecodeName(std::string_view line, std::string_view text,
                                      std::string* name) {
  text = text.substr(std::min(text.size(), text.find_first_not_of(' ')));
  std::size_t kept = 0;  // the name up to its last character that is not a plain space
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escaped = text[i] == kEscape;
    if (escaped && ++i == text.size()) return std::string("a backslash that escapes nothing");
    if (escaped && !IsEscapable(text.substr(i))) {
      const std::string_view next = text.substr(i, FirstCharacterSize(text.substr(i)));
      return "a backslash before \"" + Quoted(next) + "\", which needs no escape, at " +
             ColumnOf(line, &text[i - 1]) + ": write \\\\ for a backslash";
    }
    *name += text[i];
    if (escaped || text[i] != ' ') kept = name->size();
  }
  name->resize(kept);
  return std::nullopt;
}

// Parses the text after the indent; an error message when it is not a row.
std::optional<std::string> ParseRowText(std::string_view line, std::string_view text,
                                        OutlineRow* row, FlagsSeen* seen) {
  std::string_view name_part = text;
  const std::size_t open = FlagsStart(text);
  if (open != std::string_view::npos) {
    const std::size_t close = text.find(']', open);
    if (close == std::string_view::npos) return "flags not closed with ']'";
    if (!TrimSpaces(text.substr(close + 1)).empty()) return "text after the flags";
    if (auto error = ApplyFlags(text.substr(open + 1, close - open - 1), row, seen)) return error;
    name_part = text.substr(0, open);
  }
  if (TrimSpaces(name_part) == kEmptySlotMark) {
    if (row->selected || row->collapsed || row->ineligible || seen->depth) {
      return "an empty slot can only be current";
    }
    row->empty = true;
    row->depth = 0;
    return std::nullopt;
  }
  if (auto error = DecodeName(line, name_part, &row->name)) return error;
  if (row->name.empty()) return "a row without a name";
  return std::nullopt;
}

// Reads one line that is not blank or a comment into `row`. The first row of
// an outline stands at the left margin, so that a margin cannot shift every
// depth unnoticed.
std::optional<std::string> ParseRowLine(std::string_view line, std::size_t indent, bool first,
                                        OutlineRow* row) {
  if (const LookAlikeSpace* space = LookAlikeSpaceAtStart(line.substr(indent))) {
    return std::string("indented with ") + space->name +
           ", which looks like a space but is not one: indent with plain spaces, two per level";
  }
  if (first && indent > 0) {
    return "the first row is indented; rows start at the left margin, two spaces a level";
  }
  if (indent % kSpacesPerLevel != 0) return "odd indent";
  const std::size_t levels = indent / kSpacesPerLevel;
  if (levels > static_cast<std::size_t>(kDepthLimit)) {
    return "an indent of " + std::to_string(levels) + " levels, beyond the depth limit of " +
           std::to_string(kDepthLimit);
  }
  row->depth = static_cast<int>(levels);
  FlagsSeen seen;
  if (auto error = ParseRowText(line, line.substr(indent), row, &seen)) return error;
  if (seen.depth && levels > 0 && row->depth != static_cast<int>(levels)) {
    return "the indent says depth " + std::to_string(levels) + " but the flag says " +
           std::to_string(row->depth);
  }
  return std::nullopt;
}

// Why an object at `depth` cannot follow the object in front of it, at
// `depth_before` (-1 for none), in a list a host can hold: its parent is that
// object or one of that object's ancestors, one level up.
std::optional<std::string> DepthJump(int depth, int depth_before) {
  if (depth <= depth_before + 1) return std::nullopt;
  constexpr char kRule[] = "indent two spaces per level";
  if (depth_before < 0) {
    return "the first object at depth " + std::to_string(depth) + ", not at the top level; " +
           kRule;
  }
  return std::to_string(depth - depth_before) + " levels below the object in front of it (depth " +
         std::to_string(depth) + " after " + std::to_string(depth_before) +
         "); a row goes at most one level deeper: " + kRule;
}

// The first character of `line` that it may not hold, named, with its place:
// a control character in any line; an invisible one only in a row, as a
// comment's text (in a right-to-left script, say) names no object.
std::optional<std::string> CheckCharacters(std::string_view line) {
  const bool row = line.empty() || line[0] != kCommentMark;
  // Most lines are printable ASCII alone, which needs no decoding.
  if (std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) {
    return std::nullopt;
  }
  for (auto at = line.begin(); at != line.end();) {
    const auto invalid = utf8::find_invalid(at, line.end());
    while (at != invalid) {
      const char* start = &*at;
      const char32_t c = utf8::unchecked::next(at);
      const char* what = RefusedCharacter(c);
      if (what != nullptr && (row || c < 0x20 || (c >= 0x7F && c <= 0x9F))) {
        return std::string(what) + " (" + CodePointName(c) + ") at " + ColumnOf(line, start) +
               ": a name holds no control or invisible characters";
      }
    }
    if (invalid != line.end()) at = invalid + 1;
  }
  return std::nullopt;
}

// `name` as a row writes it: backslashes before '[', '\' and a leading '#',
// before spaces at either end and before a name "-", so it reads back as it is.
std::string EncodedName(const std::string& name) {
  std::string written;
  written.reserve(name.size() + 1);
  const bool escaped_start = LookAlikeSpaceAtStart(name) != nullptr || name == kEmptySlotMark ||
                             (!name.empty() && name[0] == kCommentMark);
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool at_edge = i == 0 || i + 1 == name.size();
    if (c == kEscape || c == '[' || (at_edge && c == ' ') || (i == 0 && escaped_start)) {
      written += kEscape;
    }
    written += c;
  }
  return written;
}

}  // namespace

ParseResult ParseOutline(const std::string& text) { return ParseOutline(text, ParseOptions()); }

ParseResult ParseOutline(const std::string& text, const ParseOptions& options) {
  ParseResult result;
  LineSplitter lines(text);
  std::string_view line;
  int line_number = 0;
  bool current_seen = false;
  int object_depth = -1;  // of the last object read; -1 before the first
  // A row a line: room for all at once, rather than copies while growing.
  result.rows.reserve(std::min<std::size_t>(
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1, options.most_rows));
  while (lines.Next(&line)) {
    ++line_number;
    const auto fail = [&](std::string message) {
      result.rows.clear();
      result.head.clear();
      result.later_comments = 0;
      result.error = ParseError{line_number, std::move(message), Quoted(line)};
      return result;
    };
    if (auto message = CheckCharacters(line)) return fail(*message);
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent == std::string_view::npos || line[0] == kCommentMark) {
      if (result.rows.empty()) {
        result.head.append(line).push_back('\n');
      } else if (indent != std::string_view::npos) {
        ++result.later_comments;
      }
      continue;
    }

    OutlineRow row;
    if (result.rows.size() == options.most_rows) {
      return fail("more than " + std::to_string(options.most_rows) +
                  " rows, the most that are read");
    }
    if (auto message = ParseRowLine(line, indent, result.rows.empty(), &row)) {
      return fail(*message);
    }
    if (row.current) {
      if (current_seen) return fail("a second current row");
      current_seen = true;
    }
    if (!row.empty) {
      if (!options.allow_depth_jumps) {
        if (auto message = DepthJump(row.depth, object_depth)) return fail(*message);
      }
      object_depth = row.depth;
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

std::string FormatOutline(const std::vector<OutlineRow>& rows) {
  std::string text;
  for (const OutlineRow& row : rows) {
    std::vector<std::string> flags;
    if (row.current) flags.emplace_back(kCurrentFlag);
    if (row.empty) {
      text += kEmptySlotMark;
    } else {
      if (row.selected) flags.emplace_back(kSelectedFlag);
      if (row.collapsed) flags.emplace_back(kCollapsedFlag);
      if (row.ineligible) flags.emplace_back(kIneligibleFlag);
      // The first row stands at the margin, so a deep one states its depth.
      const bool first = &row == &rows.front();
      if (row.depth < 0 || row.depth > kDeepestIndentedDepth || (first && row.depth != 0)) {
        flags.push_back(std::string(kDepthFlagPrefix) + std::to_string(row.depth));
      } else {
        text.append(static_cast<std::size_t>(row.depth) * kSpacesPerLevel, ' ');
      }
      text += EncodedName(row.name);
    }
    if (!flags.empty()) {
      text += " [";
      for (std::size_t i = 0; i < flags.size(); ++i) {
        if (i > 0) text += ' ';
        text += flags[i];
      }
      text += ']';
    }
    text += '\n';
  }
  return text;
}

std::string WithHead(const std::string& head, const std::string& text) { return head + text; }

TextLayout LayoutOf(const std::string& text) {
  TextLayout layout;
  layout.byte_order_mark = text.compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) == 0;
  const std::size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos && text[end] == '\r') {
    layout.line_end = text.compare(end, 2, "\r\n") == 0 ? "\r\n" : "\r";
  }
  return layout;
}

std::string InLayout(const TextLayout& layout, const std::string& text) {
  std::string laid;
  // A text that opens with a mark has one that the reader skips already,
  // written for a first name that starts with a mark of its own.
  if (layout.byte_order_mark &&
      text.compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) != 0) {
    laid = kUtf8ByteOrderMark;
  }
  if (layout.line_end == "\n") return laid + text;
  laid.reserve(laid.size() + text.size() + text.size() / 8);
  for (const char c : text) {
    if (c == '\n') {
      laid += layout.line_end;
    } else {
      laid += c;
    }
  }
  return laid;
}

}  // namespace rowshift::outline
