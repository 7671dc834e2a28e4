#include "settings/open_settings.h"

#include "boundary/host_functions.h"
#include "boundary/host_protocol.h"
#include "settings/bounded_format.h"
#include "settings/xml_element.h"

namespace rowshift {
namespace {

constexpr char kSectionNameFormat[] = "Plugin-%08X-%08X";
constexpr uint32_t kReservedWord = 0;

// The host writes the element handles into the value slots of this list.
void* RequestPluginSettingsElement(uint32_t product, uint32_t plugin) {
  const auto send_message = HostFunctions().MQ_SendMessage;
  if (send_message == nullptr) return nullptr;
  void* list[] = {const_cast<char*>(kSettingsRootName), nullptr,    //
                  const_cast<char*>(kPluginSettingsName), nullptr,  //
                  nullptr};
  constexpr int kPluginSettingsValueSlot = 3;
  HostMessage message{product, plugin, kReservedWord, list};
  send_message(kSettingsElementMessage, &message);
  return list[kPluginSettingsValueSlot];
}

}  // namespace

std::string SettingsSectionName(uint32_t product, uint32_t plugin) {
  NarrowFormatBuffer name;
  FormatNarrow(name, kSectionNameFormat, static_cast<unsigned int>(product),
               static_cast<unsigned int>(plugin));
  return name.data();
}

std::unique_ptr<MQSetting> OpenSettingsSection(uint32_t product, uint32_t plugin) {
  void* plugin_settings = RequestPluginSettingsElement(product, plugin);
  if (plugin_settings == nullptr) return nullptr;
  const std::string section_name = SettingsSectionName(product, plugin);
  void* section = FindChildElement(plugin_settings, section_name.c_str());
  if (section == nullptr) section = AddChildElement(plugin_settings, section_name.c_str());
  return std::make_unique<MQSetting>(plugin_settings, section);
}

}  // namespace rowshift
