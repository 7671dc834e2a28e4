#include "standin/document_exports.h"

#include <optional>
#include <string>

#include "standin/call_log.h"
#include "standin/contract_checks.h"
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
  if (document->ConsumeInsertionFault()) {
    if (const ObjectRecord* refused = LiveObject(object, document)) {
      document->refused_insertion = refused->name;
    }
    return kNoIndex;
  }
  ObjectRecord* record = LiveObject(object, document);
  if (record == nullptr || record->status != ObjectStatus::kLoose) return kNoIndex;
  if (anchor == nullptr) return document->InsertAfter(record, nullptr);
  const ObjectRecord* anchor_record = PlacedObject(anchor, document);
  if (anchor_record == nullptr) return kNoIndex;
  return document->InsertAfter(record, anchor_record);
}

// What is wrong with an insertion's objects, or nothing. A dead or foreign
// object is counted as a touch instead.
std::optional<std::string> InsertionFault(DocumentState* document, void* object, void* anchor) {
  if (object == nullptr) return "no new object";
  if (OwnerOf(object) == document &&
      static_cast<ObjectRecord*>(object)->status == ObjectStatus::kInDocument) {
    return "the new object stands in a slot";
  }
  if (anchor != nullptr && OwnerOf(anchor) == document &&
      static_cast<ObjectRecord*>(anchor)->status == ObjectStatus::kLoose) {
    return "the anchor stands in no slot";
  }
  return std::nullopt;
}

// The document a document export names, remembered as the one in use.
DocumentState* DocumentNamed(void* doc) {
  DocumentState* document = FindDocument(doc);
  if (document != nullptr) NoteDocumentInUse(doc);
  return document;
}

}  // namespace

void RecordDocumentCalls(bool on) { RecordingOn() = on; }

}  // namespace standin

using standin::CallFails;
using standin::CountMissingObject;
using standin::CountOutsideContract;
using standin::DocumentNamed;
using standin::DocumentState;
using standin::EntryPoint;
using standin::NameOf;
using standin::ObjectRecord;
using standin::RecordCall;
using standin::RecordingOn;

