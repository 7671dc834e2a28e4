#include "standin/contract_checks.h"

#include "boundary/host_protocol.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_registry.h"
#include "standin/document_state.h"

namespace standin {
namespace {

constexpr char kLogLine[] = "outside the contract";

// A handle, not a state: the document may be gone by the time an object
// export needs it, and FindDocument then answers null.
const void*& DocumentInUse() {
  static const void* handle = nullptr;
  return handle;
}

bool IsId(int32_t value_id, ObjectValueId id) { return value_id == static_cast<int32_t>(id); }

}  // namespace

void NoteDocumentInUse(const void* handle) { DocumentInUse() = handle; }

void CountOutsideContract(DocumentState* document, const char* entry_point, const std::string& why,
                          bool log) {
  if (document != nullptr) ++document->calls_outside_contract;
  if (log) RecordCall(kLogLine, {entry_point, why}, std::nullopt);
}

void CountMissingObject(const char* entry_point, bool log) {
  CountOutsideContract(FindDocument(DocumentInUse()), entry_point, "no object", log);
}

bool NamesASlot(const DocumentState& document, int32_t index) {
  return index >= 0 && index < document.SlotCount();
}

std::string IndexReason(const DocumentState& document, int32_t index) {
  return "index " + std::to_string(index) + " of " + std::to_string(document.SlotCount()) +
         " slots";
}

bool IsReadableValueId(int32_t value_id) {
  return IsWritableValueId(value_id) || IsId(value_id, ObjectValueId::Eligible) ||
         IsId(value_id, ObjectValueId::Selected);
}

bool IsWritableValueId(int32_t value_id) {
  return IsId(value_id, ObjectValueId::Depth) || IsId(value_id, ObjectValueId::Collapsed);
}

int Document::CallsOutsideContract() const { return state_->calls_outside_contract; }

}  // namespace standin
