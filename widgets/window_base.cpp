#include "widgets/window_base.h"

#include <memory>

#include "widgets/button.h"
#include "widgets/frame.h"
#include "widgets/widget_requests.h"

namespace rowshift {

MQWindowBase::~MQWindowBase() {
  // The host may send events from inside the Delete requests of the members:
  // none may reach the window, whose derived parts are already gone, nor, by
  // their closures, the handlers of the members still left.
  LeaveRegistry();
  while (!created_.empty()) {
    MQWidgetBase* member = *created_.begin();
    created_.erase(created_.begin());
    delete member;
  }
}

void MQWindowBase::Adopt(MQWidgetBase* widget) {
  if (widget != nullptr) created_.insert(widget);
}

MQButton* MQWindowBase::NewButton(MQWidgetBase* parent, const WideChar* text) {
  std::unique_ptr<MQButton> button(new MQButton);
  button->CreateHostWidget(kButtonType);
  Adopt(button.get());
  MQButton* made = button.release();
  WriteWideTextProperty(made->id(), kTextProperty, text);
  if (parent != nullptr) SendAttachChild(parent->id(), made->id());
  return made;
}

MQFrame* MQWindowBase::NewVerticalFrame(MQWidgetBase* parent) {
  std::unique_ptr<MQFrame> frame(new MQFrame);
  Adopt(frame.get());
  MQFrame* made = frame.release();
  WriteTextProperty(made->id(), kAlignmentProperty, kVerticalAlignment);
  SendAttachChild(parent != nullptr ? parent->id() : 0, made->id());
  return made;
}

}  // namespace rowshift
