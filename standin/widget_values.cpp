#include "standin/widget_values.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace standin {
namespace {

constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr uint32_t kHighSurrogateFirst = 0xD800;
constexpr uint32_t kLowSurrogateFirst = 0xDC00;
constexpr uint32_t kSurrogateEnd = 0xE000;
constexpr uint32_t kSupplementaryFirst = 0x10000;
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

void AppendUtf8(std::string& out, uint32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

}  // namespace

WidgetValueKind KindOfKey(const std::string& key) {
  static const auto& kinds = *new std::map<std::string, WidgetValueKind>{
      {"visible", WidgetValueKind::Bool},    {"prior", WidgetValueKind::Bool},
      {"pos_x", WidgetValueKind::Int},       {"pos_y", WidgetValueKind::Int},
      {"id", WidgetValueKind::Int},          {"child", WidgetValueKind::Int},
      {"result", WidgetValueKind::Int},      {"inspace", WidgetValueKind::Double},
      {"outspace", WidgetValueKind::Double}, {"type", WidgetValueKind::Text},
      {"system", WidgetValueKind::Text},     {"alignment", WidgetValueKind::Text},
      {"title", WidgetValueKind::WideText},  {"text", WidgetValueKind::WideText},
  };
  auto found = kinds.find(key);
  return found == kinds.end() ? WidgetValueKind::Address : found->second;
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
  std::string out;
  if (units == nullptr) return out;
  for (std::size_t index = 0; index < kLongestText; ++index) {
    uint32_t unit = UnitAt(units, index);
    if (unit == 0) break;
    uint32_t code_point = unit;
    if (unit >= kHighSurrogateFirst && unit < kSurrogateEnd) {
      code_point = kReplacementCharacter;
      const uint32_t next = unit < kLowSurrogateFirst ? UnitAt(units, index + 1) : 0;
      if (next >= kLowSurrogateFirst && next < kSurrogateEnd) {
        code_point = kSupplementaryFirst + ((unit - kHighSurrogateFirst) << 10) +
                     (next - kLowSurrogateFirst);
        ++index;
      }
    }
    AppendUtf8(out, code_point);
  }
  return out;
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
