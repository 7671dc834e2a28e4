#include "settings/xml_element.h"

#include <string>

#include "boundary/host_functions.h"

namespace rowshift {
namespace {

// One host call, or 0 without a call when there is nothing to call.
int32_t ElementValue(void* element, XmlElementCode code, void** values) {
  const auto element_value = HostFunctions().MQXmlElem_Value;
  if (element == nullptr || element_value == nullptr) return 0;
  return element_value(element, static_cast<int32_t>(code), values);
}

// Find and add share a record: slot 0 the UTF-8 name, slot 1 the child the host writes.
void* ChildByName(void* element, XmlElementCode code, const char* name) {
  std::string utf8_name = SystemToUtf8(name);
  void* values[] = {utf8_name.data(), nullptr};
  ElementValue(element, code, values);
  return values[1];
}

}  // namespace

void* FindChildElement(void* element, const char* name) {
  return ChildByName(element, XmlElementCode::kFindChild, name);
}

void* AddChildElement(void* element, const char* name) {
  return ChildByName(element, XmlElementCode::kAddChild, name);
}

void RemoveChildElement(void* element, void* child) {
  int unused_option = 0;
  void* values[] = {child, &unused_option};
  ElementValue(element, XmlElementCode::kRemoveChild, values);
}

bool GetElementText(void* element, WideString& text) {
  void* values[] = {nullptr};
  ElementValue(element, XmlElementCode::kGetText, values);
  text = Utf8ToWide(static_cast<const char*>(values[0]));
  return values[0] != nullptr;
}

bool SetElementText(void* element, const WideString& text) {
  std::string utf8_text = WideToUtf8(text.c_str());
  void* values[] = {utf8_text.data()};
  return ElementValue(element, XmlElementCode::kSetText, values) != 0;
}

}  // namespace rowshift
