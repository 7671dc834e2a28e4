#include "plugin/base_plugin.h"
#include "settings/open_settings.h"

namespace rowshift {

std::unique_ptr<MQSetting> MQBasePlugin::OpenSettings() {
  uint32_t product = 0;
  uint32_t plugin = 0;
  GetIdentifiers(product, plugin);
  return OpenSettingsSection(product, plugin);
}

}  // namespace rowshift
