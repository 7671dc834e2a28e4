// The one function the host calls back for every widget event.
//
// The host calls it with the event's document, the event's name/value list
// ("target_id", "sender_id", "type" and the event's own values) and the
// "pointer" value of the registration, which is the closure's address. It finds
// the target wrapper and the closure, builds the event's record, fires the
// closure and writes results back into the host's values. It answers what the
// handler answered, or 0 when there is no type, no registered target, no such
// registration, a null list or a null option. Nothing is thrown out of it.
#pragma once

#include <cstdint>

#include "boundary/host_protocol.h"
#include "platform/abi.h"

namespace rowshift {

extern "C" int32_t ROWSHIFT_CALL DispatchWidgetEvent(void* document, void** list, void* option);

}  // namespace rowshift
