#include "platform/library_detach.h"

namespace rowshift::platform {

bool ProcessIsTerminating() { return false; }

}  // namespace rowshift::platform
