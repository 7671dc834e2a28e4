// The one door through which host events reach the plug-in object.
#pragma once

#include <cstdint>

#include "plugin/base_plugin.h"

namespace rowshift {

// Routes host event `event` to at most one operation of `plugin`, by the
// plug-in's class (station, command, import), decoding `argument` for that
// event: a name/value list, a pointer to one 32-bit value, or nothing. Writes
// results back only through pointers the host put in the argument.
//
// Answers the operation's result, 1 for handled, or 0 for an event without a
// route, a plug-in of the wrong kind, or an argument that lacks what the event
// requires (then nothing is called and nothing written). `document` is passed
// on unread; a null plugin answers 0. Keeps no state between calls.
int32_t DispatchEvent(MQBasePlugin* plugin, void* document, int32_t event, void* argument);

}  // namespace rowshift
