// The test controls as one table of functions, for a program that loads the
// stand-in module by path instead of linking it. rowshift-host reaches the
// documents, call log, settings document and widgets of the very module it
// loaded through this table, so it runs wherever that module is found, and a
// copy of the tool without the module can say so instead of failing in the
// system loader.
//
// The module and the program are built together by one compiler, so the table
// holds the controls' own C++ types; `size` guards against a module from
// another build whose table is shorter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/abi.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/standin_api.h"
#include "standin/widget_control.h"

namespace standin {

class Document;

// The members do what the controls of the same names in document_control.h,
// call_log.h, settings_control.h and widget_control.h do.
struct ControlTable {
  std::size_t size = sizeof(ControlTable);

  // A document made and destroyed inside the module, and its handle for the
  // plug-in.
  Document* (*new_document)();
  void (*delete_document)(Document* document);
  void* (*document_handle)(Document& document);
  bool (*load_outline)(Document& document, const std::string& text, std::string* error);
  std::string (*to_outline)(const Document& document);
  int (*slot_count)(const Document& document);
  void* (*object_in_slot)(const Document& document, int index);
  const void* (*clone_source_of)(const Document& document, const void* object);

  void (*record_document_calls)(bool on);
  void (*clear_calls)();
  const std::vector<HostCall>& (*host_calls)();
  std::string (*line_of)(const HostCall& call);

  SettingsNode (*read_settings_tree)();
  void (*load_settings_tree)(const SettingsNode& root);
  void (*reset_settings_document)();

  int32_t (*main_window_id)();
  std::optional<WidgetInfo> (*find_widget)(int32_t id);
  std::vector<int32_t> (*widget_ids)();
  std::vector<WidgetHook> (*widget_hooks)(int32_t widget_id);
  std::string (*widget_value_text)(const WidgetValue& value);
  int32_t (*click)(int32_t button_id, void* document);
  bool (*simulate_user_close)(int32_t window_id, void* document);
};

// The export a program resolves to reach the table.
constexpr char kControlTableExport[] = "Standin_ControlTable";

}  // namespace standin

extern "C" STANDIN_API const standin::ControlTable* ROWSHIFT_CALL Standin_ControlTable();
