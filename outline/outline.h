// The outline format: a document's object list as text, one slot per line.
//
//   Body [current]
//     Arm [selected collapsed]
//       Hand
//     Leg
//   Lamp [ineligible]
//   -
//
// Two spaces of indent per depth level, then the name, then optional flags in
// brackets: current, selected, collapsed, ineligible (in any case). A line "-"
// (at any indent) is an empty slot; "- [current]" is an empty slot that the
// current object index names. A flag "depth=N" states a depth instead of the
// indent; it is how any depth beyond kDeepestIndentedDepth is written. Blank
// lines and lines starting with '#' in their first column are ignored.
//
// These are refused, each with an error that names its line: a first row that
// is indented (a margin would shift every depth), an odd indent, a negative
// depth, a second depth flag, a depth flag that an indent contradicts, an
// unknown flag, a second current row, an object more than one level below the
// object in front of it (the first object stands at the top level), and a line
// indented with a character that looks like a space but is not one (a
// no-break space U+00A0, a full-width space U+3000, and the like).
//
// In a name a backslash takes the next character as it is: "\[" for a bracket,
// "\\" for a backslash, "\#" for a name that starts with '#', "\-" for an object
// named "-", "\ " for a space at either end of a name (other spaces around a
// name are dropped); before a look-alike space it lets a name start with one.
// "\]" is read too. A backslash before any other character is refused, so
// that "C:\Users" cannot lose its backslash unseen.
//
// A line ends at LF, CRLF or a lone CR; one leading UTF-8 byte-order mark is
// skipped. Names are bytes (UTF-8 in our files) without control characters
// (C0, DEL, C1) or invisible ones (zero-width spaces and joiners, direction
// marks and controls, a byte-order mark inside the text, and their kin): a
// line holding one is refused with the character's number and column. A
// comment line may hold invisible characters, not control characters.
// Names are unique within a document in our tests but the format does not
// require it.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace rowshift::outline {

// The largest depth that a row may state by indent or by flag. It keeps every
// depth well inside the 32-bit values the plug-in reads.
constexpr int kDepthLimit = 1000000;
// Rows deeper than this are written with the depth flag instead of indent, so
// written text grows linearly with the document. A negative depth (which only a
// document, never a text, can hold) is written with the flag too.
constexpr int kDeepestIndentedDepth = 32;
// An error quotes at most this many characters of the offending line.
constexpr std::size_t kQuotedLineLength = 80;

struct OutlineRow {
  bool empty = false;  // an empty slot: no object, every other field unused
  std::string name;
  int depth = 0;
  bool current = false;
  bool selected = false;
  bool collapsed = false;
  bool ineligible = false;
};

struct ParseError {
  int line = 0;  // 1-based line number in the text
  std::string message;
  // The offending line, safe to print: at most kQuotedLineLength printed
  // characters (then "..."), control and invisible characters written as \xNN
  // bytes, four printed characters each.
  std::string quoted_line;
};

struct ParseResult {
  std::vector<OutlineRow> rows;
  std::optional<ParseError> error;  // set when the text is not a valid outline
  // The comment and blank lines in front of the first row, as they were, each
  // ended by '\n': what a rewrite of the text can keep (see WithHead).
  std::string head;
  // Comment lines after the first row, which a rewrite that reorders the rows
  // cannot keep in their places.
  int later_comments = 0;
};

// How strictly ParseOutline reads.
struct ParseOptions {
  // Lets an object stand any number of levels below the object in front of it,
  // and the first object below the top level: a list no host holds, which only
  // a test of the plug-in against a careless host builds on purpose.
  bool allow_depth_jumps = false;
  // The most rows (objects and empty slots) read; the first row beyond them is
  // an error, so that a reader's memory stays in proportion to what it allows.
  std::size_t most_rows = std::numeric_limits<std::size_t>::max();
};

// Reads an outline. A line that breaks a rule above, holds a tab or another
// character a name may not hold, has an empty name or a depth beyond
// kDepthLimit is an error that names its line.
ParseResult ParseOutline(const std::string& text);
ParseResult ParseOutline(const std::string& text, const ParseOptions& options);

// Writes rows back in the same form, one line each, every line ending in '\n',
// every backslash in a name escaped.
// ParseOutline(FormatOutline(rows)) gives the same rows for any rows that
// ParseOutline gave (with the same options).
std::string FormatOutline(const std::vector<OutlineRow>& rows);

// `text`, as FormatOutline wrote it, behind `head` (ParseResult::head): it
// reads as the same rows, and as the same head.
std::string WithHead(const std::string& head, const std::string& text);

// How a text is laid out around its lines: the line end of its first line
// ("\n", "\r\n" or "\r"; "\n" for a text of one line) and whether it opens
// with a byte-order mark.
struct TextLayout {
  std::string line_end = "\n";
  bool byte_order_mark = false;
};
TextLayout LayoutOf(const std::string& text);

// `text`, as FormatOutline or WithHead wrote it, laid out as `layout`: it
// reads as the same rows, and as the same head.
std::string InLayout(const TextLayout& layout, const std::string& text);

}  // namespace rowshift::outline
