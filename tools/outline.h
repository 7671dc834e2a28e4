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
// brackets: current, selected, collapsed, ineligible. A line "-" (at any indent)
// is an empty slot; "- [current]" is an empty slot that the current object index
// names. A flag "depth=N" states a depth that indentation cannot show (a
// negative one); FormatOutline writes it only then. Blank lines and lines
// starting with '#' (after the indent) are ignored.
// Names are unique within a document in our tests but the format does not
// require it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rowshift::outline {

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
};

struct ParseResult {
  std::vector<OutlineRow> rows;
  std::optional<ParseError> error;  // set when the text is not a valid outline
};

// Reads an outline. A line with an odd indent, a tab, an empty name or an
// unknown flag is an error that names its line; at most one row may be current.
ParseResult ParseOutline(const std::string& text);

// Writes rows back in the same form, one line each, every line ending in '\n'.
// ParseOutline(FormatOutline(rows)) gives the same rows.
std::string FormatOutline(const std::vector<OutlineRow>& rows);

}  // namespace rowshift::outline
