// The root of the plug-in class tree: what every kind of plug-in tells the host
// about itself.
//
// The library holds exactly one plug-in object, with static storage, for as
// long as it is loaded (plugin_instance.h). Its class decides the plug-in kind:
// the event dispatcher tests it with dynamic_cast, never by kind number.
#pragma once

#include <cstdint>
#include <memory>

namespace rowshift {

class MQSetting;

class MQBasePlugin {
 public:
  constexpr MQBasePlugin() = default;
  virtual ~MQBasePlugin() = default;
  MQBasePlugin(const MQBasePlugin&) = delete;
  MQBasePlugin& operator=(const MQBasePlugin&) = delete;

  // The product identifier into `product`, the plug-in identifier into `plugin`.
  virtual void GetIdentifiers(uint32_t& product, uint32_t& plugin) = 0;
  // Narrow text with static storage; the host may keep the pointer.
  virtual const char* GetNameText() = 0;
  // The plug-in kind the host sorts plug-ins by (6 for a station plug-in).
  virtual int32_t GetKind() = 0;

  // The plug-in's section of the host's settings document. The caller owns the
  // result; it is null when the host offers no settings element.
  std::unique_ptr<MQSetting> OpenSettings();
};

}  // namespace rowshift
