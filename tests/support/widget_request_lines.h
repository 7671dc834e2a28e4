// The stand-in's record of widget requests as short lines, for tests that
// state the requests a step makes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standin/widget_control.h"

namespace rowshift::testing {

// One request as a short line: `Code #target name=value ...` with the values
// as sent, "@" for addresses. Canvas requests read `Canvas<Code> ...`.
std::string Brief(const standin::WidgetRequestRecord& record);
// Every request since the last reset or clear, as Brief lines.
std::vector<std::string> BriefRequests();
// The Brief lines of the widget (not canvas) requests with `code`.
std::vector<std::string> BriefRequests(int32_t code);

}  // namespace rowshift::testing
