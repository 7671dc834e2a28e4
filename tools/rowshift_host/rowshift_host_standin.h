// The stand-in host module as rowshift-host reaches it: through the control
// table of the very module it loaded (standin/control_table.h), never by
// linking it, so the tool starts wherever it is put and can name a missing
// module itself.
#pragma once

#include <string>

#include "standin/control_table.h"

namespace rowshift::tool {

// A document made inside the stand-in module, and destroyed there; the module
// must stay loaded while it lives.
class StandinDocument {
 public:
  explicit StandinDocument(const standin::ControlTable& controls)
      : controls_(controls), document_(controls.new_document()) {}
  ~StandinDocument() { controls_.delete_document(document_); }
  StandinDocument(const StandinDocument&) = delete;
  StandinDocument& operator=(const StandinDocument&) = delete;

  // False, with `error` set, for a bad outline; the document is then empty.
  bool LoadOutline(const std::string& text, std::string* error) {
    return controls_.load_outline(*document_, text, error);
  }
  std::string ToOutline() const { return controls_.to_outline(*document_); }
  int SlotCount() const { return controls_.slot_count(*document_); }
  // Null for an empty slot.
  void* ObjectInSlot(int index) const { return controls_.object_in_slot(*document_, index); }
  // The object a copy was cloned from; null for an object that is no copy.
  const void* CloneSourceOf(const void* object) const {
    return controls_.clone_source_of(*document_, object);
  }
  // The handle handed to the plug-in.
  void* Handle() { return controls_.document_handle(*document_); }

 private:
  const standin::ControlTable& controls_;
  standin::Document* document_;
};

}  // namespace rowshift::tool
