#include "support/tool_window.h"

#include "standin/widget_control.h"

namespace rowshift::testing {

int32_t ToolWindowId() {
  for (int32_t id : standin::WidgetIds()) {
    if (id != standin::MainWindowId() && standin::FindWidget(id)->type == "window") return id;
  }
  return 0;
}

int32_t ToolFrameId() {
  const auto window = standin::FindWidget(ToolWindowId());
  if (!window || window->children.empty()) return 0;
  return window->children.front();
}

std::vector<int32_t> ToolButtonIds() {
  const auto frame = standin::FindWidget(ToolFrameId());
  return frame ? frame->children : std::vector<int32_t>{};
}

std::string WidgetProperty(int32_t id, const std::string& key) {
  const auto widget = standin::FindWidget(id);
  if (!widget) return "none";
  const auto property = widget->properties.find(key);
  return property == widget->properties.end() ? "none" : property->second.ToString();
}

}  // namespace rowshift::testing
