#include "settings/mq_setting.h"

#include "settings/bounded_format.h"
#include "settings/decimal_text.h"
#include "settings/xml_element.h"

namespace rowshift {
namespace {

constexpr int kMissingInteger = -1;
constexpr bool kMissingFlag = false;
constexpr int kFlagTrue = 1;
constexpr int kFlagFalse = 0;

}  // namespace

void MQSetting::LoadInteger(const char* key, int& value) const {
  int stored = 0;
  value = LoadText(key, stored) ? stored : kMissingInteger;
}

void MQSetting::SaveInteger(const char* key, int value) { SaveDecimal(key, value); }

void MQSetting::LoadFlag(const char* key, bool& value) const {
  int stored = 0;
  value = LoadText(key, stored) ? stored != 0 : kMissingFlag;
}

void MQSetting::SaveFlag(const char* key, bool value) {
  SaveDecimal(key, value ? kFlagTrue : kFlagFalse);
}

bool MQSetting::LoadText(const char* key, int& decimal_value) const {
  if (section_element_ == nullptr || key == nullptr) return false;
  void* element = FindChildElement(section_element_, key);
  if (element == nullptr) return false;
  WideString text;
  GetElementText(element, text);
  if (text.empty()) return false;
  decimal_value = ParseDecimal(text);
  return true;
}

void MQSetting::SaveDecimal(const char* key, int value) {
  if (section_element_ == nullptr || key == nullptr) return;
  // The new element is complete before the old one goes, so a host that
  // refuses the add keeps the stored value.
  void* existing = FindChildElement(section_element_, key);
  void* element = AddChildElement(section_element_, key);
  if (element == nullptr) return;
  WideFormatBuffer text;
  FormatWide(text, "%d", value);
  SetElementText(element, WideString(text.data()));
  if (existing != nullptr) RemoveChildElement(section_element_, existing);
}

}  // namespace rowshift
