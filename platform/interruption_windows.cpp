#include "platform/interruption.h"

namespace rowshift::platform {

// Windows stops a console program at Ctrl-C from a thread of its own, with no
// signal to hold back; the temporary file is left there.
InterruptionsHeld::InterruptionsHeld() = default;
InterruptionsHeld::~InterruptionsHeld() = default;

bool RemoveWhenInterrupted(const std::string&) { return false; }

void ForgetWhenInterrupted() {}

}  // namespace rowshift::platform
