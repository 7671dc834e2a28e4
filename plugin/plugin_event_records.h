// Records the event dispatcher builds for one operation call and passes by
// pointer. They live only for that call; an operation may write the fields
// named writable and must not keep the record's address.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/abi.h"

// Each record's size and offsets are pinned below it for both machines
// (PerMachine(32-bit x86, x86-64)): an operation built elsewhere reads them.

namespace rowshift {

// Event 200.
struct XmlElemArgs {
  void* xml_elem;
};
static_assert(sizeof(XmlElemArgs) == PerMachine(4, 8));

// Events 202 and 203.
struct XmlSaveArgs {
  void* xml_elem;
  int32_t save_request;  // writable; 0 on entry, non-zero asks for "save_uid"
  int32_t past_state;    // -1 for event 202
};
static_assert(offsetof(XmlSaveArgs, save_request) == PerMachine(4, 8) &&
              offsetof(XmlSaveArgs, past_state) == PerMachine(8, 12) &&
              sizeof(XmlSaveArgs) == PerMachine(12, 16));

// Event 204: the host's values, passed on unread.
struct XmlSourceArgs {
  void* xml_elem;
  void* srcdoc;
  void* object_table;
  void* material_table;
};
static_assert(offsetof(XmlSourceArgs, srcdoc) == PerMachine(4, 8) &&
              offsetof(XmlSourceArgs, object_table) == PerMachine(8, 16) &&
              offsetof(XmlSourceArgs, material_table) == PerMachine(12, 24) &&
              sizeof(XmlSourceArgs) == PerMachine(16, 32));

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
static_assert(offsetof(CopyPasteArgs, numline) == 4 && offsetof(CopyPasteArgs, numface) == 8);
static_assert(offsetof(CopyPasteArgs, data) == PerMachine(12, 16) &&
              offsetof(CopyPasteArgs, size) == PerMachine(16, 24) &&
              offsetof(CopyPasteArgs, vertid) == PerMachine(20, 32) &&
              offsetof(CopyPasteArgs, faceid) == PerMachine(24, 40) &&
              sizeof(CopyPasteArgs) == PerMachine(28, 48));

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
// 32-bit words only: the same on both machines.
static_assert(sizeof(VertexEntry) == 12 && sizeof(ApexEntry) == 16);

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
static_assert(offsetof(PointerState, left_button) == 12 && offsetof(PointerState, pressure) == 36 &&
              sizeof(PointerState) == 40);

}  // namespace rowshift
