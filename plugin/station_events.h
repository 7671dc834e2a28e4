// The events a station plug-in takes: one row per event number, each reading
// its keys, calling one operation and writing back what the row says.
#pragma once

#include <cstdint>
#include <optional>

#include "plugin/station_plugin.h"

namespace rowshift {

// The answer of the event's row, or nothing when `event` has no station row
// (the caller then tries the other kinds). Command events (120 to 130, 140,
// 141) have no row here. Events that carry no keys never read `argument`.
std::optional<int32_t> DispatchStationEvent(MQStationPlugin& plugin, void* document, int32_t event,
                                            void* argument);

}  // namespace rowshift
