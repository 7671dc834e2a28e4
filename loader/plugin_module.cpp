#include "tools/rowshift_host_plugin.h"

#include "platform/text_encoding.h"

namespace rowshift::tool {
namespace {

// A guard against a plug-in that never ends its sub-command list.
constexpr int32_t kMaxSubcommands = 256;

constexpr char kIndexKey[] = "index";
constexpr char kResultKey[] = "result";

// A name in a name/value list: the slots are void*, and the plug-in only reads names.
void* Name(const char* key) { return const_cast<char*>(key); }

template <typename Function>
bool Resolve(platform::ModuleHandle module, const char* name, Function* function,
             std::string* missing) {
  *function = reinterpret_cast<Function>(platform::ResolveExport(module, name));
  if (*function == nullptr && missing->empty()) *missing = name;
  return *function != nullptr;
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
  Resolve(module, "MQCheckVersion", &plugin->check_version_, &missing);
  Resolve(module, "MQGetPlugInID", &plugin->get_id_, &missing);
  Resolve(module, "MQGetPlugInName", &plugin->get_name_, &missing);
  Resolve(module, "MQGetPlugInType", &plugin->get_type_, &missing);
  Resolve(module, "MQEnumStringW", &plugin->enum_string_, &missing);
  Resolve(module, "MQInit", &plugin->init_, &missing);
  Resolve(module, "MQOnEvent", &plugin->on_event_, &missing);
  if (!missing.empty()) {
    *error = "'" + path + "' is not a plug-in: it does not export " + missing;
    return nullptr;
  }
  return plugin;
}

PluginModule::~PluginModule() { platform::ReleaseModule(module_); }

uint32_t PluginModule::CheckVersion(uint32_t host_version) const {
  return check_version_(host_version);
}

PluginIdentity PluginModule::Identity() const {
  PluginIdentity identity;
  get_id_(&identity.product, &identity.plugin);
  const char* name = get_name_();
  identity.name = name != nullptr ? name : "";
  identity.kind = get_type_();
  identity.display_title = platform::Utf16ToUtf8(enum_string_(0));
  return identity;
}

int32_t PluginModule::Init(const std::string& host_module_path) const {
  return init_(host_module_path.c_str());
}

int32_t PluginModule::OnEvent(void* document, HostEvent event, void* argument) const {
  return on_event_(document, static_cast<int32_t>(event), argument);
}

void* PluginModule::ListEvent(HostEvent event, int32_t index) const {
  void* result = nullptr;
  void* list[] = {Name(kIndexKey), &index, Name(kResultKey), &result, nullptr};
  OnEvent(nullptr, event, list);
  return result;
}

std::vector<Subcommand> PluginModule::Subcommands() const {
  std::vector<Subcommand> subcommands;
  for (int32_t index = 0; index < kMaxSubcommands; ++index) {
    const auto* key = static_cast<const char*>(ListEvent(HostEvent::kSubcommandKey, index));
    if (key == nullptr) break;
    const auto* title = static_cast<const WideChar*>(ListEvent(HostEvent::kSubcommandTitle, index));
    subcommands.push_back({index, key, platform::Utf16ToUtf8(title)});
  }
  return subcommands;
}

int32_t PluginModule::RunSubcommand(void* document, int32_t index) const {
  void* list[] = {Name(kIndexKey), &index, nullptr};
  return OnEvent(document, HostEvent::kRunSubcommand, list);
}

int32_t PluginModule::SetShown(void* document, int32_t flag) const {
  return OnEvent(document, HostEvent::kSetShown, &flag);
}

int32_t PluginModule::IsShown(void* document) const {
  return OnEvent(document, HostEvent::kIsShown, nullptr);
}

}  // namespace rowshift::tool
