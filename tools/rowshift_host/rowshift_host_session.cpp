#include "tools/rowshift_host/rowshift_host_session.h"

#include <cstring>
#include <optional>

#include "tools/rowshift_host/rowshift_host_paths.h"

namespace rowshift::tool {
namespace {

// The version this host reports to MQCheckVersion (plug-ins answer 0 to a host
// they cannot run in): the oldest edition's.
constexpr uint32_t kHostVersion = kOldestHostVersion;

// The stand-in's control table, or null with `error` set: rowshift-host builds
// the document and reads what the plug-in did through it, so a host module
// without one, or with the table of another build, cannot serve.
const standin::ControlTable* ControlTableOf(platform::ModuleHandle module, const std::string& path,
                                            std::string* error) {
  using TableExport = const standin::ControlTable*(ROWSHIFT_CALL*)();
  void* found = platform::ResolveExport(module, standin::kControlTableExport);
  if (found == nullptr) {
    *error = "'" + path + "' is not the stand-in host module: it does not export " +
             standin::kControlTableExport;
    return nullptr;
  }
  TableExport table_export = nullptr;
  std::memcpy(&table_export, &found, sizeof table_export);
  const standin::ControlTable* table = table_export();
  if (table == nullptr || table->size != sizeof(standin::ControlTable)) {
    *error = "'" + path + "' is a stand-in host module of another build than rowshift-host";
    return nullptr;
  }
  return table;
}

}  // namespace

std::unique_ptr<PluginSession> PluginSession::Open(const SessionPaths& paths, std::string* error) {
  // A missing file is told as such, with where it was looked for, before the
  // loader would answer in its own words.
  std::optional<std::string> missing =
      MissingModule("host module", paths.host_module, "--host-module");
  if (!missing) missing = MissingModule("plug-in module", paths.plugin, "--plugin");
  if (missing) {
    *error = *missing;
    return nullptr;
  }
  platform::ModuleHandle host_module = platform::LoadModule(paths.host_module.c_str());
  if (host_module == nullptr) {
    *error = loader::LoadFailure("host module", paths.host_module);
    return nullptr;
  }
  std::unique_ptr<PluginSession> session(new PluginSession(host_module));
  session->controls_ = ControlTableOf(host_module, paths.host_module, error);
  if (session->controls_ == nullptr) return nullptr;
  session->plugin_ = loader::PluginModule::Load(paths.plugin, error);
  if (!session->plugin_) return nullptr;
  if (session->plugin_->CheckVersion(kHostVersion) == 0) {
    *error = "the plug-in '" + paths.plugin + "' refuses this host's version";
    return nullptr;
  }
  session->identity_ = session->plugin_->Identity();
  if (session->plugin_->Init(paths.host_module) == 0) {
    *error = "the plug-in '" + paths.plugin + "' could not bind the host functions of '" +
             paths.host_module + "' (MQInit answered 0)";
    return nullptr;
  }
  return session;
}

PluginSession::~PluginSession() {
  Stop();
  plugin_.reset();
  platform::ReleaseModule(host_module_);
}

int32_t PluginSession::Start() {
  started_ = true;
  return plugin_->OnEvent(nullptr, kStartUpEvent, nullptr);
}

int32_t PluginSession::Stop() {
  if (!started_) return 0;
  started_ = false;
  return plugin_->OnEvent(nullptr, kShutDownEvent, nullptr);
}

}  // namespace rowshift::tool
