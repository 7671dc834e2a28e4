// The plug-in module loaded as the host loads it: by file name, through the
// shared plug-in loader, with its fourteen exports looked up by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "boundary/host_protocol.h"
#include "loader/plugin_module.h"
#include "platform/abi.h"
#include "support/host_module_file.h"
#include "support/wide_text.h"

namespace rowshift::testing {

// A shared empty list, for events whose keys are all optional.
void** EmptyList();

// The plug-in module of this build (ROWSHIFT_PLUGIN_FILE), its exports
// reachable by name (plugin.MQOnEvent), as the shared loader resolved them.
class BuiltPlugin : public loader::PluginExports {
 public:
  // Loads the module; Loaded() tells whether that worked. Switches on the
  // stand-in's recording of document calls, which the tests read.
  BuiltPlugin();
  BuiltPlugin(const BuiltPlugin&) = delete;
  BuiltPlugin& operator=(const BuiltPlugin&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // True when every one of the fourteen exports was found (the loader loads
  // no module that lacks one).
  bool HasEveryExport() const { return Loaded(); }
  // Releases the module reference (unloading it when it was the last).
  void Release();

  // MQInit with the full stand-in host module.
  int32_t BindToStandin();

  // Event 104 with sub-command `index` on `document`; the plug-in's answer.
  int32_t RunSubcommand(void* document, int32_t index);

 private:
  std::unique_ptr<loader::PluginModule> module_;
};

}  // namespace rowshift::testing
