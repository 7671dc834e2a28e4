// The library's one plug-in object, which every export reaches.
#pragma once

#include "plugin/rowshift.h"

namespace rowshift {

// The plug-in object; it exists from library load to unload.
Rowshift& ThePlugin();

}  // namespace rowshift
