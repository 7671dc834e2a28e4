// The outline reader on any bytes: an error names a line of the text and
// quotes it briefly; what it reads is written in space linear in the rows and
// reads back as the same rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "outline/outline.h"

namespace rowshift::testing {
namespace {

using outline::OutlineRow;

// A quoted character is at most four bytes, or one escaped control byte.
constexpr std::size_t kLongestQuote = 4 * outline::kQuotedLineLength + 3;
constexpr std::size_t kLongestMessage = 100 + kLongestQuote;
// Indent, the longest flag list and the line end, beside the name.
constexpr std::size_t kLongestRowBesideName = 2 * outline::kDeepestIndentedDepth + 64;
// Each byte of a name is written with at most one backslash before it.
constexpr std::size_t kLongestWrittenNameByte = 2;

bool SameRow(const OutlineRow& a, const OutlineRow& b) {
  if (a.empty || b.empty) return a.empty == b.empty && a.current == b.current;
  return a.name == b.name && a.depth == b.depth && a.current == b.current &&
         a.selected == b.selected && a.collapsed == b.collapsed && a.ineligible == b.ineligible;
}

bool SameRows(const std::vector<OutlineRow>& a, const std::vector<OutlineRow>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameRow(a[i], b[i])) return false;
  }
  return true;
}

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n' || c == '\r';
  return lines;
}

void CheckRows(const std::vector<OutlineRow>& rows) {
  int current = 0;
  std::size_t names = 0;
  for (const OutlineRow& row : rows) {
    current += row.current;
    names += row.name.size();
    Require(row.empty || !row.name.empty(), "every object has a name");
    Require(row.depth >= -outline::kDepthLimit && row.depth <= outline::kDepthLimit,
            "depths stay within the limit");
  }
  Require(current <= 1, "at most one row is current");
  const std::string written = outline::FormatOutline(rows);
  Require(written.size() <= kLongestWrittenNameByte * names + rows.size() * kLongestRowBesideName,
          "written text grows linearly with the rows");
  const outline::ParseResult reread = outline::ParseOutline(written);
  Require(!reread.error, "written text reads back");
  Require(SameRows(reread.rows, rows), "written text reads back as the same rows");
  Require(outline::FormatOutline(reread.rows) == written, "a second write gives the same text");
}

}  // namespace
}  // namespace rowshift::testing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rowshift;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const outline::ParseResult parsed = outline::ParseOutline(text);
  if (parsed.error) {
    testing::Require(parsed.rows.empty(), "a refused text gives no rows");
    testing::Require(parsed.error->line >= 1 &&
                         static_cast<std::size_t>(parsed.error->line) <= testing::LineCount(text),
                     "an error names a line of the text");
    testing::Require(parsed.error->quoted_line.size() <= testing::kLongestQuote,
                     "an error quotes the line briefly");
    testing::Require(parsed.error->message.size() <= testing::kLongestMessage,
                     "an error message is short");
    return 0;
  }
  testing::CheckRows(parsed.rows);
  return 0;
}
