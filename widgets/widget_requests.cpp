#include "widgets/widget_requests.h"

#include "boundary/host_functions.h"

namespace rowshift {
namespace {

static_assert(sizeof(bool) == 1, "a bool crosses the host boundary as one byte");
static_assert(sizeof(double) == 8, "a double crosses the host boundary as IEEE binary64");

// The host reads list slots as plain pointers; it never writes through a text.
void* Slot(const char* text) { return const_cast<char*>(text); }
void* Slot(const WideChar* text) { return const_cast<WideChar*>(text); }
template <typename Value>
void* Slot(Value* value) {
  return value;
}

void Send(int32_t target, WidgetRequest code, void** list) {
  auto widget_value = HostFunctions().MQWidget_Value;
  if (widget_value == nullptr) return;
  widget_value(target, static_cast<int32_t>(code), list);
}

void SendAttach(WidgetRequest code, int32_t target, int32_t child) {
  int32_t child_id = child;
  int32_t result = -1;
  void* list[] = {Slot(kChildKey), Slot(&child_id), Slot(kResultKey), Slot(&result), nullptr};
  Send(target, code, list);
}

template <typename Value>
void Write(int32_t id, const char* key, Value* value) {
  void* list[] = {Slot(key), Slot(value), nullptr};
  Send(id, WidgetRequest::Write, list);
}

}  // namespace

void SendCreate(const char* type, int32_t* id) {
  void* list[] = {Slot(kTypeKey), Slot(type), Slot(kIdKey), Slot(id), nullptr};
  Send(0, WidgetRequest::Create, list);
}

void SendDelete(int32_t id) {
  void* list[] = {nullptr};
  Send(id, WidgetRequest::Delete, list);
}

void SendAttachChild(int32_t container, int32_t child) {
  SendAttach(WidgetRequest::AttachChild, container, child);
}

void SendAttachWindow(int32_t parent, int32_t child) {
  SendAttach(WidgetRequest::AttachWindow, parent, child);
}

int32_t SendSystemWidget(const char* system_name) {
  int32_t result = -1;
  void* list[] = {Slot(kSystemKey), Slot(system_name), Slot(kResultKey), Slot(&result), nullptr};
  Send(0, WidgetRequest::SystemWidget, list);
  return result;
}

void WriteBoolProperty(int32_t id, const char* key, bool value) { Write(id, key, &value); }

void WriteIntProperty(int32_t id, const char* key, int32_t value) { Write(id, key, &value); }

void WriteDoubleProperty(int32_t id, const char* key, double value) { Write(id, key, &value); }

void WriteTextProperty(int32_t id, const char* key, const char* text) {
  void* list[] = {Slot(key), Slot(text), nullptr};
  Send(id, WidgetRequest::Write, list);
}

void WriteWideTextProperty(int32_t id, const char* key, const WideChar* text) {
  void* list[] = {Slot(key), Slot(text), nullptr};
  Send(id, WidgetRequest::Write, list);
}

int32_t ReadIntProperty(int32_t id, const char* key) {
  int32_t value = 0;
  void* list[] = {Slot(key), Slot(&value), nullptr};
  Send(id, WidgetRequest::Read, list);
  return value;
}

void SendHookEvent(int32_t id, void** list) { Send(id, WidgetRequest::HookEvent, list); }

void SendCanvasDelete(void* canvas) {
  auto canvas_value = HostFunctions().MQCanvas_Value;
  if (canvas_value == nullptr) return;
  void* list[] = {nullptr};
  canvas_value(canvas, static_cast<int32_t>(CanvasRequest::Delete), list);
}

}  // namespace rowshift
