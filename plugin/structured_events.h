// Events 260, 261 and 262, which carry structured data rather than a few
// scalars. Each decodes its list, calls one operation and writes back what the
// operation's answer calls for.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boundary/name_value_list.h"
#include "plugin/plugin_event_records.h"
#include "plugin/station_plugin.h"

namespace rowshift {

// Event 260: "type" ("vertex" or "apex") and the 32-bit out "result" are
// required; without them 0, nothing called or written. A recognised type
// stores 1 (vertex) or 2 (apex) when the operation answers true, else 0; an
// unknown type calls nothing and writes nothing. Answers 1.
int32_t DispatchEvent260(MQStationPlugin& plugin, void* document, const NameValueList& list);

// Where the large form of event 261 gets its entries. Each function answers
// zero-filled storage for exactly `count` entries made with new[] (the caller
// releases it with delete[]), or null when there is none to be had.
struct EntryAllocator {
  VertexEntry* (*vertex_entries)(std::size_t count);
  ApexEntry* (*apex_entries)(std::size_t count);
};
EntryAllocator HeapEntryAllocator();

// The most entries event 261 converts without allocating.
inline constexpr int32_t kFixedEntryCapacity = 4;

// Event 261: the first pair's name is the form ("vertex" or "apex") and its
// value the host's record of that form. Converts the record's entries (word 1
// of the record and of each entry is never read) into contiguous items, on the
// stack up to kFixedEntryCapacity, else in storage from `allocator`, released
// as soon as the operation returns. Answers 1; an unknown form calls nothing
// and reads nothing. Answers 0, calling nothing, when there is no first pair,
// a known form's record is null, or the storage cannot be had.
int32_t DispatchEvent261(MQStationPlugin& plugin, void* document, const NameValueList& list,
                         const EntryAllocator& allocator = HeapEntryAllocator());

// Event 262: the first pair's name is the mode ("query", "copy", "cut",
// "paste") and its value the mode's main value; later pairs are scanned with
// the last of a name winning. Answers 1 for a known mode, 0 for an unknown one
// or a missing first pair. A query or copy whose main value is null, and a copy
// or cut without "size", answer 0 without calling the operation: they could not
// hand the answer back, so the operation is not asked to produce one.
int32_t DispatchEvent262(MQStationPlugin& plugin, void* document, const NameValueList& list);

}  // namespace rowshift
