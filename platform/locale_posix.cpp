#include "platform/locale.h"

namespace rowshift::platform {

// The process locale is the host process's to choose; the plug-in keeps out.
void ApplyLoadTimeLocale() {}

}  // namespace rowshift::platform
