#include "widgets/canvas.h"

#include "widgets/widget_requests.h"

namespace rowshift {

MQCanvas::~MQCanvas() {
  if (owned_) SendCanvasDelete(handle_);
}

}  // namespace rowshift
