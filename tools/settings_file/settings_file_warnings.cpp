#include "tools/settings_file/settings_file_warnings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <unordered_map>

namespace rowshift::tool {
namespace {

// The window position the plug-in stores, each read as none when negative.
const char* const kPositionElements[] = {"PosX", "PosY"};

// A whole number as the plug-in writes one: "-12", "0"; not "012", "+1",
// "-0", "1e3" or a number beyond 32 bits, which it would read otherwise.
bool IsWrittenNumber(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const std::from_chars_result read = std::from_chars(text.data(), end, value);
  return read.ec == std::errc() && read.ptr == end && std::to_string(value) == text;
}

bool IsStoredPosition(const std::string& name) {
  return std::find(std::begin(kPositionElements), std::end(kPositionElements), name) !=
         std::end(kPositionElements);
}

bool IsNegativePosition(const standin::SettingsNode& node) {
  const std::string text = node.text.value_or("");
  return IsStoredPosition(node.name) && IsWrittenNumber(text) && text[0] == '-';
}

// Warns about `old_node` as `new_node` changes it, then about its children.
// `negative_position` is a negative stored position beside `old_node`, or null:
// the plug-in drops the whole position with it.
void Collect(const standin::SettingsNode& old_node, const standin::SettingsNode& new_node,
             const std::string& path, const standin::SettingsNode* negative_position,
             std::vector<std::string>* warnings) {
  const std::string here =
      path.empty() ? "<" + new_node.name + ">" : path + "/<" + new_node.name + ">";
  const std::string old_text = old_node.text.value_or("");
  const std::string new_text = new_node.text.value_or("");
  // A value the plug-in changed on purpose was one it wrote itself.
  if (old_text != new_text && IsWrittenNumber(new_text)) {
    if (!IsWrittenNumber(old_text)) {
      warnings->push_back("the stored value \"" + old_text + "\" of " + here +
                          " is not a number as the plug-in writes one (whole, decimal, 32 bits); "
                          "it will be saved as " +
                          new_text);
    } else if (IsNegativePosition(old_node)) {
      warnings->push_back("the stored position \"" + old_text + "\" of " + here +
                          " is negative, which the plug-in reads as no stored position (the "
                          "window opens where the host puts it); it will be saved as " +
                          new_text);
    } else if (negative_position != nullptr && IsStoredPosition(new_node.name)) {
      warnings->push_back("the stored position \"" + old_text + "\" of " + here +
                          " goes with the negative <" + negative_position->name +
                          ">, which the plug-in reads as no stored position; it will be saved "
                          "as " +
                          new_text);
    }
  }
  // Children are paired by name and occurrence through an index, so that a
  // node of many children takes time in proportion to their number.
  std::unordered_map<std::string_view, std::vector<const standin::SettingsNode*>> new_children;
  for (const standin::SettingsNode& new_child : new_node.children) {
    new_children[new_child.name].push_back(&new_child);
  }
  const auto negative =
      std::find_if(old_node.children.begin(), old_node.children.end(), IsNegativePosition);
  const standin::SettingsNode* negative_child =
      negative == old_node.children.end() ? nullptr : &*negative;
  std::unordered_map<std::string_view, std::size_t> seen;
  for (const standin::SettingsNode& old_child : old_node.children) {
    const auto same_name = new_children.find(old_child.name);
    const std::size_t occurrence = seen[old_child.name]++;
    if (same_name != new_children.end() && occurrence < same_name->second.size()) {
      Collect(old_child, *same_name->second[occurrence], here, negative_child, warnings);
    }
  }
}

}  // namespace

std::vector<std::string> StoredValuesChangedBy(const standin::SettingsNode& stored,
                                               const standin::SettingsNode& saved) {
  std::vector<std::string> warnings;
  if (stored.name == saved.name) Collect(stored, saved, "", nullptr, &warnings);
  return warnings;
}

}  // namespace rowshift::tool
