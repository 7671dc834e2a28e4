// The outline reader on any bytes, with depth jumps refused (as a user's file
// is read) and allowed (as a test of a careless host builds a list): an error
// names a line of the text and quotes it briefly; what it reads is a list a
// host can hold unless jumps are allowed, is written in space linear in the
// rows and reads back as the same rows, behind the same comments.
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

void CheckRead(const outline::ParseResult& parsed, const outline::ParseOptions& options) {
  const std::vector<OutlineRow>& rows = parsed.rows;
  int current = 0;
  std::size_t names = 0;
  int depth_before = -1;
  for (const OutlineRow& row : rows) {
    current += row.current;
    names += row.name.size();
    Require(row.empty || !row.name.empty(), "every object has a name");
    Require(row.depth >= -outline::kDepthLimit && row.depth <= outline::kDepthLimit,
            "depths stay within the limit");
    if (row.empty) continue;
    Require(options.allow_depth_jumps || row.depth <= depth_before + 1,
            "an object stands at most one level below the object in front of it");
    depth_before = row.depth;
  }
  Require(current <= 1, "at most one row is current");
  const std::string written = outline::FormatOutline(rows);
  Require(written.size() <= kLongestWrittenNameByte * names + rows.size() * kLongestRowBesideName,
          "written text grows linearly with the rows");
  const outline::ParseResult reread = outline::ParseOutline(written, options);
  Require(!reread.error, "written text reads back");
  Require(SameRows(reread.rows, rows), "written text reads back as the same rows");
  Require(outline::FormatOutline(reread.rows) == written, "a second write gives the same text");

  const outline::ParseResult kept =
      outline::ParseOutline(outline::WithHead(parsed.head, written), options);
  Require(!kept.error && SameRows(kept.rows, rows), "written behind its head, it reads back");
  Require(kept.head == parsed.head, "the head reads back as it was");
}

void CheckText(const std::string& text, const outline::ParseOptions& options) {
  const outline::ParseResult parsed = outline::ParseOutline(text, options);
  if (!parsed.error) {
    CheckRead(parsed, options);
    return;
  }
  Require(parsed.rows.empty() && parsed.head.empty(), "a refused text gives no rows");
  Require(
      parsed.error->line >= 1 && static_cast<std::size_t>(parsed.error->line) <= LineCount(text),
      "an error names a line of the text");
  Require(parsed.error->quoted_line.size() <= kLongestQuote, "an error quotes the line briefly");
  Require(parsed.error->message.size() <= kLongestMessage, "an error message is short");
}

}  // namespace
}  // namespace rowshift::testing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rowshift;
  const std::string text(reinterpret_cast<const char*>(data), size);
  outline::ParseOptions options;
  testing::CheckText(text, options);
  options.allow_depth_jumps = true;
  testing::CheckText(text, options);
  return 0;
}
