// One run of a plug-in inside the command-line host, from load to unload.
//
// Open loads the host module and the plug-in by path, finds the stand-in's
// control table in the host module, asks the plug-in who it is and binds it
// with MQInit; Start sends event 1 and Stop event 2. The
// destructor stops a started plug-in, then releases the plug-in module and
// after it the host module, which the plug-in's table points into.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "loader/plugin_module.h"
#include "platform/module_loader.h"
#include "standin/control_table.h"

namespace rowshift::tool {

struct SessionPaths {
  std::string plugin;
  std::string host_module;
};

class PluginSession {
 public:
  // Null, with `error` set, when a module does not load, the host module is
  // not the stand-in, the plug-in refuses the host's version or its MQInit
  // answers 0.
  static std::unique_ptr<PluginSession> Open(const SessionPaths& paths, std::string* error);

  ~PluginSession();
  PluginSession(const PluginSession&) = delete;
  PluginSession& operator=(const PluginSession&) = delete;

  int32_t Start();  // event 1; its answer
  int32_t Stop();   // event 2; its answer; nothing when not started

  const loader::PluginModule& Plugin() const { return *plugin_; }
  const loader::PluginIdentity& Identity() const { return identity_; }
  // The controls of the loaded host module: its documents, call log, settings
  // document and widgets, which the plug-in sees.
  const standin::ControlTable& Controls() const { return *controls_; }

 private:
  explicit PluginSession(platform::ModuleHandle host_module) : host_module_(host_module) {}

  platform::ModuleHandle host_module_;  // our own reference: MQInit gives its back
  const standin::ControlTable* controls_ = nullptr;
  std::unique_ptr<loader::PluginModule> plugin_;
  loader::PluginIdentity identity_;
  bool started_ = false;
};

}  // namespace rowshift::tool
