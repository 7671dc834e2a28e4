// A host that has gone: the state a real host is in when a process exits
// without unloading its plug-ins. Its objects are destroyed before the
// libraries are detached, so any call a plug-in makes then is a fault.
//
// After MarkHostGone every host call is counted, and the count is written at
// once to the file named there, so a test can read it after the process ended
// (however it ended). The state is plain data: it outlives every destructor.
#pragma once

#include "standin/standin_api.h"

namespace standin {

// From now on, counts every host call into `count_file` (written "0" at once).
STANDIN_API void MarkHostGone(const char* count_file);

// Called by the call gate (host_call_gate.h) for every host call; counts the
// call once the host is marked gone.
void NoteHostCall();

}  // namespace standin
