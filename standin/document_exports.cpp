#include "standin/document_exports.h"

#include <optional>
#include <string>

#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_registry.h"
#include "standin/document_state.h"
#include "standin/host_call_gate.h"

namespace standin {
namespace {

constexpr int32_t kNoIndex = -1;
constexpr int32_t kDone = 1;
constexpr int32_t kNotDone = 0;
constexpr char kNullName[] = "null";
constexpr char kUnknownName[] = "?";

// Off until a trace is asked for: a log line is made only while it is on.
bool& RecordingOn() {
  static bool on = false;
  return on;
}

std::string NameOf(const void* object) {
  if (object == nullptr) return kNullName;
  if (OwnerOf(object) == nullptr) return kUnknownName;
  return static_cast<const ObjectRecord*>(object)->name;
}

// The live object behind a handle named in a call, or null. `document` is the
// document the call is about, null for the object exports. A dead object, one
// the stand-in never made, or one of another document counts as a touch.
ObjectRecord* LiveObject(void* object, DocumentState* document) {
  if (object == nullptr) return nullptr;
  DocumentState* owner = OwnerOf(object);
  if (owner == nullptr || (document != nullptr && owner != document)) {
    if (document != nullptr) {
      ++document->dead_object_touches;
    } else {
      CountStrayObjectTouch();
    }
    return nullptr;
  }
  auto* record = static_cast<ObjectRecord*>(object);
  if (record->status == ObjectStatus::kDead) {
    ++owner->dead_object_touches;
    return nullptr;
  }
  return record;
}

// A live object that stands in a slot of `document`, or null.
ObjectRecord* PlacedObject(void* object, DocumentState* document) {
  ObjectRecord* record = LiveObject(object, document);
  return record != nullptr && record->status == ObjectStatus::kInDocument ? record : nullptr;
}

int32_t Insert(DocumentState* document, void* object, void* anchor) {
  if (document == nullptr) return kNoIndex;
  if (document->ConsumeInsertionFault()) return kNoIndex;
  ObjectRecord* record = LiveObject(object, document);
  if (record == nullptr || record->status != ObjectStatus::kLoose) return kNoIndex;
  if (anchor == nullptr) return document->InsertAfter(record, nullptr);
  const ObjectRecord* anchor_record = PlacedObject(anchor, document);
  if (anchor_record == nullptr) return kNoIndex;
  return document->InsertAfter(record, anchor_record);
}

}  // namespace

void RecordDocumentCalls(bool on) { RecordingOn() = on; }

}  // namespace standin

using standin::CallFails;
using standin::DocumentState;
using standin::EntryPoint;
using standin::FindDocument;
using standin::NameOf;
using standin::ObjectRecord;
using standin::RecordCall;
using standin::RecordingOn;

