#include "standin/widget_exports.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "boundary/host_protocol.h"
#include "standin/call_log.h"
#include "standin/host_call_gate.h"
#include "standin/widget_control.h"
#include "standin/widget_host.h"
#include "standin/widget_values.h"

namespace standin {
namespace {

using rowshift::CanvasRequest;
using rowshift::WidgetRequest;

constexpr int32_t kDone = 1;
constexpr int32_t kNotDone = 0;

// The value pointer of the first pair named `name`, or null.
void* ValueOf(void** list, const std::string& name) {
  if (list == nullptr) return nullptr;
  for (void** pair = list; pair[0] != nullptr; pair += 2) {
    if (name == static_cast<const char*>(pair[0])) return pair[1];
  }
  return nullptr;
}

WidgetValue Read(void** list, const std::string& name) {
  return ReadWidgetValue(name, ValueOf(list, name));
}

// What a request did: its answer, and a window it hid (0: none), whose "hide"
// is fired once the request has been recorded.
struct Outcome {
  int32_t answer = kNotDone;
  int32_t hidden_window = 0;
};

Outcome Answer(bool done) { return Outcome{done ? kDone : kNotDone, 0}; }

Outcome FindMainWindow(WidgetHost& host, void** list) {
  if (host.withhold_main_window ||
      Read(list, rowshift::kSystemKey).text != rowshift::kMainWindowSystemName) {
    return Answer(false);
  }
  StoreInt(ValueOf(list, rowshift::kResultKey), kStandinMainWindowId);
  return Answer(true);
}

Outcome CreateWidget(WidgetHost& host, void** list) {
  const WidgetValue type = Read(list, rowshift::kTypeKey);
  void* id_field = ValueOf(list, rowshift::kIdKey);
  if (type.kind != WidgetValueKind::Text || id_field == nullptr) return Answer(false);
  const int32_t id = host.Create(type.text);
  if (id != 0) StoreInt(id_field, id);
  return Answer(id != 0);
}

Outcome AttachWidget(WidgetHost& host, int32_t container, void** list) {
  const WidgetValue child = Read(list, rowshift::kChildKey);
  const bool attached =
      child.kind == WidgetValueKind::Int && host.Attach(container, child.int_value);
  StoreInt(ValueOf(list, rowshift::kResultKey), attached ? kDone : kNotDone);
  return Answer(attached);
}

// A window stands somewhere from the start: its position reads as 0 until the
// plug-in writes one.
bool IsUnplacedWindowPosition(const WidgetEntry& entry, const std::string& key) {
  return entry.type == rowshift::kWindowType &&
         (key == rowshift::kPosXProperty || key == rowshift::kPosYProperty) &&
         entry.properties.count(key) == 0;
}

Outcome ReadProperties(WidgetHost& host, int32_t id, void** list) {
  WidgetEntry* entry = host.Find(id);
  if (entry == nullptr || list == nullptr) return Answer(false);
  bool all_read = true;
  for (void** pair = list; pair[0] != nullptr; pair += 2) {
    const std::string key = static_cast<const char*>(pair[0]);
    if (IsUnplacedWindowPosition(*entry, key)) {
      StoreInt(pair[1], 0);
      continue;
    }
    auto property = entry->properties.find(key);
    if (property == entry->properties.end() || property->second.kind != WidgetValueKind::Int) {
      all_read = false;
      continue;
    }
    StoreInt(pair[1], property->second.int_value);
  }
  return Answer(all_read);
}

Outcome WriteProperties(WidgetHost& host, int32_t id, void** list) {
  if (host.Find(id) == nullptr || list == nullptr) return Answer(false);
  Outcome outcome = Answer(true);
  for (void** pair = list; pair[0] != nullptr; pair += 2) {
    const std::string key = static_cast<const char*>(pair[0]);
    if (host.SetProperty(id, key, ReadWidgetValue(key, pair[1]))) outcome.hidden_window = id;
  }
  return outcome;
}

Outcome HookEvent(WidgetHost& host, int32_t id, void** list) {
  WidgetHook hook;
  hook.widget_id = id;
  hook.type = Read(list, rowshift::kTypeKey).text;
  hook.proc = reinterpret_cast<WidgetEventProc>(ValueOf(list, rowshift::kProcKey));
  hook.pointer = ValueOf(list, rowshift::kPointerKey);
  hook.function = ValueOf(list, rowshift::kFunctionKey);
  hook.prior = Read(list, rowshift::kPriorKey).bool_value;
  if (host.Find(id) == nullptr || hook.proc == nullptr) return Answer(false);
  host.AddHook(std::move(hook));
  return Answer(true);
}

Outcome Apply(WidgetHost& host, int32_t target, int32_t code, void** list) {
  switch (static_cast<WidgetRequest>(code)) {
    case WidgetRequest::SystemWidget:
      return FindMainWindow(host, list);
    case WidgetRequest::Create:
      return CreateWidget(host, list);
    case WidgetRequest::Delete:
      return Answer(host.Delete(target));
    case WidgetRequest::AttachChild:
    case WidgetRequest::AttachWindow:
      return AttachWidget(host, target, list);
    case WidgetRequest::Read:
      return ReadProperties(host, target, list);
    case WidgetRequest::Write:
      return WriteProperties(host, target, list);
    case WidgetRequest::HookEvent:
      return HookEvent(host, target, list);
    default:
      return Answer(false);
  }
}

// The target, the request, then each pair as name=value, with what the host
// wrote back where it changed the value.
std::vector<std::string> Arguments(const WidgetRequestRecord& record, const std::string& target) {
  std::vector<std::string> arguments = {target, WidgetRequestName(record.code)};
  for (const WidgetPair& pair : record.pairs) {
    std::string argument = pair.name + "=" + pair.sent.ToString();
    const std::string returned = pair.returned.ToString();
    if (returned != pair.sent.ToString()) argument += " (now " + returned + ")";
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

void Record(WidgetRequestRecord record, void** list, int32_t answer, const std::string& target) {
  const std::vector<WidgetPair> after = ReadPairs(list);
  for (std::size_t index = 0; index < record.pairs.size() && index < after.size(); ++index) {
    record.pairs[index].returned = after[index].sent;
  }
  RecordCall(record.on_canvas ? "MQCanvas_Value" : "MQWidget_Value", Arguments(record, target),
             std::to_string(answer));
  WidgetHost::Instance().Requests().push_back(std::move(record));
}

WidgetRequestRecord Received(int32_t code, void** list) {
  WidgetRequestRecord record;
  record.code = code;
  record.null_list = list == nullptr;
  record.pairs = ReadPairs(list);
  return record;
}

}  // namespace

std::string WidgetRequestName(int32_t code) {
  switch (static_cast<WidgetRequest>(code)) {
    case WidgetRequest::SystemWidget:
      return "SystemWidget";
    case WidgetRequest::Create:
      return "Create";
    case WidgetRequest::Delete:
      return "Delete";
    case WidgetRequest::AttachChild:
      return "AttachChild";
    case WidgetRequest::AttachWindow:
      return "AttachWindow";
    case WidgetRequest::Read:
      return "Read";
    case WidgetRequest::Write:
      return "Write";
    case WidgetRequest::HookEvent:
      return "HookEvent";
    default: {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(code));
      return buffer;
    }
  }
}

}  // namespace standin

extern "C" int32_t ROWSHIFT_CALL MQWidget_Value(int32_t widget_id, int32_t code, void** list) {
  using namespace standin;
  if (CallFails(EntryPoint::MQWidget_Value)) return kNotDone;
  WidgetRequestRecord record = Received(code, list);
  record.target = widget_id;
  const Outcome outcome = Apply(WidgetHost::Instance(), widget_id, code, list);
  Record(std::move(record), list, outcome.answer, "#" + std::to_string(widget_id));
  if (outcome.hidden_window != 0) FireEvent(outcome.hidden_window, rowshift::kHideEvent);
  return outcome.answer;
}

extern "C" int32_t ROWSHIFT_CALL MQCanvas_Value(void* canvas, int32_t code, void** list) {
  using namespace standin;
  if (CallFails(EntryPoint::MQCanvas_Value)) return kNotDone;
  WidgetRequestRecord record = Received(code, list);
  record.on_canvas = true;
  record.canvas = canvas;
  // Canvases belong to the host's drawing; releasing one is only recorded.
  const int32_t answer =
      static_cast<CanvasRequest>(code) == CanvasRequest::Delete && canvas != nullptr ? kDone
                                                                                     : kNotDone;
  char handle[32];
  std::snprintf(handle, sizeof handle, "@%p", canvas);
  Record(std::move(record), list, answer, handle);
  return answer;
}
