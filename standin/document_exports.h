// The stand-in host's document entry points, under the host's names and with
// the exact shapes of the host entry-point table.
//
// The document handle is Document::Handle() (document_control.h), an object
// handle the address of one of its objects. Null, stale and unknown handles
// get a safe answer (0, -1 or null) and change nothing; a call that names a
// deleted, freed or unknown object is counted (Document::DeadObjectTouches,
// StrayObjectTouches).
//
// Each call writes one line to the call log (call_log.h) while recording is on
// (RecordDocumentCalls). The document is left out; objects are written by name,
// "null" for a null handle and "?" for one the stand-in does not know:
//
//   MQDoc_GetObjectCount() -> 5            MQDoc_GetObject(3) -> Q
//   MQDoc_GetObjectIndex(Q) -> 3           MQDoc_GetCurrentObjectIndex() -> 2
//   MQDoc_SetCurrentObjectIndex(3) -> 1    MQDoc_GetParentObject(Q1) -> Q
//   MQDoc_GetChildObjectCount(Q) -> 1      MQDoc_InsertObject(Q, P) -> 3
//   MQDoc_DeleteObject(2) -> 1             MQObj_Clone(Q) -> Q
//   MQObj_Delete(Q)                        MQObj_GetIntValue(Q, 257) -> 1
//   MQObj_SetIntValue(Q, 257, 0) -> 1
//
// A copy carries its original's name, so "MQObj_Clone(Q) -> Q" is a new object.
//
// A call outside the document contract is answered the same way and then
// counted, and logged on a second line (contract_checks.h).
//
// Each export passes the host-call gate first (host_call_gate.h); a call that
// FailNthCall names fails as host_call_control.h lists.
#pragma once

#include <cstdint>

#include "platform/abi.h"
#include "standin/standin_api.h"

extern "C" {

// Number of slots, empty ones included.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_GetObjectCount(void* doc);
// The object in a slot; null for an empty slot or an index out of range.
STANDIN_API void* ROWSHIFT_CALL MQDoc_GetObject(void* doc, int32_t index);
// The object's slot, or -1 when it stands in no slot of this document.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_GetObjectIndex(void* doc, void* obj);
// Negative: no current object. A plain number: insertions do not move it.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_GetCurrentObjectIndex(void* doc);
// 1; 0 (and no change) for an index at or past the end.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_SetCurrentObjectIndex(void* doc, int32_t index);
// Nearest earlier object of smaller depth; null at the top level.
STANDIN_API void* ROWSHIFT_CALL MQDoc_GetParentObject(void* doc, void* obj);
// Objects whose parent is `obj`.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_GetChildObjectCount(void* doc, void* obj);
// Puts a clone of this document that stands in no slot into a new slot after
// `anchor` (at 0 for null) and answers its index; -1 and no change for
// anything else, and for the insertion that FailNthInsertion names.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_InsertObject(void* doc, void* obj, void* anchor);
// Empties the slot; the object is dead from then on. 1, or 0 for no object.
STANDIN_API int32_t ROWSHIFT_CALL MQDoc_DeleteObject(void* doc, int32_t index);
// A new object, in no slot, with every value and the name of `obj`.
STANDIN_API void* ROWSHIFT_CALL MQObj_Clone(void* obj);
// Frees an object that stands in no slot; an object in a slot is left alone.
STANDIN_API void ROWSHIFT_CALL MQObj_Delete(void* obj);
// A value never written reads 0.
STANDIN_API int32_t ROWSHIFT_CALL MQObj_GetIntValue(void* obj, int32_t value_id);
// 1, or 0 when `obj` is not a live object.
STANDIN_API int32_t ROWSHIFT_CALL MQObj_SetIntValue(void* obj, int32_t value_id, int32_t value);

}  // extern "C"
