// The plug-in's tool window as the stand-in's widget tree holds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rowshift::testing {

// The one live window besides the host's main window, or 0.
int32_t ToolWindowId();
// The tool window's frame (its first child), or 0.
int32_t ToolFrameId();
// The frame's children in order of attachment.
std::vector<int32_t> ToolButtonIds();
// A widget's property as the host keeps it ("none" when it has none).
std::string WidgetProperty(int32_t id, const std::string& key);

}  // namespace rowshift::testing
