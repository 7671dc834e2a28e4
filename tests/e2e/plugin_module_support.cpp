#include "e2e/plugin_module.h"

#include <cstring>

#include "standin/document_control.h"

namespace rowshift::testing {

std::string HostModuleFile(const char* base_name) {
  return std::string("./") + base_name + ROWSHIFT_MODULE_SUFFIX;
}

void** EmptyList() {
  static void* list[] = {nullptr};
  return list;
}

PluginModule::PluginModule() : module_(platform::LoadModule(ROWSHIFT_PLUGIN_FILE)) {
  standin::RecordDocumentCalls(true);
  if (module_ == nullptr) return;
  every_export_found_ = true;
  Resolve("MQCheckVersion", MQCheckVersion);
  Resolve("MQGetPlugInID", MQGetPlugInID);
  Resolve("MQGetPlugInName", MQGetPlugInName);
  Resolve("MQGetPlugInType", MQGetPlugInType);
  Resolve("MQEnumStringW", MQEnumStringW);
  Resolve("MQEnumFileType", MQEnumFileType);
  Resolve("MQEnumFileExt", MQEnumFileExt);
  Resolve("MQImportFileW", MQImportFileW);
  Resolve("MQExportFileW", MQExportFileW);
  Resolve("MQCreate", MQCreate);
  Resolve("MQModifyObject", MQModifyObject);
  Resolve("MQModifySelect", MQModifySelect);
  Resolve("MQInit", MQInit);
  Resolve("MQOnEvent", MQOnEvent);
}

PluginModule::~PluginModule() { Release(); }

void PluginModule::Release() {
  platform::ReleaseModule(module_);
  module_ = nullptr;
}

template <typename Function>
void PluginModule::Resolve(const char* name, Function& function) {
  void* address = platform::ResolveExport(module_, name);
  std::memcpy(&function, &address, sizeof function);
  if (address == nullptr) every_export_found_ = false;
}

int32_t PluginModule::BindToStandin() { return MQInit(HostModuleFile("mqhost").c_str()); }

int32_t PluginModule::RunSubcommand(void* document, int32_t index) {
  void* list[] = {const_cast<char*>("index"), &index, nullptr};
  return MQOnEvent(document, kSubcommandEvent, list);
}

std::u16string Utf16(const WideChar* text) {
  std::u16string units;
  if (text == nullptr) return units;
  for (; *text != 0; ++text) units.push_back(static_cast<char16_t>(*text));
  return units;
}

}  // namespace rowshift::testing
