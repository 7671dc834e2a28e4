#include "support/standin_in_process.h"

#include <utility>

#include "boundary/host_functions.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "standin/widget_control.h"
#include "standin/widget_exports.h"
#include "widgets/widget_registry.h"

namespace rowshift::testing {
namespace {

RawRequestObserver& Observer() {
  static RawRequestObserver observer;
  return observer;
}

struct CallBack {
  int calls_left = 0;  // 0: disarmed
  std::function<void()> action;
  bool ran = false;
};

CallBack& ArmedCallBack() {
  static CallBack call_back;
  return call_back;
}

// Counts one host call and runs the armed action when it falls on this one.
void CountHostCall() {
  CallBack& call_back = ArmedCallBack();
  if (call_back.calls_left <= 0 || --call_back.calls_left > 0) return;
  const std::function<void()> action = std::move(call_back.action);
  call_back.action = nullptr;
  call_back.ran = true;
  if (action) action();
}

int32_t ROWSHIFT_CALL ObservedWidgetValue(int32_t target, int32_t code, void** list) {
  if (Observer()) Observer()(target, code, list);
  CountHostCall();
  return MQWidget_Value(target, code, list);
}

int32_t ROWSHIFT_CALL CountedSendMessage(int32_t code, HostMessage* message) {
  CountHostCall();
  return MQ_SendMessage(code, message);
}

int32_t ROWSHIFT_CALL CountedElementValue(void* element, int32_t code, void** values) {
  CountHostCall();
  return MQXmlElem_Value(element, code, values);
}

}  // namespace

void BindStandinDocumentFunctions() {
  HostFunctionTable& host = HostFunctions();
  host.MQDoc_GetObjectCount = &::MQDoc_GetObjectCount;
  host.MQDoc_GetObject = &::MQDoc_GetObject;
  host.MQDoc_GetObjectIndex = &::MQDoc_GetObjectIndex;
  host.MQDoc_GetCurrentObjectIndex = &::MQDoc_GetCurrentObjectIndex;
  host.MQDoc_SetCurrentObjectIndex = &::MQDoc_SetCurrentObjectIndex;
  host.MQDoc_GetParentObject = &::MQDoc_GetParentObject;
  host.MQDoc_GetChildObjectCount = &::MQDoc_GetChildObjectCount;
  host.MQDoc_InsertObject = &::MQDoc_InsertObject;
  host.MQDoc_DeleteObject = &::MQDoc_DeleteObject;
  host.MQObj_Clone = &::MQObj_Clone;
  host.MQObj_Delete = &::MQObj_Delete;
  host.MQObj_GetIntValue = &::MQObj_GetIntValue;
  host.MQObj_SetIntValue = &::MQObj_SetIntValue;
  standin::RecordDocumentCalls(true);
}

void UnbindHostFunctions() { HostFunctions() = HostFunctionTable{}; }

std::vector<int32_t> WrappedWidgetIds() {
  std::vector<int32_t> wrapped;
  for (const int32_t id : standin::WidgetIds()) {
    if (LiveWidgets().Find(id) != nullptr) wrapped.push_back(id);
  }
  return wrapped;
}

WidgetTestHost::WidgetTestHost() {
  standin::ResetWidgetHost();
  HostFunctions().MQWidget_Value = &ObservedWidgetValue;
  HostFunctions().MQCanvas_Value = &MQCanvas_Value;
}

WidgetTestHost::~WidgetTestHost() {
  Observer() = nullptr;
  HostFunctions().MQWidget_Value = nullptr;
  HostFunctions().MQCanvas_Value = nullptr;
}

void WidgetTestHost::Observe(RawRequestObserver observer) { Observer() = std::move(observer); }

PluginTestHost::PluginTestHost() {
  standin::ResetSettingsDocument();
  standin::ClearHostMessages();
  standin::ClearCalls();
  BindStandinDocumentFunctions();
  HostFunctions().MQ_SendMessage = &CountedSendMessage;
  HostFunctions().MQXmlElem_Value = &CountedElementValue;
  ArmedCallBack() = CallBack{};
}

PluginTestHost::~PluginTestHost() {
  ArmedCallBack() = CallBack{};
  UnbindHostFunctions();
}

void PluginTestHost::CallBackDuring(int n, std::function<void()> action) {
  ArmedCallBack() = CallBack{n > 0 ? n : 0, std::move(action), false};
}

bool PluginTestHost::CalledBack() const { return ArmedCallBack().ran; }

}  // namespace rowshift::testing
