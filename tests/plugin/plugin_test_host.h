// The stand-in host bound in process for the plug-in's own tests: documents,
// widgets, host messages and the settings document, all fresh for each test.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "standin/widget_control.h"
#include "support/widget_request_lines.h"

namespace rowshift::testing {

// Called with every MQWidget_Value request before the stand-in handles it.
using WidgetRequestObserver = std::function<void(int32_t target, int32_t code)>;

// Binds on construction, after resetting the widget host, the settings
// document, the host messages and the call log; empties the whole table on
// destruction.
class PluginTestHost {
 public:
  PluginTestHost();
  ~PluginTestHost();
  PluginTestHost(const PluginTestHost&) = delete;
  PluginTestHost& operator=(const PluginTestHost&) = delete;

  void Observe(WidgetRequestObserver observer);
};

// The one live window besides the host's main window, or 0.
int32_t ToolWindowId();
// The tool window's frame (its first child), or 0.
int32_t ToolFrameId();
// The frame's children in order of attachment.
std::vector<int32_t> ToolButtonIds();
// A widget's property as the host keeps it ("none" when it has none).
std::string WidgetProperty(int32_t id, const std::string& key);

}  // namespace rowshift::testing
