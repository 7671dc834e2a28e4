#include "tools/rowshift_host_printing.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace rowshift::tool {
namespace {

constexpr int32_t kDone = 1;
constexpr int32_t kNothingDone = 0;
constexpr int32_t kNothingToActOn = -1;
constexpr int kIdentifierDigits = 8;
constexpr int kSubcommandIndent = 2;
constexpr int kColumnGap = 2;

std::string Hex(uint32_t value) {
  char digits[kIdentifierDigits + 1];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
  return digits;
}

// The name text carries a notice after a run of spaces; the first part is
// the name a person wants to read.
std::string ShortName(const std::string& name) {
  const std::string::size_type gap = name.find("  ");
  return gap == std::string::npos ? name : name.substr(0, gap);
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

}  // namespace

std::string Indented(const std::string& text, int indent) {
  const std::string margin(static_cast<std::size_t>(indent), ' ');
  if (text.empty()) return margin + "(no objects)\n";
  std::istringstream lines(text);
  std::string line;
  std::string result;
  while (std::getline(lines, line)) result += margin + line + "\n";
  return result;
}

std::string DescribeResult(int32_t result) {
  std::string text = std::to_string(result);
  if (result == kDone) return text + " (done)";
  if (result == kNothingDone) return text + " (nothing done)";
  if (result == kNothingToActOn) return text + " (nothing to act on)";
  return text;
}

std::string DescribeIdentity(const PluginIdentity& identity, const std::string& path) {
  std::string text = "plug-in: " + ShortName(identity.name);
  if (!identity.display_title.empty()) text += " \"" + identity.display_title + "\"";
  text += ", kind " + std::to_string(identity.kind) + ", id " + Hex(identity.product) + "-" +
          Hex(identity.plugin) + "\n";
  text += "  from " + path + "\n";
  return text;
}

std::string DescribeSubcommands(const std::vector<Subcommand>& subcommands) {
  if (subcommands.empty()) return "sub-commands: none\n";
  std::size_t key_width = 0;
  for (const Subcommand& subcommand : subcommands) {
    key_width = std::max(key_width, subcommand.key.size());
  }
  std::string text = "sub-commands (key, title):\n";
  for (const Subcommand& subcommand : subcommands) {
    text += std::string(kSubcommandIndent, ' ') + std::to_string(subcommand.index) + "  " +
            Padded(subcommand.key, key_width + kColumnGap) + "\"" + subcommand.title + "\"\n";
  }
  return text;
}

std::string OnOneLine(const std::string& text) {
  std::string line;
  for (char c : text) line += c == '\n' ? std::string("\\n") : std::string(1, c);
  return line;
}

std::string DescribeCalls(const std::vector<std::string>& calls, int indent) {
  const std::string margin(static_cast<std::size_t>(indent), ' ');
  if (calls.empty()) return margin + "(no host calls)\n";
  std::string text;
  for (const std::string& call : calls) text += margin + "> " + OnOneLine(call) + "\n";
  return text;
}

}  // namespace rowshift::tool
