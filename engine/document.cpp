#include "engine/document.h"

#include "boundary/host_functions.h"

namespace rowshift {
namespace {

constexpr int32_t kNoIndex = -1;

int32_t Id(ObjectValueId id) { return static_cast<int32_t>(id); }

}  // namespace

bool Document::IsUsable() const {
  const HostFunctionTable& host = HostFunctions();
  return handle_ != nullptr && host.MQDoc_GetObjectCount != nullptr &&
         host.MQDoc_GetObject != nullptr && host.MQDoc_GetObjectIndex != nullptr &&
         host.MQDoc_GetCurrentObjectIndex != nullptr &&
         host.MQDoc_SetCurrentObjectIndex != nullptr && host.MQDoc_GetParentObject != nullptr &&
         host.MQDoc_GetChildObjectCount != nullptr && host.MQDoc_InsertObject != nullptr &&
         host.MQDoc_DeleteObject != nullptr && host.MQObj_Clone != nullptr &&
         host.MQObj_Delete != nullptr && host.MQObj_GetIntValue != nullptr &&
         host.MQObj_SetIntValue != nullptr;
}

std::optional<OpenDocument> Open(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return std::nullopt;
  return OpenDocument{document, document.ObjectCount()};
}

int32_t Document::ObjectCount() const {
  const auto call = HostFunctions().MQDoc_GetObjectCount;
  return call == nullptr ? 0 : call(handle_);
}

Object Document::ObjectAt(int32_t index) const {
  const auto call = HostFunctions().MQDoc_GetObject;
  return call == nullptr ? nullptr : call(handle_, index);
}

int32_t Document::IndexOf(Object object) const {
  const auto call = HostFunctions().MQDoc_GetObjectIndex;
  return call == nullptr || object == nullptr ? kNoIndex : call(handle_, object);
}

int32_t Document::Insert(Object object, Object anchor) const {
  const auto call = HostFunctions().MQDoc_InsertObject;
  return call == nullptr || object == nullptr ? kNoIndex : call(handle_, object, anchor);
}

bool Document::Delete(int32_t index) const {
  const auto call = HostFunctions().MQDoc_DeleteObject;
  return call != nullptr && call(handle_, index) != 0;
}

Object Document::Parent(Object object) const {
  const auto call = HostFunctions().MQDoc_GetParentObject;
  return call == nullptr || object == nullptr ? nullptr : call(handle_, object);
}

int32_t Document::ChildCount(Object object) const {
  const auto call = HostFunctions().MQDoc_GetChildObjectCount;
  return call == nullptr || object == nullptr ? 0 : call(handle_, object);
}

int32_t Document::CurrentIndex() const {
  const auto call = HostFunctions().MQDoc_GetCurrentObjectIndex;
  return call == nullptr ? kNoIndex : call(handle_);
}

void Document::SetCurrentIndex(int32_t index) const {
  const auto call = HostFunctions().MQDoc_SetCurrentObjectIndex;
  if (call != nullptr) call(handle_, index);
}

Object Document::Clone(Object object) const {
  const auto call = HostFunctions().MQObj_Clone;
  return call == nullptr || object == nullptr ? nullptr : call(object);
}

void Document::Free(Object object) const {
  const auto call = HostFunctions().MQObj_Delete;
  if (call != nullptr && object != nullptr) call(object);
}

int32_t Document::Value(Object object, ObjectValueId id) const {
  const auto call = HostFunctions().MQObj_GetIntValue;
  return call == nullptr || object == nullptr ? 0 : call(object, Id(id));
}

void Document::SetValue(Object object, ObjectValueId id, int32_t value) const {
  const auto call = HostFunctions().MQObj_SetIntValue;
  if (call != nullptr && object != nullptr) call(object, Id(id), value);
}

}  // namespace rowshift
