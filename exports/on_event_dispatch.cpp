#include "exports/on_event_dispatch.h"

#include <optional>

#include "boundary/host_protocol.h"
#include "boundary/name_value_list.h"
#include "plugin/command_events.h"
#include "plugin/command_plugin.h"
#include "plugin/import_plugin.h"
#include "plugin/station_events.h"
#include "plugin/station_plugin.h"

namespace rowshift {

namespace {

int32_t DispatchImportFallback(MQBasePlugin& plugin, int32_t event, void* argument) {
  auto* importer = dynamic_cast<MQImportPlugin*>(&plugin);
  if (importer == nullptr) return 0;
  if (event == kImportRunEvent) return importer->HandleEvent300();
  if (event == kImportSetOptionsEvent) {
    const NameValueList list(static_cast<void**>(argument));
    importer->background = list.Int(kBackgroundKey, 0);
    importer->args = list.Find(kArgsKey);
    return 1;
  }
  return 0;
}

}  // namespace

int32_t DispatchEvent(MQBasePlugin* plugin, void* document, int32_t event, void* argument) {
  if (plugin == nullptr) return 0;
  if (auto* station = dynamic_cast<MQStationPlugin*>(plugin)) {
    if (IsCommandEvent(event)) {
      auto* command = dynamic_cast<MQCommandPlugin*>(plugin);
      if (command == nullptr) return 0;
      return DispatchCommandEvent(*command, document, event,
                                  NameValueList(static_cast<void**>(argument)));
    }
    const std::optional<int32_t> answer = DispatchStationEvent(*station, document, event, argument);
    if (answer) return *answer;
  }
  return DispatchImportFallback(*plugin, event, argument);
}

}  // namespace rowshift
