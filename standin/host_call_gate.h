// The gate every stand-in export that the plug-in calls passes first, so that
// whatever must see each host call (counting, failing on demand, talking back)
// lives in one place. Test controls: host_call_control.h, talk_back_control.h.
#pragma once

#include "standin/host_call_control.h"

namespace standin {

// Sends the message a talking-back host sends from inside this call, if any,
// counts one call of `entry_point` and answers whether it must fail (the call
// FailNthCall names). The export then answers its failure at once.
bool CallFails(EntryPoint entry_point);

}  // namespace standin
