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

std::string Brief(const standin::WidgetRequestRecord& record) {
  std::string line = (record.on_canvas ? "Canvas" : "") + standin::WidgetRequestName(record.code);
  if (!record.on_canvas) line += " #" + std::to_string(record.target);
  for (const standin::WidgetPair& pair : record.pairs) {
    line += " " + pair.name + "=";
    line += pair.sent.kind == standin::WidgetValueKind::Address ? "@" : pair.sent.ToString();
  }
  return line;
}

std::vector<std::string> BriefRequests() {
  std::vector<std::string> lines;
  for (const auto& record : standin::WidgetRequests()) lines.push_back(Brief(record));
  return lines;
}

std::vector<std::string> BriefRequests(int32_t code) {
  std::vector<std::string> lines;
  for (const auto& record : standin::WidgetRequests()) {
    if (record.code == code && !record.on_canvas) lines.push_back(Brief(record));
  }
  return lines;
}

}  // namespace rowshift::testing
