// The stand-in widget host's test controls.
#include "standin/widget_control.h"

#include "standin/widget_host.h"

namespace standin {

const std::vector<WidgetRequestRecord>& WidgetRequests() {
  return WidgetHost::Instance().Requests();
}

void ClearWidgetRequests() { WidgetHost::Instance().Requests().clear(); }

int32_t MainWindowId() { return kStandinMainWindowId; }

std::optional<WidgetInfo> FindWidget(int32_t id) {
  WidgetEntry* entry = WidgetHost::Instance().Find(id);
  if (entry == nullptr) return std::nullopt;
  WidgetInfo info;
  info.id = id;
  info.type = entry->type;
  info.parent = entry->parent;
  info.children = entry->children;
  info.properties = entry->properties;
  return info;
}

std::vector<int32_t> WidgetIds() {
  std::vector<int32_t> ids;
  for (const auto& widget : WidgetHost::Instance().Widgets()) ids.push_back(widget.first);
  return ids;
}

std::vector<WidgetHook> WidgetHooks(int32_t widget_id) {
  std::vector<WidgetHook> hooks;
  for (const WidgetHook& hook : WidgetHost::Instance().Hooks()) {
    if (hook.widget_id == widget_id) hooks.push_back(hook);
  }
  return hooks;
}

void* NewCanvas() { return WidgetHost::Instance().NewCanvas(); }

void ResetWidgetHost() { WidgetHost::Instance().Reset(); }

void FailNthCreate(int n) { WidgetHost::Instance().creates_until_failure = n > 0 ? n : 0; }

void FailCreatesOfType(const std::string& type) { WidgetHost::Instance().failing_type = type; }

void WithholdMainWindow(bool withhold) { WidgetHost::Instance().withhold_main_window = withhold; }

}  // namespace standin