extern "C" {

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetObjectCount(void* doc) {
  if (CallFails(EntryPoint::MQDoc_GetObjectCount)) return 0;
  const DocumentState* document = FindDocument(doc);
  const int32_t count = document == nullptr ? 0 : document->SlotCount();
  if (RecordingOn()) RecordCall("MQDoc_GetObjectCount", {}, std::to_string(count));
  return count;
}

ROWSHIFT_MODULE_EXPORT void* ROWSHIFT_CALL MQDoc_GetObject(void* doc, int32_t index) {
  if (CallFails(EntryPoint::MQDoc_GetObject)) return nullptr;
  const DocumentState* document = FindDocument(doc);
  ObjectRecord* object = document == nullptr ? nullptr : document->ObjectAt(index);
  if (RecordingOn()) RecordCall("MQDoc_GetObject", {std::to_string(index)}, NameOf(object));
  return object;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetObjectIndex(void* doc, void* obj) {
  if (CallFails(EntryPoint::MQDoc_GetObjectIndex)) return standin::kNoIndex;
  DocumentState* document = FindDocument(doc);
  const ObjectRecord* object = document == nullptr ? nullptr : standin::LiveObject(obj, document);
  const int32_t index = object == nullptr ? standin::kNoIndex : document->IndexOf(object);
  if (RecordingOn()) RecordCall("MQDoc_GetObjectIndex", {NameOf(obj)}, std::to_string(index));
  return index;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetCurrentObjectIndex(void* doc) {
  if (CallFails(EntryPoint::MQDoc_GetCurrentObjectIndex)) return standin::kNoIndex;
  const DocumentState* document = FindDocument(doc);
  const int32_t index = document == nullptr ? standin::kNoIndex : document->current_index;
  if (RecordingOn()) RecordCall("MQDoc_GetCurrentObjectIndex", {}, std::to_string(index));
  return index;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_SetCurrentObjectIndex(void* doc, int32_t index) {
  if (CallFails(EntryPoint::MQDoc_SetCurrentObjectIndex)) return standin::kNotDone;
  DocumentState* document = FindDocument(doc);
  int32_t result = standin::kNotDone;
  if (document != nullptr && index < document->SlotCount()) {
    document->current_index = index;
    result = standin::kDone;
  }
  if (RecordingOn()) {
    RecordCall("MQDoc_SetCurrentObjectIndex", {std::to_string(index)}, std::to_string(result));
  }
  return result;
}

ROWSHIFT_MODULE_EXPORT void* ROWSHIFT_CALL MQDoc_GetParentObject(void* doc, void* obj) {
  if (CallFails(EntryPoint::MQDoc_GetParentObject)) return nullptr;
  DocumentState* document = FindDocument(doc);
  const ObjectRecord* object = document == nullptr ? nullptr : standin::PlacedObject(obj, document);
  ObjectRecord* parent = object == nullptr ? nullptr : document->ParentOf(object);
  if (RecordingOn()) RecordCall("MQDoc_GetParentObject", {NameOf(obj)}, NameOf(parent));
  return parent;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetChildObjectCount(void* doc, void* obj) {
  if (CallFails(EntryPoint::MQDoc_GetChildObjectCount)) return 0;
  DocumentState* document = FindDocument(doc);
  const ObjectRecord* object = document == nullptr ? nullptr : standin::PlacedObject(obj, document);
  const int32_t count = object == nullptr ? 0 : document->ChildCountOf(object);
  if (RecordingOn()) RecordCall("MQDoc_GetChildObjectCount", {NameOf(obj)}, std::to_string(count));
  return count;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_InsertObject(void* doc, void* obj,
                                                                void* anchor) {
  if (CallFails(EntryPoint::MQDoc_InsertObject)) return standin::kNoIndex;
  const int32_t index = standin::Insert(FindDocument(doc), obj, anchor);
  if (RecordingOn()) {
    RecordCall("MQDoc_InsertObject", {NameOf(obj), NameOf(anchor)}, std::to_string(index));
  }
  return index;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_DeleteObject(void* doc, int32_t index) {
  if (CallFails(EntryPoint::MQDoc_DeleteObject)) return standin::kNotDone;
  DocumentState* document = FindDocument(doc);
  const bool deleted = document != nullptr && document->EmptySlot(index);
  const int32_t result = deleted ? standin::kDone : standin::kNotDone;
  if (RecordingOn())
    RecordCall("MQDoc_DeleteObject", {std::to_string(index)}, std::to_string(result));
  return result;
}

ROWSHIFT_MODULE_EXPORT void* ROWSHIFT_CALL MQObj_Clone(void* obj) {
  if (CallFails(EntryPoint::MQObj_Clone)) return nullptr;
  const ObjectRecord* original = standin::LiveObject(obj, nullptr);
  ObjectRecord* copy = nullptr;
  if (original != nullptr) {
    copy = standin::OwnerOf(obj)->NewObject();
    copy->name = original->name;
    copy->values = original->values;
  }
  if (RecordingOn()) RecordCall("MQObj_Clone", {NameOf(obj)}, NameOf(copy));
  return copy;
}

ROWSHIFT_MODULE_EXPORT void ROWSHIFT_CALL MQObj_Delete(void* obj) {
  if (CallFails(EntryPoint::MQObj_Delete)) return;
  ObjectRecord* object = standin::LiveObject(obj, nullptr);
  if (object != nullptr && object->status == standin::ObjectStatus::kLoose) {
    object->status = standin::ObjectStatus::kDead;
  }
  if (RecordingOn()) RecordCall("MQObj_Delete", {NameOf(obj)}, std::nullopt);
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQObj_GetIntValue(void* obj, int32_t value_id) {
  if (CallFails(EntryPoint::MQObj_GetIntValue)) return 0;
  const ObjectRecord* object = standin::LiveObject(obj, nullptr);
  const int32_t value = object == nullptr ? 0 : object->Value(value_id);
  if (RecordingOn()) {
    RecordCall("MQObj_GetIntValue", {NameOf(obj), std::to_string(value_id)}, std::to_string(value));
  }
  return value;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQObj_SetIntValue(void* obj, int32_t value_id,
                                                               int32_t value) {
  if (CallFails(EntryPoint::MQObj_SetIntValue)) return standin::kNotDone;
  ObjectRecord* object = standin::LiveObject(obj, nullptr);
  if (object != nullptr) standin::OwnerOf(obj)->SetValue(object, value_id, value);
  const int32_t result = object == nullptr ? standin::kNotDone : standin::kDone;
  if (RecordingOn()) {
    RecordCall("MQObj_SetIntValue", {NameOf(obj), std::to_string(value_id), std::to_string(value)},
               std::to_string(result));
  }
  return result;
}

}  // extern "C"
