// The stand-in's side of a host that talks back (talk_back_control.h): the
// call gate hands it every host call.
#pragma once

#include "standin/host_call_control.h"

namespace standin {

// Sends the next message when the message falls on `entry_point`'s call and
// that is a call the switch counts.
void TalkBackFrom(EntryPoint entry_point);

}  // namespace standin
