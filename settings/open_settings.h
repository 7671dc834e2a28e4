// Finding (or making) a plug-in's section of the host's settings document.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "settings/mq_setting.h"

namespace rowshift {

// "Plugin-%08X-%08X": the product identifier, then the plug-in identifier, in
// upper-case hexadecimal (24 characters).
std::string SettingsSectionName(uint32_t product, uint32_t plugin);

// Asks the host (message 505) for its plug-in settings element, then finds the
// section named for the two identifiers there, adding it when it is missing.
// Returns null when the host gives no plug-in settings element or offers no
// MQ_SendMessage; the caller owns the result. The accessor's section element
// is null when the host could not add the section.
std::unique_ptr<MQSetting> OpenSettingsSection(uint32_t product, uint32_t plugin);

}  // namespace rowshift
