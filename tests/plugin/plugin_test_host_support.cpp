#include "plugin_test_host.h"

#include <utility>

#include "boundary/host_functions.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "standin/widget_exports.h"
#include "support/standin_in_process.h"

namespace rowshift::testing {
namespace {

WidgetRequestObserver& Observer() {
  static WidgetRequestObserver observer;
  return observer;
}

int32_t ROWSHIFT_CALL ObservedWidgetValue(int32_t target, int32_t code, void** list) {
  if (Observer()) Observer()(target, code);
  return MQWidget_Value(target, code, list);
}

}  // namespace

PluginTestHost::PluginTestHost() {
  standin::ResetWidgetHost();
  standin::ResetSettingsDocument();
  standin::ClearHostMessages();
  standin::ClearCalls();
  BindStandinDocumentFunctions();
  HostFunctionTable& host = HostFunctions();
  host.MQWidget_Value = &ObservedWidgetValue;
  host.MQCanvas_Value = &MQCanvas_Value;
  host.MQ_SendMessage = &MQ_SendMessage;
  host.MQXmlElem_Value = &MQXmlElem_Value;
}

PluginTestHost::~PluginTestHost() {
  Observer() = nullptr;
  UnbindHostFunctions();
}

void PluginTestHost::Observe(WidgetRequestObserver observer) { Observer() = std::move(observer); }

int32_t ToolWindowId() {
  for (int32_t id : standin::WidgetIds()) {
    if (id != standin::MainWindowId() && standin::FindWidget(id)->type == "window") return id;
  }
  return 0;
}

int32_t ToolFrameId() {
  const auto window = standin::FindWidget(ToolWindowId());
  if (!window || window->children.empty()) return 0;
  return window->children.front();
}

std::vector<int32_t> ToolButtonIds() {
  const auto frame = standin::FindWidget(ToolFrameId());
  return frame ? frame->children : std::vector<int32_t>{};
}

std::string WidgetProperty(int32_t id, const std::string& key) {
  const auto widget = standin::FindWidget(id);
  if (!widget) return "none";
  const auto property = widget->properties.find(key);
  return property == widget->properties.end() ? "none" : property->second.ToString();
}

}  // namespace rowshift::testing
