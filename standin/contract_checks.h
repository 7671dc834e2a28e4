// What the document exports count as a call outside the document contract,
// and where they count it:
//
//   MQDoc_GetObject              an index outside 0..count-1, unless it is the
//                                negative answer of the last insertion (a
//                                refused insertion's index may be asked for)
//   MQDoc_SetCurrentObjectIndex  an index outside 0..count-1
//   MQDoc_DeleteObject           an index outside 0..count-1
//   MQDoc_GetObjectIndex,        no object
//   MQDoc_GetParentObject,
//   MQDoc_GetChildObjectCount
//   MQDoc_InsertObject           no new object, a new object that stands in a
//                                slot, an anchor of the document in no slot
//   MQObj_Clone, MQObj_Delete    no object; Delete: an object in a slot
//   MQObj_GetIntValue            no object; a value other than 257, 258, 260, 262
//   MQObj_SetIntValue            no object; a value other than 257, 258
//
// A deleted, freed or unknown object is counted as a touch instead
// (Document::DeadObjectTouches, StrayObjectTouches). A call outside the
// contract still gets its ordinary, safe answer; it is counted on a document
// (Document::CallsOutsideContract: an object export given no object counts on
// the document a document export named last) and, while calls are recorded,
// followed in the call log by a line of its own that no entry point's line
// starts with:
//
//   outside the contract(MQDoc_GetObject, index 7 of 3 slots)
//   outside the contract(MQObj_GetIntValue, no object)
//
// A call the host-call gate failed is not checked: it never reached the
// document.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

class DocumentState;

// Remembers the document a document export was called with last: object
// exports given no object count there, having no document of their own.
void NoteDocumentInUse(const void* handle);

// Counts a call outside the contract on `document` (on none when null) and
// logs it when `log` is true; `why` says what was wrong.
void CountOutsideContract(DocumentState* document, const char* entry_point, const std::string& why,
                          bool log);
// The same for an object export given no object: counted on the document in use.
void CountMissingObject(const char* entry_point, bool log);

// True when `index` names a slot: 0 <= index < count.
bool NamesASlot(const DocumentState& document, int32_t index);
// "index 7 of 3 slots"
std::string IndexReason(const DocumentState& document, int32_t index);

// True for a value identifier the engine may read, or write.
bool IsReadableValueId(int32_t value_id);
bool IsWritableValueId(int32_t value_id);

}  // namespace standin
