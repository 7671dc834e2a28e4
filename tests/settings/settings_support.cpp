#include "settings_support.h"

#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"

namespace rowshift::testing {

void StandInSettingsTest::SetUp() {
  saved_ = HostFunctions();
  HostFunctions().MQ_SendMessage = &::MQ_SendMessage;
  HostFunctions().MQXmlElem_Value = &::MQXmlElem_Value;
  standin::ResetSettingsDocument();
  standin::ClearHostMessages();
  standin::ClearCalls();
}

void StandInSettingsTest::TearDown() { HostFunctions() = saved_; }

std::vector<std::string> StandInSettingsTest::ElementCalls() {
  return standin::CallsStartingWith("MQXmlElem_Value");
}

void* StandInSettingsTest::SectionInDocument() {
  return standin::SettingsChildNamed(standin::PluginSettingsElement(), kSectionName);
}

std::vector<std::string> StandInSettingsTest::ChildNames(void* element) {
  std::vector<std::string> names;
  for (void* child : standin::SettingsElementChildren(element)) {
    names.push_back(standin::SettingsElementName(child));
  }
  return names;
}

}  // namespace rowshift::testing
