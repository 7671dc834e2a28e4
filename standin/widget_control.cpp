// The stand-in widget host's test controls, and the widget events they fire
// into the plug-in's registered callbacks.
#include "standin/widget_control.h"

#include <string>
#include <vector>

#include "boundary/host_protocol.h"
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

void ReuseWidgetIds(bool reuse) { WidgetHost::Instance().reuse_ids = reuse; }

int32_t FireEvent(int32_t widget_id, const std::string& type, const std::vector<EventPair>& extra,
                  void* document) {
  // Copied first: a handler may send requests that add or remove hooks.
  const std::vector<WidgetHook> hooks = WidgetHost::Instance().HooksOf(widget_id, type);
  int32_t answer = 0;
  for (const WidgetHook& hook : hooks) {
    int32_t target_id = widget_id;
    int32_t sender_id = widget_id;
    std::vector<void*> list = {
        const_cast<char*>(rowshift::kTargetIdKey), &target_id,
        const_cast<char*>(rowshift::kSenderIdKey), &sender_id,
        const_cast<char*>(rowshift::kTypeKey),     const_cast<char*>(type.c_str())};
    for (const EventPair& pair : extra) {
      list.push_back(const_cast<char*>(pair.name));
      list.push_back(pair.value);
    }
    list.push_back(nullptr);
    answer = hook.proc(document, list.data(), hook.pointer);
  }
  return answer;
}

int32_t Click(int32_t button_id, void* document) {
  return FireEvent(button_id, rowshift::kExecuteEvent, {}, document);
}

bool SimulateUserClose(int32_t window_id, void* document) {
  WidgetHost& host = WidgetHost::Instance();
  if (!host.IsVisibleWindow(window_id)) return false;
  WidgetValue hidden;
  hidden.kind = WidgetValueKind::Bool;
  hidden.bool_value = false;
  host.SetProperty(window_id, rowshift::kVisibleProperty, hidden);
  FireEvent(window_id, rowshift::kHideEvent, {}, document);
  return true;
}

}  // namespace standin
