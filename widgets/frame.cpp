#include "widgets/frame.h"

#include "widgets/widget_requests.h"

namespace rowshift {

MQFrame::MQFrame() { CreateHostWidget(kFrameType); }

}  // namespace rowshift
