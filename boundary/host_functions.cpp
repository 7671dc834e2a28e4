#include "boundary/host_functions.h"

namespace rowshift {

HostFunctionTable& HostFunctions() {
  static HostFunctionTable table;
  return table;
}

}  // namespace rowshift
