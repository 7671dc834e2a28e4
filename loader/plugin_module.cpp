#include "loader/plugin_module.h"

#include <cstring>

#include "platform/text_encoding.h"

namespace rowshift::loader {
namespace {

// A guard against a plug-in that never ends its sub-command list.
constexpr int32_t kMaxSubcommands = 256;

// A name in a name/value list: the slots are void*, and the plug-in only reads names.
void* Name(const char* key) { return const_cast<char*>(key); }

template <typename Function>
void Resolve(platform::ModuleHandle module, const char* name, Function* function,
             std::string* missing) {
  void* address = platform::ResolveExport(module, name);
  std::memcpy(function, &address, sizeof *function);
  if (address == nullptr && missing->empty()) *missing = name;
}

}  // namespace

std::string LoadFailure(const std::string& what, const std::string& path) {
  std::string reason = platform::LastLoadError();
  // The loader often starts with the path, which the message names already.
  if (reason.compare(0, path.size() + 2, path + ": ") == 0) reason.erase(0, path.size() + 2);
  return "cannot load the " + what + " '" + path + "'" + (reason.empty() ? "" : ": " + reason);
}

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, std::string* error) {
  platform::ModuleHandle module = platform::LoadModule(path.c_str());
  if (module == nullptr) {
    *error = LoadFailure("plug-in module", path);
    return nullptr;
  }
  std::unique_ptr<PluginModule> plugin(new PluginModule(module));
  std::string missing;
#define ROWSHIFT_RESOLVE_EXPORT(name, result, params) \
  Resolve(module, #name, &plugin->exports_.name, &missing);
  ROWSHIFT_PLUGIN_EXPORTS(ROWSHIFT_RESOLVE_EXPORT)
#undef ROWSHIFT_RESOLVE_EXPORT
  if (!missing.empty()) {
    *error = "'" + path + "' is not a plug-in: it does not export " + missing;
    return nullptr;
  }
  return plugin;
}

PluginModule::~PluginModule() { platform::ReleaseModule(module_); }

uint32_t PluginModule::CheckVersion(uint32_t host_version) const {
  return exports_.MQCheckVersion(host_version);
}

PluginIdentity PluginModule::Identity() const {
  PluginIdentity identity;
  exports_.MQGetPlugInID(&identity.product, &identity.plugin);
  const char* name = exports_.MQGetPlugInName();
  identity.name = name != nullptr ? name : "";
  identity.kind = exports_.MQGetPlugInType();
  identity.display_title = platform::Utf16ToUtf8(exports_.MQEnumStringW(0));
  return identity;
}

int32_t PluginModule::Init(const std::string& host_module_path) const {
  return exports_.MQInit(host_module_path.c_str());
}

int32_t PluginModule::OnEvent(void* document, StationEvent event, void* argument) const {
  return exports_.MQOnEvent(document, event, argument);
}

void* PluginModule::ListEvent(StationEvent event, int32_t index) const {
  void* result = nullptr;
  void* list[] = {Name(kIndexKey), &index, Name(kResultKey), &result, nullptr};
  OnEvent(nullptr, event, list);
  return result;
}

std::vector<Subcommand> PluginModule::Subcommands() const {
  std::vector<Subcommand> subcommands;
  for (int32_t index = 0; index < kMaxSubcommands; ++index) {
    const auto* key = static_cast<const char*>(ListEvent(kSubcommandKeyEvent, index));
    if (key == nullptr) break;
    const auto* title = static_cast<const WideChar*>(ListEvent(kSubcommandTitleEvent, index));
    subcommands.push_back({index, key, platform::Utf16ToUtf8(title)});
  }
  return subcommands;
}

int32_t PluginModule::RunSubcommand(void* document, int32_t index) const {
  void* list[] = {Name(kIndexKey), &index, nullptr};
  return OnEvent(document, kRunSubcommandEvent, list);
}

int32_t PluginModule::SetShown(void* document, int32_t flag) const {
  return OnEvent(document, kSetShownEvent, &flag);
}

int32_t PluginModule::IsShown(void* document) const {
  return OnEvent(document, kIsShownEvent, nullptr);
}

}  // namespace rowshift::loader
