#include "tools/rowshift_host_session.h"

#include <optional>

#include "standin/document_exports.h"
#include "tools/rowshift_host_paths.h"

namespace rowshift::tool {
namespace {

// The version this host reports to MQCheckVersion (plug-ins answer 0 to a host
// they cannot run in): the oldest edition's.
constexpr uint32_t kHostVersion = kOldestHostVersion;
// An export every host module has; a module without it is no host.
constexpr char kHostProbeExport[] = "MQDoc_GetObjectCount";

// rowshift-host builds documents and reads the call log and the widgets
// through the stand-in module it is linked with. Another copy of that module
// would keep its own documents and widgets, invisible from here.
bool IsTheLinkedStandin(void* probe) {
  return probe == reinterpret_cast<void*>(&MQDoc_GetObjectCount);
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
  void* probe = platform::ResolveExport(host_module, kHostProbeExport);
  if (probe == nullptr) {
    *error =
        "'" + paths.host_module + "' is not a host module: it does not export " + kHostProbeExport;
    return nullptr;
  }
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
  if (!IsTheLinkedStandin(probe)) {
    *error = "'" + paths.host_module +
             "' is another copy of the stand-in host than the one rowshift-host is built with; "
             "its documents and windows would not be visible here";
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