extern "C" {

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetObjectCount(void* doc) {
  if (CallFails(EntryPoint::MQDoc_GetObjectCount)) return 0;
  const DocumentState* document = DocumentNamed(doc);
  const int32_t count = document == nullptr ? 0 : document->SlotCount();
  if (RecordingOn()) RecordCall("MQDoc_GetObjectCount", {}, std::to_string(count));
  return count;
}

ROWSHIFT_MODULE_EXPORT void* ROWSHIFT_CALL MQDoc_GetObject(void* doc, int32_t index) {
  if (CallFails(EntryPoint::MQDoc_GetObject)) return nullptr;
  DocumentState* document = DocumentNamed(doc);
  ObjectRecord* object = document == nullptr ? nullptr : document->ObjectAt(index);
  if (RecordingOn()) RecordCall("MQDoc_GetObject", {std::to_string(index)}, NameOf(object));
  // A refused insertion's answer may be asked for: it names no slot and gets none.
  if (document != nullptr && !standin::NamesASlot(*document, index) &&
      !(index < 0 && index == document->last_insertion_answer)) {
    CountOutsideContract(document, "MQDoc_GetObject", standin::IndexReason(*document, index),
                         RecordingOn());
  }
  return object;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetObjectIndex(void* doc, void* obj) {
  if (CallFails(EntryPoint::MQDoc_GetObjectIndex)) return standin::kNoIndex;
  DocumentState* document = DocumentNamed(doc);
  const ObjectRecord* object = document == nullptr ? nullptr : standin::LiveObject(obj, document);
  const int32_t index = object == nullptr ? standin::kNoIndex : document->IndexOf(object);
  if (RecordingOn()) RecordCall("MQDoc_GetObjectIndex", {NameOf(obj)}, std::to_string(index));
  if (document != nullptr && obj == nullptr) {
    CountOutsideContract(document, "MQDoc_GetObjectIndex", "no object", RecordingOn());
  }
  return index;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetCurrentObjectIndex(void* doc) {
  if (CallFails(EntryPoint::MQDoc_GetCurrentObjectIndex)) return standin::kNoIndex;
  const DocumentState* document = DocumentNamed(doc);
  const int32_t index = document == nullptr ? standin::kNoIndex : document->current_index;
  if (RecordingOn()) RecordCall("MQDoc_GetCurrentObjectIndex", {}, std::to_string(index));
  return index;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_SetCurrentObjectIndex(void* doc, int32_t index) {
  if (CallFails(EntryPoint::MQDoc_SetCurrentObjectIndex)) return standin::kNotDone;
  DocumentState* document = DocumentNamed(doc);
  const bool names_a_slot = document != nullptr && standin::NamesASlot(*document, index);
  int32_t result = standin::kNotDone;
  if (document != nullptr && index < document->SlotCount()) {
    document->current_index = index;
    result = standin::kDone;
  }
  if (RecordingOn()) {
    RecordCall("MQDoc_SetCurrentObjectIndex", {std::to_string(index)}, std::to_string(result));
  }
  if (document != nullptr && !names_a_slot) {
    CountOutsideContract(document, "MQDoc_SetCurrentObjectIndex",
                         standin::IndexReason(*document, index), RecordingOn());
  }
  return result;
}

ROWSHIFT_MODULE_EXPORT void* ROWSHIFT_CALL MQDoc_GetParentObject(void* doc, void* obj) {
  if (CallFails(EntryPoint::MQDoc_GetParentObject)) return nullptr;
  DocumentState* document = DocumentNamed(doc);
  const ObjectRecord* object = document == nullptr ? nullptr : standin::PlacedObject(obj, document);
  ObjectRecord* parent = object == nullptr ? nullptr : document->ParentOf(object);
  if (RecordingOn()) RecordCall("MQDoc_GetParentObject", {NameOf(obj)}, NameOf(parent));
  if (document != nullptr && obj == nullptr) {
    CountOutsideContract(document, "MQDoc_GetParentObject", "no object", RecordingOn());
  }
  return parent;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_GetChildObjectCount(void* doc, void* obj) {
  if (CallFails(EntryPoint::MQDoc_GetChildObjectCount)) return 0;
  DocumentState* document = DocumentNamed(doc);
  const ObjectRecord* object = document == nullptr ? nullptr : standin::PlacedObject(obj, document);
  const int32_t count = object == nullptr ? 0 : document->ChildCountOf(object);
  if (RecordingOn()) RecordCall("MQDoc_GetChildObjectCount", {NameOf(obj)}, std::to_string(count));
  if (document != nullptr && obj == nullptr) {
    CountOutsideContract(document, "MQDoc_GetChildObjectCount", "no object", RecordingOn());
  }
  return count;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_InsertObject(void* doc, void* obj,
                                                                void* anchor) {
  DocumentState* document = DocumentNamed(doc);
  if (CallFails(EntryPoint::MQDoc_InsertObject)) {
    if (document != nullptr) document->last_insertion_answer = standin::kNoIndex;
    return standin::kNoIndex;
  }
  // Read before the insertion: once in, the new object stands in a slot.
  const std::optional<std::string> fault =
      document == nullptr ? std::nullopt : standin::InsertionFault(document, obj, anchor);
  const int32_t index = standin::Insert(document, obj, anchor);
  if (document != nullptr) document->last_insertion_answer = index;
  if (RecordingOn()) {
    RecordCall("MQDoc_InsertObject", {NameOf(obj), NameOf(anchor)}, std::to_string(index));
  }
  if (fault) CountOutsideContract(document, "MQDoc_InsertObject", *fault, RecordingOn());
  return index;
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQDoc_DeleteObject(void* doc, int32_t index) {
  if (CallFails(EntryPoint::MQDoc_DeleteObject)) return standin::kNotDone;
  DocumentState* document = DocumentNamed(doc);
  const bool names_a_slot = document != nullptr && standin::NamesASlot(*document, index);
  const bool deleted = document != nullptr && document->EmptySlot(index);
  const int32_t result = deleted ? standin::kDone : standin::kNotDone;
  if (RecordingOn()) {
    RecordCall("MQDoc_DeleteObject", {std::to_string(index)}, std::to_string(result));
  }
  if (document != nullptr && !names_a_slot) {
    CountOutsideContract(document, "MQDoc_DeleteObject", standin::IndexReason(*document, index),
                         RecordingOn());
  }
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
    copy->cloned_from = original;
  }
  if (RecordingOn()) RecordCall("MQObj_Clone", {NameOf(obj)}, NameOf(copy));
  if (obj == nullptr) CountMissingObject("MQObj_Clone", RecordingOn());
  return copy;
}

ROWSHIFT_MODULE_EXPORT void ROWSHIFT_CALL MQObj_Delete(void* obj) {
  if (CallFails(EntryPoint::MQObj_Delete)) return;
  ObjectRecord* object = standin::LiveObject(obj, nullptr);
  const bool placed = object != nullptr && object->status == standin::ObjectStatus::kInDocument;
  if (object != nullptr && object->status == standin::ObjectStatus::kLoose) {
    object->status = standin::ObjectStatus::kDead;
  }
  if (RecordingOn()) RecordCall("MQObj_Delete", {NameOf(obj)}, std::nullopt);
  if (obj == nullptr) CountMissingObject("MQObj_Delete", RecordingOn());
  // Only a copy in no slot is freed; one in a slot is the document's to delete.
  if (placed) {
    CountOutsideContract(standin::OwnerOf(obj), "MQObj_Delete", "the object stands in a slot",
                         RecordingOn());
  }
}

ROWSHIFT_MODULE_EXPORT int32_t ROWSHIFT_CALL MQObj_GetIntValue(void* obj, int32_t value_id) {
  if (CallFails(EntryPoint::MQObj_GetIntValue)) return 0;
  const ObjectRecord* object = standin::LiveObject(obj, nullptr);
  const int32_t value = object == nullptr ? 0 : object->Value(value_id);
  if (RecordingOn()) {
    RecordCall("MQObj_GetIntValue", {NameOf(obj), std::to_string(value_id)}, std::to_string(value));
  }
  if (obj == nullptr) CountMissingObject("MQObj_GetIntValue", RecordingOn());
  if (object != nullptr && !standin::IsReadableValueId(value_id)) {
    CountOutsideContract(standin::OwnerOf(obj), "MQObj_GetIntValue",
                         "value " + std::to_string(value_id), RecordingOn());
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
  if (obj == nullptr) CountMissingObject("MQObj_SetIntValue", RecordingOn());
  if (object != nullptr && !standin::IsWritableValueId(value_id)) {
    CountOutsideContract(standin::OwnerOf(obj), "MQObj_SetIntValue",
                         "value " + std::to_string(value_id), RecordingOn());
  }
  return result;
}

}  // extern "C"
