// MQCanvas: a host drawing canvas handed to paint and draw-item handlers.
//
// The handle belongs to the host unless `owned`; an owning wrapper releases the
// canvas when it is destroyed. The event dispatcher makes only non-owning
// canvases, whose destruction sends nothing. A null handle means no canvas.
#pragma once

#include "platform/abi.h"

namespace rowshift {

class MQCanvas {
 public:
  MQCanvas(void* handle, bool owned) : handle_(handle), owned_(owned) {}
  virtual ~MQCanvas();

  MQCanvas(const MQCanvas&) = delete;
  MQCanvas& operator=(const MQCanvas&) = delete;

  void* handle() const { return handle_; }
  bool owned() const { return owned_; }

 private:
  void* handle_;
  bool owned_;
};

}  // namespace rowshift
