// Frames: containers that lay out their children. The plug-in makes only
// MQFrame, through MQWindowBase::NewVerticalFrame, which owns it.
#pragma once

#include "widgets/widget_base.h"

namespace rowshift {

class MQFrameBase : public MQWidgetBase {
 protected:
  MQFrameBase() = default;
};

class MQFrame : public MQFrameBase {
 public:
  // Creates a host frame. It is not attached anywhere: the caller attaches it.
  MQFrame();
};

}  // namespace rowshift
