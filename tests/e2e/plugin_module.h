// The plug-in module loaded as the host loads it: by file name, through the
// platform loader, with its fourteen exports looked up by name.
#pragma once

#include <cstdint>
#include <string>

#include "platform/abi.h"
#include "platform/module_loader.h"

namespace rowshift::testing {

// The stand-in host modules beside the test binary.
std::string HostModuleFile(const char* base_name);

// A shared empty list, for events whose keys are all optional.
void** EmptyList();

// Host events the tests send, by number.
inline constexpr int32_t kStartUpEvent = 1;
inline constexpr int32_t kShutDownEvent = 2;
inline constexpr int32_t kSetShownEvent = 100;
inline constexpr int32_t kIsShownEvent = 101;
inline constexpr int32_t kSubcommandEvent = 104;

class PluginModule {
 public:
  // Loads ROWSHIFT_PLUGIN_FILE; Loaded() tells whether that worked. Switches
  // on the stand-in's recording of document calls, which the tests read.
  PluginModule();
  // Releases the module reference (unloading it when it was the last).
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // True when every one of the fourteen exports was found.
  bool HasEveryExport() const { return every_export_found_; }
  void Release();

  // MQInit with the full stand-in host module.
  int32_t BindToStandin();

  // Event 104 with sub-command `index` on `document`; the plug-in's answer.
  int32_t RunSubcommand(void* document, int32_t index);

  uint32_t(ROWSHIFT_CALL* MQCheckVersion)(uint32_t) = nullptr;
  void(ROWSHIFT_CALL* MQGetPlugInID)(uint32_t*, uint32_t*) = nullptr;
  const char*(ROWSHIFT_CALL* MQGetPlugInName)() = nullptr;
  int32_t(ROWSHIFT_CALL* MQGetPlugInType)() = nullptr;
  const WideChar*(ROWSHIFT_CALL* MQEnumStringW)(int32_t) = nullptr;
  const char*(ROWSHIFT_CALL* MQEnumFileType)(int32_t) = nullptr;
  const char*(ROWSHIFT_CALL* MQEnumFileExt)(int32_t) = nullptr;
  int32_t(ROWSHIFT_CALL* MQImportFileW)(void*, void*, void*) = nullptr;
  int32_t(ROWSHIFT_CALL* MQExportFileW)(void*, void*, void*) = nullptr;
  int32_t(ROWSHIFT_CALL* MQCreate)(void*, void*) = nullptr;
  int32_t(ROWSHIFT_CALL* MQModifyObject)(void*, void*) = nullptr;
  int32_t(ROWSHIFT_CALL* MQModifySelect)(void*, void*) = nullptr;
  int32_t(ROWSHIFT_CALL* MQInit)(const char*) = nullptr;
  int32_t(ROWSHIFT_CALL* MQOnEvent)(void*, int32_t, void*) = nullptr;

 private:
  template <typename Function>
  void Resolve(const char* name, Function& function);

  platform::ModuleHandle module_ = nullptr;
  bool every_export_found_ = false;
};

// A wide string as UTF-16 code units (empty for null), for comparisons.
std::u16string Utf16(const WideChar* text);

}  // namespace rowshift::testing
