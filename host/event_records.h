// Records the event dispatcher builds for one operation call and passes by
// pointer. They live only for that call; an operation may write the fields
// named writable and must not keep the record's address.
#pragma once

#include <cstdint>

namespace rowshift {

// Event 200.
struct XmlElemArgs {
  void* xml_elem;
};

// Events 202 and 203.
struct XmlSaveArgs {
  void* xml_elem;
  int32_t save_request;  // writable; 0 on entry, non-zero asks for "save_uid"
  int32_t past_state;    // -1 for event 202
};

// Event 204: the host's values, passed on unread.
struct XmlSourceArgs {
  void* xml_elem;
  void* srcdoc;
  void* object_table;
  void* material_table;
};

// Event 262. A copy or cut writes `data` and `size` to hand a block back.
struct CopyPasteArgs {
  int32_t numvert;
  int32_t numline;
  int32_t numface;
  void* data;
  int32_t size;
  void* vertid;
  void* faceid;
};

inline constexpr int kVertexEntryWords = 3;
inline constexpr int kApexEntryWords = 4;

// Event 261: one entry of the host's record with its unread second word
// dropped. Arrays of them are contiguous.
struct VertexEntry {
  uint32_t words[kVertexEntryWords];
};
struct ApexEntry {
  uint32_t words[kApexEntryWords];
};

// Events 120 to 130, 140 and 141 of the command kind. The six flags are 0 or 1.
struct PointerState {
  int32_t x;
  int32_t y;
  int32_t wheel;
  int32_t left_button;
  int32_t middle_button;
  int32_t right_button;
  int32_t shift;
  int32_t ctrl;
  int32_t alt;
  float pressure;
};

}  // namespace rowshift
