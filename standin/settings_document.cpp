#include "standin/settings_document.h"

#include <algorithm>
#include <utility>

#include "boundary/host_protocol.h"

namespace standin {
namespace {

std::unique_ptr<SettingsElement> NewElement(const std::string& name) {
  auto element = std::make_unique<SettingsElement>();
  element->name = name;
  return element;
}

std::unique_ptr<SettingsDocument>& DocumentSlot() {
  static auto& document = *new std::unique_ptr<SettingsDocument>;
  return document;
}

}  // namespace

SettingsDocument::SettingsDocument() { Replace(NewElement(rowshift::kSettingsRootName)); }

SettingsElement* SettingsDocument::Find(void* handle) const {
  auto* element = static_cast<SettingsElement*>(handle);
  return live_.count(element) != 0 ? element : nullptr;
}

SettingsElement* SettingsDocument::FindChild(SettingsElement& parent, const std::string& name) {
  for (const auto& child : parent.children) {
    if (child->name == name) return child.get();
  }
  return nullptr;
}

SettingsElement& SettingsDocument::AddChild(SettingsElement& parent, const std::string& name) {
  parent.children.push_back(NewElement(name));
  SettingsElement& child = *parent.children.back();
  live_.insert(&child);
  return child;
}

bool SettingsDocument::RemoveChild(SettingsElement& parent, SettingsElement* child) {
  auto& children = parent.children;
  auto found = std::find_if(children.begin(), children.end(),
                            [child](const auto& candidate) { return candidate.get() == child; });
  if (found == children.end()) return false;
  Unregister(**found);
  if (found->get() == plugin_settings_) plugin_settings_ = nullptr;
  detached_.push_back(std::move(*found));
  children.erase(found);
  return true;
}

void SettingsDocument::Replace(std::unique_ptr<SettingsElement> root) {
  if (root_ != nullptr) detached_.push_back(std::move(root_));
  live_.clear();
  root_ = root != nullptr ? std::move(root) : NewElement(rowshift::kSettingsRootName);
  Register(*root_);
  plugin_settings_ = FindChild(*root_, rowshift::kPluginSettingsName);
  if (plugin_settings_ == nullptr)
    plugin_settings_ = &AddChild(*root_, rowshift::kPluginSettingsName);
}

void SettingsDocument::Register(SettingsElement& element) {
  live_.insert(&element);
  for (auto& child : element.children) Register(*child);
}

void SettingsDocument::Unregister(SettingsElement& element) {
  live_.erase(&element);
  for (auto& child : element.children) Unregister(*child);
}

SettingsDocument& TheSettingsDocument() {
  auto& document = DocumentSlot();
  if (document == nullptr) document = std::make_unique<SettingsDocument>();
  return *document;
}

SettingsFaults& TheSettingsFaults() {
  static auto& faults = *new SettingsFaults;
  return faults;
}

void ResetTheSettingsDocument() { DocumentSlot() = std::make_unique<SettingsDocument>(); }

}  // namespace standin
