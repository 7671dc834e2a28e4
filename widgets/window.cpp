#include "widgets/window.h"

#include "widgets/widget_requests.h"

namespace rowshift {

MQWindow::MQWindow(MQWindowBase* parent) {
  CreateHostWidget(kWindowType);
  SendAttachWindow(parent != nullptr ? parent->id() : 0, id());
}

MQWindow::MQWindow(int32_t existing_id) : MQWindowBase(existing_id) {}

MQWindow::~MQWindow() = default;

MQWindow MQWindow::FindMainWindow() { return MQWindow(SendSystemWidget(kMainWindowSystemName)); }

}  // namespace rowshift
