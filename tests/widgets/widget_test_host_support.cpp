#include "widget_test_host.h"

#include <utility>

#include "standin/widget_exports.h"

namespace rowshift::testing {
namespace {

RawRequestObserver& Observer() {
  static RawRequestObserver observer;
  return observer;
}

int32_t ROWSHIFT_CALL ObservedWidgetValue(int32_t target, int32_t code, void** list) {
  if (Observer()) Observer()(target, code, list);
  return MQWidget_Value(target, code, list);
}

}  // namespace

WidgetTestHost::WidgetTestHost() {
  standin::ResetWidgetHost();
  rowshift::HostFunctions().MQWidget_Value = &ObservedWidgetValue;
  rowshift::HostFunctions().MQCanvas_Value = &MQCanvas_Value;
}

WidgetTestHost::~WidgetTestHost() {
  Observer() = nullptr;
  rowshift::HostFunctions().MQWidget_Value = nullptr;
  rowshift::HostFunctions().MQCanvas_Value = nullptr;
}

void WidgetTestHost::Observe(RawRequestObserver observer) { Observer() = std::move(observer); }

}  // namespace rowshift::testing
