#include "tools/rowshift_host_settings_file.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <system_error>

#include "standin/settings_control.h"

namespace rowshift::tool {
namespace {

constexpr char kIndent[] = "  ";

// The settings document has names, texts and children only; an attribute
// would be lost on saving, so a file that has one is refused.
pugi::xml_node FirstWithAttributes(const pugi::xml_node& element) {
  if (element.first_attribute()) return element;
  for (pugi::xml_node child : element.children()) {
    if (child.type() != pugi::node_element) continue;
    if (pugi::xml_node found = FirstWithAttributes(child)) return found;
  }
  return pugi::xml_node();
}

standin::SettingsNode FromXml(const pugi::xml_node& element) {
  standin::SettingsNode node;
  node.name = element.name();
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) {
      node.children.push_back(FromXml(child));
    } else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      node.text = node.text.value_or("") + child.value();
    }
  }
  return node;
}

void ToXml(const standin::SettingsNode& node, pugi::xml_node parent) {
  pugi::xml_node element = parent.append_child(node.name.c_str());
  if (node.text && !node.text->empty()) {
    element.append_child(pugi::node_pcdata).set_value(node.text->c_str());
  }
  for (const standin::SettingsNode& child : node.children) ToXml(child, element);
}

bool IsBlank(const std::string& text) {
  for (char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

bool LoadSettingsFile(const std::string& path, std::string* error) {
  std::error_code status;
  if (!std::filesystem::exists(path, status)) {
    standin::ResetSettingsDocument();
    return true;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file || std::filesystem::is_directory(path, status)) {
    *error = "cannot read the settings file '" + path + "'";
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (IsBlank(text)) {
    standin::ResetSettingsDocument();
    return true;
  }
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) {
    *error = "the settings file '" + path + "' is not well-formed XML: " + parsed.description() +
             " at byte " + std::to_string(parsed.offset) + "; the file was left as it is";
    return false;
  }
  if (pugi::xml_node element = FirstWithAttributes(document.document_element())) {
    *error = "the settings file '" + path + "' has attributes (on <" + element.name() +
             ">), which the host's settings document cannot keep; the file was left as it is";
    return false;
  }
  standin::LoadSettingsTree(FromXml(document.document_element()));
  return true;
}

bool SaveSettingsFile(const std::string& path, std::string* error) {
  pugi::xml_document document;
  ToXml(standin::ReadSettingsTree(), document);
  if (!document.save_file(path.c_str(), kIndent)) {
    *error = "cannot write the settings file '" + path + "'";
    return false;
  }
  return true;
}

}  // namespace rowshift::tool
