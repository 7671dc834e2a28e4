#include "standin/settings_control.h"

#include <memory>

#include "standin/settings_document.h"

namespace standin {
namespace {

SettingsNode Copy(const SettingsElement& element) {
  SettingsNode node{element.name, element.text, {}};
  for (const auto& child : element.children) node.children.push_back(Copy(*child));
  return node;
}

std::unique_ptr<SettingsElement> Build(const SettingsNode& node) {
  auto element = std::make_unique<SettingsElement>();
  element->name = node.name;
  element->text = node.text;
  for (const SettingsNode& child : node.children) element->children.push_back(Build(child));
  return element;
}

}  // namespace

void* SettingsRootElement() { return &TheSettingsDocument().Root(); }

void* PluginSettingsElement() { return TheSettingsDocument().PluginSettings(); }

std::string SettingsElementName(void* element) {
  const SettingsElement* found = TheSettingsDocument().Find(element);
  return found != nullptr ? found->name : std::string();
}

std::optional<std::string> SettingsElementText(void* element) {
  const SettingsElement* found = TheSettingsDocument().Find(element);
  return found != nullptr ? found->text : std::nullopt;
}

std::vector<void*> SettingsElementChildren(void* element) {
  std::vector<void*> children;
  if (const SettingsElement* found = TheSettingsDocument().Find(element)) {
    for (const auto& child : found->children) children.push_back(child.get());
  }
  return children;
}

void* SettingsChildNamed(void* element, const std::string& name) {
  SettingsElement* found = TheSettingsDocument().Find(element);
  return found != nullptr ? SettingsDocument::FindChild(*found, name) : nullptr;
}

SettingsNode ReadSettingsTree() { return Copy(TheSettingsDocument().Root()); }

void LoadSettingsTree(const SettingsNode& root) { TheSettingsDocument().Replace(Build(root)); }

void ResetSettingsDocument() {
  ResetTheSettingsDocument();
  TheSettingsFaults() = SettingsFaults{};
}

void WithholdPluginSettingsElement(bool withhold) {
  TheSettingsFaults().withhold_plugin_settings = withhold;
}

void FailAddChildElement(bool fail) { TheSettingsFaults().fail_add_child = fail; }

}  // namespace standin
