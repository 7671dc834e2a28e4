#include "settings/mq_setting.h"

#include "settings/bounded_format.h"
#include "settings/decimal_text.h"
#include "settings/xml_element.h"

namespace rowshift {
namespace {

constexpr bool kMissingFlag = false;
constexpr int kFlagTrue = 1;
constexpr int kFlagFalse = 0;
// How many older elements of one key a save removes at most, so that a host
// answering a new element to every find cannot hold it forever.
constexpr int kMostOlderElements = 64;

// Sets the element's text and answers whether it holds it now. The host's
// answer to a set is no promise: a nonzero one is taken as done, and after a
// 0 the text is read back, so that a host that answers 0 for the text it set
// still has its value saved.
bool TextSet(void* element, const WideString& text) {
  if (SetElementText(element, text)) return true;
  WideString held;
  return GetElementText(element, held) && held == text;
}

}  // namespace

void MQSetting::LoadInteger(const char* key, int& value) const {
  int stored = 0;
  value = LoadDecimal(key, stored) ? stored : kNotStored;
}

void MQSetting::SaveInteger(const char* key, int value) { SaveDecimal(key, value); }

void MQSetting::LoadFlag(const char* key, bool& value) const {
  int stored = 0;
  value = LoadDecimal(key, stored) ? stored != 0 : kMissingFlag;
}

void MQSetting::SaveFlag(const char* key, bool value) {
  SaveDecimal(key, value ? kFlagTrue : kFlagFalse);
}

bool MQSetting::LoadDecimal(const char* key, int& decimal_value) const {
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
  const WideString saved(text.data());
  // A new element without its text would leave the key reading as missing:
  // it goes again, and the old element keeps the stored value.
  if (!TextSet(element, saved)) {
    RemoveChildElement(section_element_, element);
    return;
  }
  // A load reads the key's first element. Older elements go while the host
  // still finds one first (an earlier save may have left several); one whose
  // removal the host refused gets the saved text instead, so the next load
  // reads what was saved either way.
  for (int removed = 0; existing != nullptr && existing != element; ++removed) {
    RemoveChildElement(section_element_, existing);
    void* first = FindChildElement(section_element_, key);
    if (first == existing || removed + 1 == kMostOlderElements) {
      if (first != nullptr && first != element) SetElementText(first, saved);
      return;
    }
    existing = first;
  }
}

}  // namespace rowshift
