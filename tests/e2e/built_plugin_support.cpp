#include "e2e/built_plugin.h"

#include "standin/document_control.h"

namespace rowshift::testing {

void** EmptyList() {
  static void* list[] = {nullptr};
  return list;
}

BuiltPlugin::BuiltPlugin() {
  standin::RecordDocumentCalls(true);
  std::string error;
  module_ = loader::PluginModule::Load(ROWSHIFT_PLUGIN_FILE, &error);
  if (module_ != nullptr) static_cast<loader::PluginExports&>(*this) = module_->Exports();
}

void BuiltPlugin::Release() {
  static_cast<loader::PluginExports&>(*this) = loader::PluginExports();
  module_.reset();
}

int32_t BuiltPlugin::BindToStandin() { return MQInit(HostModuleFile("mqhost").c_str()); }

int32_t BuiltPlugin::RunSubcommand(void* document, int32_t index) {
  void* list[] = {const_cast<char*>(kIndexKey), &index, nullptr};
  return MQOnEvent(document, kRunSubcommandEvent, list);
}

}  // namespace rowshift::testing
