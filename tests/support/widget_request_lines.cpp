#include "support/widget_request_lines.h"

namespace rowshift::testing {

std::string Brief(const standin::WidgetRequestRecord& record) {
  std::string line = (record.on_canvas ? "Canvas" : "") + standin::WidgetRequestName(record.code);
  if (!record.on_canvas) line += " #" + std::to_string(record.target);
  for (const standin::WidgetPair& pair : record.pairs) {
    line += " " + pair.name + "=";
    line += pair.sent.kind == standin::WidgetValueKind::Address ? "@" : pair.sent.ToString();
  }
  return line;
}

std::vector<std::string> BriefRequests() {
  std::vector<std::string> lines;
  for (const auto& record : standin::WidgetRequests()) lines.push_back(Brief(record));
  return lines;
}

std::vector<std::string> BriefRequests(int32_t code) {
  std::vector<std::string> lines;
  for (const auto& record : standin::WidgetRequests()) {
    if (record.code == code && !record.on_canvas) lines.push_back(Brief(record));
  }
  return lines;
}

}  // namespace rowshift::testing
