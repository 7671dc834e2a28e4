#include "tools/outline.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>
#include <utility>

namespace rowshift::outline {
namespace {

constexpr int kSpacesPerLevel = 2;
constexpr char kEmptySlotMark[] = "-";
constexpr char kCurrentFlag[] = "current";
constexpr char kSelectedFlag[] = "selected";
constexpr char kCollapsedFlag[] = "collapsed";
constexpr char kIneligibleFlag[] = "ineligible";
// States a depth that indentation cannot show (a negative one).
constexpr char kDepthFlagPrefix[] = "depth=";

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string TrimSpaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// Reads "-12" or "3" completely; false for anything else.
bool ParseInteger(const std::string& text, int* value) {
  if (text.empty()) return false;
  std::size_t used = 0;
  try {
    const long long parsed = std::stoll(text, &used);
    if (used != text.size() || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    *value = static_cast<int>(parsed);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

// Applies one flag word to `row`; an error message for an unknown word.
std::optional<std::string> ApplyFlag(const std::string& word, OutlineRow* row) {
  if (word == kCurrentFlag) {
    row->current = true;
  } else if (word == kSelectedFlag) {
    row->selected = true;
  } else if (word == kCollapsedFlag) {
    row->collapsed = true;
  } else if (word == kIneligibleFlag) {
    row->ineligible = true;
  } else if (word.compare(0, sizeof(kDepthFlagPrefix) - 1, kDepthFlagPrefix) == 0) {
    if (!ParseInteger(word.substr(sizeof(kDepthFlagPrefix) - 1), &row->depth)) {
      return "bad depth \"" + word + "\"";
    }
  } else {
    return "unknown flag \"" + word + "\"";
  }
  return std::nullopt;
}

// Parses the text after the indent; an error message when it is not a row.
std::optional<std::string> ParseRowText(const std::string& text, OutlineRow* row) {
  std::string name_part = text;
  const std::size_t open = text.find('[');
  if (open != std::string::npos) {
    const std::size_t close = text.find(']', open);
    if (close == std::string::npos) return "flags not closed with ']'";
    if (!IsBlank(text.substr(close + 1))) return "text after the flags";
    std::istringstream words(text.substr(open + 1, close - open - 1));
    std::string word;
    while (words >> word) {
      if (auto error = ApplyFlag(word, row)) return error;
    }
    name_part = text.substr(0, open);
  }
  const std::string name = TrimSpaces(name_part);
  if (name.empty()) return "a row without a name";
  if (name == kEmptySlotMark) {
    if (row->selected || row->collapsed || row->ineligible) {
      return "an empty slot can only be current";
    }
    row->empty = true;
    return std::nullopt;
  }
  row->name = name;
  return std::nullopt;
}

}  // namespace

ParseResult ParseOutline(const std::string& text) {
  ParseResult result;
  std::istringstream lines(text);
  std::string line;
  int line_number = 0;
  bool current_seen = false;
  while (std::getline(lines, line)) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto fail = [&](std::string message) {
      result.rows.clear();
      result.error = ParseError{line_number, std::move(message)};
      return result;
    };
    if (line.find('\t') != std::string::npos) return fail("a tab in the line");
    if (IsBlank(line)) continue;
    const std::size_t indent = line.find_first_not_of(' ');
    if (line[indent] == '#') continue;
    if (indent % kSpacesPerLevel != 0) return fail("odd indent");

    OutlineRow row;
    row.depth = static_cast<int>(indent) / kSpacesPerLevel;
    if (auto message = ParseRowText(line.substr(indent), &row)) return fail(*message);
    if (row.empty) row.depth = 0;
    if (row.current) {
      if (current_seen) return fail("a second current row");
      current_seen = true;
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

std::string FormatOutline(const std::vector<OutlineRow>& rows) {
  std::string text;
  for (const OutlineRow& row : rows) {
    std::vector<std::string> flags;
    if (row.current) flags.push_back(kCurrentFlag);
    if (row.empty) {
      text += kEmptySlotMark;
    } else {
      if (row.selected) flags.push_back(kSelectedFlag);
      if (row.collapsed) flags.push_back(kCollapsedFlag);
      if (row.ineligible) flags.push_back(kIneligibleFlag);
      if (row.depth < 0) {
        flags.push_back(kDepthFlagPrefix + std::to_string(row.depth));
      } else {
        text.append(static_cast<std::size_t>(row.depth) * kSpacesPerLevel, ' ');
      }
      text += row.name;
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

}  // namespace rowshift::outline
