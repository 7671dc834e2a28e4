// MQXmlElem_Value: the element operations on the stand-in's settings document.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "boundary/host_protocol.h"
#include "standin/call_log.h"
#include "standin/host_call_gate.h"
#include "standin/settings_document.h"
#include "standin/settings_entry_points.h"

namespace standin {
namespace {

using rowshift::XmlElementCode;

std::string Quoted(const void* text) {
  return text != nullptr ? "\"" + std::string(static_cast<const char*>(text)) + "\"" : "null";
}

std::string ElementLabel(void* handle) {
  if (handle == nullptr) return "null";
  const SettingsElement* element = TheSettingsDocument().Find(handle);
  return element != nullptr ? element->name : "unknown";
}

std::string CodeLabel(int32_t code) {
  char label[16];
  std::snprintf(label, sizeof label, "0x%X", static_cast<unsigned int>(code));
  return label;
}

// The call's arguments as the log shows them, the element and code first.
std::vector<std::string> Arguments(void* handle, int32_t code, void** values) {
  std::vector<std::string> arguments = {ElementLabel(handle), CodeLabel(code)};
  if (values == nullptr) {
    arguments.emplace_back("null");
    return arguments;
  }
  switch (static_cast<XmlElementCode>(code)) {
    case XmlElementCode::kAddChild:
    case XmlElementCode::kFindChild:
    case XmlElementCode::kSetText:
      arguments.push_back(Quoted(values[0]));
      break;
    case XmlElementCode::kRemoveChild: {
      const auto* option = static_cast<const int32_t*>(values[1]);
      arguments.push_back(ElementLabel(values[0]));
      arguments.push_back(option != nullptr ? std::to_string(*option) : "null");
      break;
    }
    default:
      break;
  }
  return arguments;
}

int32_t Apply(SettingsElement& element, int32_t code, void** values) {
  SettingsDocument& document = TheSettingsDocument();
  switch (static_cast<XmlElementCode>(code)) {
    case XmlElementCode::kFindChild: {
      if (values[0] == nullptr) return 0;
      SettingsElement* child =
          SettingsDocument::FindChild(element, static_cast<const char*>(values[0]));
      values[1] = child;
      return child != nullptr ? 1 : 0;
    }
    case XmlElementCode::kAddChild: {
      if (values[0] == nullptr) return 0;
      if (TheSettingsFaults().fail_add_child) {
        values[1] = nullptr;
        return 0;
      }
      values[1] = &document.AddChild(element, static_cast<const char*>(values[0]));
      return 1;
    }
    case XmlElementCode::kRemoveChild:
      return document.RemoveChild(element, document.Find(values[0])) ? 1 : 0;
    case XmlElementCode::kGetText:
      values[0] = element.text ? element.text->data() : nullptr;
      return element.text ? 1 : 0;
    case XmlElementCode::kSetText:
      if (values[0] == nullptr) return 0;
      element.text = static_cast<const char*>(values[0]);
      return 1;
    default:
      return 0;
  }
}

}  // namespace
}  // namespace standin

extern "C" int32_t ROWSHIFT_CALL MQXmlElem_Value(void* element, int32_t code, void** values) {
  if (standin::CallFails(standin::EntryPoint::MQXmlElem_Value)) return 0;
  // Read before the call changes anything, so a removed child is still named.
  std::vector<std::string> arguments = standin::Arguments(element, code, values);
  standin::SettingsElement* target = standin::TheSettingsDocument().Find(element);
  const int32_t result =
      target != nullptr && values != nullptr ? standin::Apply(*target, code, values) : 0;
  standin::RecordCall("MQXmlElem_Value", std::move(arguments), std::to_string(result));
  return result;
}
