// The command kind: a station plug-in that also takes the pointer and key
// events of a view. This library has no such plug-in; the class exists so the
// event dispatcher can recognise the kind, and every operation answers 0.
#pragma once

#include <cstdint>

#include "plugin/plugin_event_records.h"
#include "plugin/station_plugin.h"

namespace rowshift {

class MQCommandPlugin : public MQStationPlugin {
 public:
  // One operation per event, in this order: 120 to 130, then 140 and 141.
  // `scene` is the host's value; `pointer` lives for the call only.
  virtual int32_t HandleEvent120(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent121(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent122(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent123(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent124(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent125(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent126(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent127(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent128(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent129(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent130(void* /*document*/, void* /*scene*/, PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent140(void* /*document*/, void* /*scene*/, int32_t /*key*/,
                                 PointerState* /*pointer*/) {
    return 0;
  }
  virtual int32_t HandleEvent141(void* /*document*/, void* /*scene*/, int32_t /*key*/,
                                 PointerState* /*pointer*/) {
    return 0;
  }
};

}  // namespace rowshift
