#include "support/standin_settings.h"

#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"

namespace rowshift::testing {

void StoreSettings(const SettingPairs& values) {
  standin::SettingsNode section{kSectionName, std::nullopt, {}};
  for (const auto& [key, text] : values) section.children.push_back({key, text, {}});
  standin::LoadSettingsTree({"root", std::nullopt, {{"pluginsettings", std::nullopt, {section}}}});
}

std::vector<std::pair<std::string, std::string>> StoredSettings() {
  std::vector<std::pair<std::string, std::string>> stored;
  for (void* child : standin::SettingsElementChildren(SectionInDocument())) {
    stored.emplace_back(standin::SettingsElementName(child),
                        standin::SettingsElementText(child).value_or(""));
  }
  return stored;
}

std::optional<std::string> StoredSetting(const std::string& key) {
  return standin::SettingsElementText(standin::SettingsChildNamed(SectionInDocument(), key));
}

void* SectionInDocument() {
  return standin::SettingsChildNamed(standin::PluginSettingsElement(), kSectionName);
}

std::vector<std::string> ChildNames(void* element) {
  std::vector<std::string> names;
  for (void* child : standin::SettingsElementChildren(element)) {
    names.push_back(standin::SettingsElementName(child));
  }
  return names;
}

std::vector<std::string> ElementCalls() { return standin::CallsStartingWith("MQXmlElem_Value"); }

void StandInSettingsTest::SetUp() {
  saved_ = HostFunctions();
  HostFunctions().MQ_SendMessage = &::MQ_SendMessage;
  HostFunctions().MQXmlElem_Value = &::MQXmlElem_Value;
  standin::ResetSettingsDocument();
  standin::ClearHostMessages();
  standin::ClearCalls();
}

void StandInSettingsTest::TearDown() { HostFunctions() = saved_; }

}  // namespace rowshift::testing
