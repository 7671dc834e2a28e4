#include "standin/widget_values.h"

#include <cstdio>
#include <cstring>

#include "boundary/host_protocol.h"
#include "platform/text_encoding.h"

namespace standin {
namespace {

// A safety bound on text the plug-in hands over; real labels are far shorter.
constexpr std::size_t kLongestText = 1 << 16;

uint16_t UnitAt(const void* units, std::size_t index) {
  uint16_t unit = 0;
  std::memcpy(&unit, static_cast<const unsigned char*>(units) + index * sizeof unit, sizeof unit);
  return unit;
}

std::string BoundedText(const char* text) {
  std::size_t length = 0;
  while (length < kLongestText && text[length] != '\0') ++length;
  return std::string(text, length);
}

WidgetValueKind KindOf(rowshift::WidgetValueType type) {
  switch (type) {
    case rowshift::WidgetValueType::Bool:
      return WidgetValueKind::Bool;
    case rowshift::WidgetValueType::Int:
      return WidgetValueKind::Int;
    case rowshift::WidgetValueType::Double:
      return WidgetValueKind::Double;
    case rowshift::WidgetValueType::Text:
      return WidgetValueKind::Text;
    case rowshift::WidgetValueType::WideText:
      return WidgetValueKind::WideText;
  }
  return WidgetValueKind::Address;
}

}  // namespace

WidgetValueKind KindOfKey(const std::string& key) {
  for (const rowshift::WidgetKeyType& typed : rowshift::kWidgetKeyTypes) {
    if (key == typed.key) return KindOf(typed.type);
  }
  return WidgetValueKind::Address;
}

WidgetValue ReadWidgetValue(const std::string& key, const void* value) {
  WidgetValue read;
  if (value == nullptr) return read;
  read.kind = KindOfKey(key);
  switch (read.kind) {
    case WidgetValueKind::Bool: {
      unsigned char byte = 0;
      std::memcpy(&byte, value, sizeof byte);
      read.bool_value = byte != 0;
      break;
    }
    case WidgetValueKind::Int:
      std::memcpy(&read.int_value, value, sizeof read.int_value);
      break;
    case WidgetValueKind::Double:
      std::memcpy(&read.double_value, value, sizeof read.double_value);
      break;
    case WidgetValueKind::Text:
      read.text = BoundedText(static_cast<const char*>(value));
      break;
    case WidgetValueKind::WideText:
      read.text = Utf16ToUtf8(value);
      break;
    case WidgetValueKind::Address:
    case WidgetValueKind::None:
      read.address = value;
      break;
  }
  return read;
}

void StoreInt(void* where, int32_t value) {
  if (where != nullptr) std::memcpy(where, &value, sizeof value);
}

std::vector<WidgetPair> ReadPairs(void** list) {
  std::vector<WidgetPair> pairs;
  if (list == nullptr) return pairs;
  for (void** pair = list; pair[0] != nullptr; pair += 2) {
    WidgetPair read;
    read.name = static_cast<const char*>(pair[0]);
    read.sent = ReadWidgetValue(read.name, pair[1]);
    read.returned = read.sent;
    pairs.push_back(std::move(read));
  }
  return pairs;
}

std::string Utf16ToUtf8(const void* units) {
  if (units == nullptr) return {};
  // Copied unit by unit: the text may stand at any address, and is read no
  // further than the bound.
  rowshift::WideString text;
  for (std::size_t index = 0; index < kLongestText; ++index) {
    const uint16_t unit = UnitAt(units, index);
    if (unit == 0) break;
    text.push_back(static_cast<rowshift::WideChar>(unit));
  }
  return rowshift::platform::Utf16ToUtf8(text.c_str());
}

std::string WidgetValue::ToString() const {
  switch (kind) {
    case WidgetValueKind::None:
      return "none";
    case WidgetValueKind::Bool:
      return bool_value ? "true" : "false";
    case WidgetValueKind::Int:
      return std::to_string(int_value);
    case WidgetValueKind::Double: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%g", double_value);
      return buffer;
    }
    case WidgetValueKind::Text:
      return "\"" + text + "\"";
    case WidgetValueKind::WideText:
      return "L\"" + text + "\"";
    case WidgetValueKind::Address: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "@%p", address);
      return buffer;
    }
  }
  return "none";
}

const WidgetPair* WidgetRequestRecord::Find(const std::string& name) const {
  for (const WidgetPair& pair : pairs) {
    if (pair.name == name) return &pair;
  }
  return nullptr;
}

}  // namespace standin
