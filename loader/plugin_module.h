// A plug-in module loaded by path and reached only through its exports, the
// way the modeller reaches it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/abi.h"
#include "platform/module_loader.h"

namespace rowshift::tool {

// Host events the command-line host sends.
enum class HostEvent : int32_t {
  kStartUp = 1,
  kShutDown = 2,
  kSubcommandKey = 3,
  kSubcommandTitle = 4,
  kSetShown = 100,
  kIsShown = 101,
  kRunSubcommand = 104,
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
  // Loads the module at `path` and resolves the exports the host calls.
  // Null, with `error` set, when the file is no module or lacks an export.
  static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error);

  // Releases the module: its static objects go now, so send event 2 first.
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // What the host asks before MQInit; none of it needs the host.
  uint32_t CheckVersion(uint32_t host_version) const;
  PluginIdentity Identity() const;

  // MQInit with the host module's file name: 1 bound, 0 not.
  int32_t Init(const std::string& host_module_path) const;

  int32_t OnEvent(void* document, HostEvent event, void* argument) const;

  // Events 3 and 4 for every index until the plug-in answers no key.
  std::vector<Subcommand> Subcommands() const;
  int32_t RunSubcommand(void* document, int32_t index) const;
  int32_t SetShown(void* document, int32_t flag) const;
  int32_t IsShown(void* document) const;

 private:
  using CheckVersionFunction = uint32_t(ROWSHIFT_CALL*)(uint32_t);
  using GetIdFunction = void(ROWSHIFT_CALL*)(uint32_t*, uint32_t*);
  using GetNameFunction = const char*(ROWSHIFT_CALL*)();
  using GetTypeFunction = int32_t(ROWSHIFT_CALL*)();
  using EnumStringFunction = const WideChar*(ROWSHIFT_CALL*)(int32_t);
  using InitFunction = int32_t(ROWSHIFT_CALL*)(const char*);
  using OnEventFunction = int32_t(ROWSHIFT_CALL*)(void*, int32_t, void*);

  explicit PluginModule(platform::ModuleHandle module) : module_(module) {}
  void* ListEvent(HostEvent event, int32_t index) const;

  platform::ModuleHandle module_;
  CheckVersionFunction check_version_ = nullptr;
  GetIdFunction get_id_ = nullptr;
  GetNameFunction get_name_ = nullptr;
  GetTypeFunction get_type_ = nullptr;
  EnumStringFunction enum_string_ = nullptr;
  InitFunction init_ = nullptr;
  OnEventFunction on_event_ = nullptr;
};

}  // namespace rowshift::tool
