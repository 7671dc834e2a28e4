// A plug-in module loaded by path and reached only through its exports, the
// way the modeller reaches it. rowshift-host and the end-to-end tests share it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "boundary/host_protocol.h"
#include "boundary/plugin_exports.h"
#include "platform/abi.h"
#include "platform/module_loader.h"

namespace rowshift::loader {

// One pointer per export, named as the export; all set once Load succeeds.
struct PluginExports {
#define ROWSHIFT_EXPORT_SLOT(name, result, params) result(ROWSHIFT_CALL* name) params = nullptr;
  ROWSHIFT_PLUGIN_EXPORTS(ROWSHIFT_EXPORT_SLOT)
#undef ROWSHIFT_EXPORT_SLOT
};

struct PluginIdentity {
  uint32_t product = 0;
  uint32_t plugin = 0;
  std::string name;           // the narrow name text
  int32_t kind = 0;           // 6 for a station plug-in
  std::string display_title;  // UTF-8 of the wide title (string 0), empty when none
};

struct Subcommand {
  int32_t index = 0;
  std::string key;
  std::string title;  // UTF-8 of the wide title
};

// "cannot load the WHAT 'PATH': REASON", the reason in the loader's words,
// right after a LoadModule that answered null.
std::string LoadFailure(const std::string& what, const std::string& path);

class PluginModule {
 public:
  // Loads the module at `path` and resolves the 14 exports. Null, with `error`
  // set, when the file is no module or lacks an export (the first one missing
  // is named).
  static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error);

  // Releases the module: its static objects go now, so send event 2 first.
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  const PluginExports& Exports() const { return exports_; }

  // What the host asks before MQInit; none of it needs the host.
  uint32_t CheckVersion(uint32_t host_version) const;
  PluginIdentity Identity() const;

  // MQInit with the host module's file name: 1 bound, 0 not.
  int32_t Init(const std::string& host_module_path) const;

  int32_t OnEvent(void* document, StationEvent event, void* argument) const;

  // Events 3 and 4 for every index until the plug-in answers no key.
  std::vector<Subcommand> Subcommands() const;
  int32_t RunSubcommand(void* document, int32_t index) const;
  int32_t SetShown(void* document, int32_t flag) const;
  int32_t IsShown(void* document) const;

 private:
  explicit PluginModule(platform::ModuleHandle module) : module_(module) {}
  void* ListEvent(StationEvent event, int32_t index) const;

  platform::ModuleHandle module_;
  PluginExports exports_;
};

}  // namespace rowshift::loader
