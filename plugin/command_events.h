// Events 120 to 130, 140 and 141, which only a command plug-in takes.
#pragma once

#include <cstdint>

#include "boundary/name_value_list.h"
#include "plugin/command_plugin.h"

namespace rowshift {

bool IsCommandEvent(int32_t event);

// Builds the PointerState of the event from `list` ("mouse_pos_x",
// "mouse_pos_y", "mouse_wheel", "pressure", "button_state"; "key" for 140 and
// 141; every key optional, 0 when absent) and answers the operation's result.
// An event that is not a command event answers 0.
int32_t DispatchCommandEvent(MQCommandPlugin& plugin, void* document, int32_t event,
                             const NameValueList& list);

}  // namespace rowshift
