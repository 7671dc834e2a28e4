// The plug-in's C exports, the only symbols the library shows the host. Each
// is a trampoline: it reaches the plug-in object, calls C++ and hands back a C
// value, answering 0 or null when anything throws.
#include <cstdint>
#include <type_traits>

#include "boundary/host_functions.h"
#include "boundary/plugin_exports.h"
#include "exports/entry_point_binding.h"
#include "exports/export_guard.h"
#include "exports/on_event_dispatch.h"
#include "exports/plugin_instance.h"
#include "exports/plugin_queries.h"
#include "platform/abi.h"

using rowshift::AnswerOr;
using rowshift::ThePlugin;
using rowshift::WideChar;

extern "C" {

ROWSHIFT_PLUGIN_EXPORT uint32_t ROWSHIFT_CALL MQCheckVersion(uint32_t host_version) {
  return AnswerOr(0u, [&] { return rowshift::CheckVersion(host_version); });
}

ROWSHIFT_PLUGIN_EXPORT void ROWSHIFT_CALL MQGetPlugInID(uint32_t* product, uint32_t* id) {
  rowshift::RunGuarded([&] { rowshift::ReportIdentifiers(ThePlugin(), product, id); });
}

ROWSHIFT_PLUGIN_EXPORT const char* ROWSHIFT_CALL MQGetPlugInName(void) {
  return AnswerOr<const char*>(nullptr, [] { return ThePlugin().GetNameText(); });
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQGetPlugInType(void) {
  return AnswerOr(0, [] { return ThePlugin().GetKind(); });
}

ROWSHIFT_PLUGIN_EXPORT const WideChar* ROWSHIFT_CALL MQEnumStringW(int32_t index) {
  return AnswerOr<const WideChar*>(nullptr,
                                   [&] { return rowshift::EnumDisplayString(ThePlugin(), index); });
}

ROWSHIFT_PLUGIN_EXPORT const char* ROWSHIFT_CALL MQEnumFileType(int32_t index) {
  return rowshift::NoFileString(index);
}

ROWSHIFT_PLUGIN_EXPORT const char* ROWSHIFT_CALL MQEnumFileExt(int32_t index) {
  return rowshift::NoFileString(index);
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQImportFileW(void* first, void* second, void* third) {
  return rowshift::NoFileOperation(first, second, third);
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQExportFileW(void* first, void* second, void* third) {
  return rowshift::NoFileOperation(first, second, third);
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQCreate(void* first, void* second) {
  return rowshift::NoMainOperation(first, second);
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQModifyObject(void* first, void* second) {
  return rowshift::NoMainOperation(first, second);
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQModifySelect(void* first, void* second) {
  return rowshift::NoMainOperation(first, second);
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQInit(const char* module_file_name) {
  return AnswerOr(
      0, [&] { return rowshift::BindHostFunctions(module_file_name, rowshift::HostFunctions()); });
}

ROWSHIFT_PLUGIN_EXPORT int32_t ROWSHIFT_CALL MQOnEvent(void* document, int32_t event,
                                                       void* argument) {
  return AnswerOr(0,
                  [&] { return rowshift::DispatchEvent(&ThePlugin(), document, event, argument); });
}

}  // extern "C"

// Each export has exactly the shape the list of exports gives it.
#define ROWSHIFT_CHECK_EXPORT(name, result, params)                             \
  static_assert(std::is_same_v<decltype(&name), result(ROWSHIFT_CALL*) params>, \
                #name " differs from its line in boundary/plugin_exports.h");
ROWSHIFT_PLUGIN_EXPORTS(ROWSHIFT_CHECK_EXPORT)
#undef ROWSHIFT_CHECK_EXPORT
