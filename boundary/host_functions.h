// The host entry-point table: one typed slot per host function name.
//
// MQInit fills it by name (entry_point_binding.h); every other part of the
// plug-in reaches the host only through HostFunctions(). Slots are null until
// bound. The table is a plain static: all calls come on the host's one thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boundary/host_function_list.h"
#include "platform/abi.h"

extern "C" {

// The record that accompanies every host message (MQ_SendMessage). The host
// may answer by writing into the value slots of `list`.
struct HostMessage {
  uint32_t product;
  uint32_t plugin;
  uint32_t reserved;  // always 0
  void** list;        // a NameValueList, never null (an empty list is {nullptr})
};

}  // extern "C"

// Three 32-bit words, then the list pointer: 16 bytes on 32-bit x86; on x86-64
// four bytes of padding put the pointer at 16, 24 bytes in all.
static_assert(offsetof(HostMessage, product) == 0 && offsetof(HostMessage, plugin) == 4 &&
              offsetof(HostMessage, reserved) == 8);
static_assert(offsetof(HostMessage, list) == rowshift::PerMachine(12, 16));
static_assert(sizeof(HostMessage) == rowshift::PerMachine(16, 24));

namespace rowshift {

// Shape given to the entries the plug-in resolves but never calls.
using ResolvedOnlyFunction = void(ROWSHIFT_CALL*)();

struct HostFunctionTable {
#define ROWSHIFT_TABLE_CALLED(name, result, params) result(ROWSHIFT_CALL* name) params = nullptr;
#define ROWSHIFT_TABLE_RESOLVED(name) ResolvedOnlyFunction name = nullptr;
  ROWSHIFT_HOST_FUNCTIONS(ROWSHIFT_TABLE_CALLED, ROWSHIFT_TABLE_RESOLVED)
#undef ROWSHIFT_TABLE_CALLED
#undef ROWSHIFT_TABLE_RESOLVED
};

// The host has 191 entry points: an entry lost from the list fails here.
#define ROWSHIFT_COUNT_ENTRY(...) +1
static_assert(0 ROWSHIFT_HOST_FUNCTIONS(ROWSHIFT_COUNT_ENTRY, ROWSHIFT_COUNT_ENTRY) == 191,
              "the host entry-point list holds 191 names");
#undef ROWSHIFT_COUNT_ENTRY

// The module-wide table. Null slots until MQInit (or a test) fills them.
HostFunctionTable& HostFunctions();

}  // namespace rowshift
