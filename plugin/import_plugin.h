// The import kind, known only so the event dispatcher's fallback can recognise
// it. This library has no such plug-in.
#pragma once

#include <cstdint>

#include "plugin/base_plugin.h"

namespace rowshift {

class MQImportPlugin : public MQBasePlugin {
 public:
  // Event 300.
  virtual int32_t HandleEvent300() { return 0; }

  // Event 301 stores these: "background" (0 when absent) and the host's "args".
  int32_t background = 0;
  void* args = nullptr;
};

}  // namespace rowshift
