#include "tools/rowshift_host/rowshift_host_printing.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>
#include <unordered_map>

#include <utf8cpp/utf8.h>

#include "boundary/host_protocol.h"
#include "outline/text_bytes.h"
#include "tools/rowshift_host/rowshift_host_document.h"

namespace rowshift::tool {
namespace {

constexpr char kCopyMark[] = " (copy)";
constexpr std::size_t kIdentifierDigits = 8;
constexpr int kColumnGap = 2;

std::string Hex(uint32_t value) { return outline::UpperHex(value, kIdentifierDigits); }

// The name text carries a notice after a run of spaces; the first part is
// the name a person wants to read.
std::string ShortName(const std::string& name) {
  const std::string::size_type gap = name.find("  ");
  return gap == std::string::npos ? name : name.substr(0, gap);
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// Names for the numbers in a call, keyed as the call log writes them: the
// object value ids and the host messages in decimal, the settings element
// requests in hexadecimal.
std::string Decimal(int32_t number) { return std::to_string(number); }

std::string Hexadecimal(XmlElementCode code) {
  return "0x" + outline::UpperHex(static_cast<std::uint32_t>(code), 1);
}

const std::map<std::string, std::string>& ValueIdNames() {
  static const std::map<std::string, std::string> names = {
      {Decimal(static_cast<int32_t>(ObjectValueId::Depth)), "Depth"},
      {Decimal(static_cast<int32_t>(ObjectValueId::Collapsed)), "Collapsed"},
      {Decimal(static_cast<int32_t>(ObjectValueId::Eligible)), "Eligible"},
      {Decimal(static_cast<int32_t>(ObjectValueId::Selected)), "Selected"}};
  return names;
}

const std::map<std::string, std::string>& SettingsRequestNames() {
  static const std::map<std::string, std::string> names = {
      {Hexadecimal(XmlElementCode::kAddChild), "AddChild"},
      {Hexadecimal(XmlElementCode::kRemoveChild), "RemoveChild"},
      {Hexadecimal(XmlElementCode::kFindChild), "FindChild"},
      {Hexadecimal(XmlElementCode::kGetText), "GetText"},
      {Hexadecimal(XmlElementCode::kSetText), "SetText"}};
  return names;
}

const std::map<std::string, std::string>& MessageNames() {
  static const std::map<std::string, std::string> names = {
      {Decimal(kWindowClosedMessage), Decimal(kWindowClosedMessage) + " window closed by the user"},
      {Decimal(kSettingsElementMessage), Decimal(kSettingsElementMessage) + " settings element"}};
  return names;
}

std::string Named(const std::map<std::string, std::string>& names, const std::string& code) {
  const auto found = names.find(code);
  return found == names.end() ? code : found->second;
}

// `L"` where a wide string starts (at the start, or after = ( or a space)
// reads as `"`. One pass over the text: a trace prints a line for every call.
std::string WithoutWidePrefix(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts_wide =
        text[i] == 'L' && i + 1 < text.size() && text[i + 1] == '"' &&
        (i == 0 || std::string_view("=( ").find(text[i - 1]) != std::string_view::npos);
    if (!starts_wide) out += text[i];
  }
  return out;
}

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// The length of the address after an `@`: 0x and hex digits, (nil), or six
// hex digits or more; 0 where none stands there.
std::size_t AddressLength(const std::string& text, std::size_t at) {
  const auto hex_run = [&text](std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsHexDigit(text[end])) ++end;
    return end - from;
  };
  if (text.compare(at, 2, "0x") == 0 && hex_run(at + 2) > 0) return 2 + hex_run(at + 2);
  if (text.compare(at, 5, "(nil)") == 0) return 5;
  constexpr std::size_t kBareAddressDigits = 6;
  const std::size_t digits = hex_run(at);
  return digits >= kBareAddressDigits ? digits : 0;
}

// Addresses change from run to run; a trace shows where one stood.
std::string WithoutAddresses(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t length = text[i] == '@' ? AddressLength(text, i + 1) : 0;
    if (length == 0) {
      out += text[i];
    } else {
      out += "(address)";
      i += length;
    }
  }
  return out;
}

// Reads the calls of one step in order and writes each in words. The log
// names a copy like its original; the order of the calls tells them apart. A
// clone is a copy until it is inserted or freed; once inserted it is named
// where it is inserted and where its slot is read, and it stands for the
// object everywhere once the original's slot is deleted.
class CallReader {
 public:
  explicit CallReader(const standin::ControlTable& host) : host_(host) {}

  std::string Read(standin::HostCall call) {
    if (call.failed) return host_.line_of(call);
    std::vector<std::string>& arguments = call.arguments;
    std::string result = call.result.value_or("");
    const std::string& function = call.function;
    const std::size_t count = arguments.size();
    if (function == "MQObj_Clone" && count == 1) {
      const std::string original = arguments[0];
      arguments[0] = Label(original);
      copies_[original] = Copy{};
      result += kCopyMark;
    } else if (function == "MQDoc_InsertObject" && count == 2) {
      arguments[0] = Inserted(arguments[0], result);
      arguments[1] = Label(arguments[1]);
    } else if (function == "MQObj_Delete" && count == 1) {
      const auto copy = copies_.find(arguments[0]);
      if (copy != copies_.end() && copy->second.state == State::kLoose) {
        copies_.erase(copy);
        arguments[0] += kCopyMark;
      } else {
        arguments[0] = Label(arguments[0]);
      }
    } else if (function == "MQDoc_DeleteObject" && count == 1) {
      const auto [first, last] = beside_by_index_.equal_range(arguments[0]);
      for (auto entry = first; entry != last; ++entry) {
        const auto copy = copies_.find(entry->second);
        if (copy != copies_.end() && copy->second.state == State::kBesideOriginal &&
            copy->second.original_index == arguments[0]) {
          copy->second.state = State::kAlone;
        }
      }
      beside_by_index_.erase(first, last);
    } else if (function == "MQDoc_GetObject" && count == 1) {
      const auto copy = copies_.find(result);
      const bool copy_slot = copy != copies_.end() &&
                             copy->second.state == State::kBesideOriginal &&
                             copy->second.slot == arguments[0];
      result = copy_slot ? result + kCopyMark : Label(result);
    } else if (function == "MQDoc_GetObjectIndex" && count == 1) {
      const auto copy = copies_.find(arguments[0]);
      if (copy != copies_.end() && copy->second.state == State::kBesideOriginal) {
        copy->second.original_index = result;
        beside_by_index_.emplace(result, arguments[0]);
      }
      arguments[0] = Label(arguments[0]);
    } else if (function == "MQDoc_GetParentObject" && count == 1) {
      arguments[0] = Label(arguments[0]);
      result = Label(result);
    } else if (function == "MQDoc_GetChildObjectCount" && count == 1) {
      arguments[0] = Label(arguments[0]);
    } else if ((function == "MQObj_GetIntValue" || function == "MQObj_SetIntValue") && count >= 2) {
      arguments[0] = Label(arguments[0]);
      arguments[1] = Named(ValueIdNames(), arguments[1]);
    } else if (function == "MQXmlElem_Value" && count >= 2) {
      arguments[1] = Named(SettingsRequestNames(), arguments[1]);
    } else if (function == "MQ_SendMessage" && count >= 1) {
      arguments[0] = Named(MessageNames(), arguments[0]);
    }
    if (call.result) call.result = result;
    return WithoutAddresses(WithoutWidePrefix(host_.line_of(call)));
  }

 private:
  enum class State {
    kLoose,           // cloned, in no slot yet
    kBesideOriginal,  // inserted while its original still stands
    kAlone,           // its original's slot was deleted: the name means the copy
  };
  struct Copy {
    State state = State::kLoose;
    std::string slot;            // where it was inserted
    std::string original_index;  // the original's index as last answered
  };

  // An object named in a call: its copy once the original is gone.
  std::string Label(const std::string& name) const {
    const auto copy = copies_.find(name);
    return copy != copies_.end() && copy->second.state == State::kAlone ? name + kCopyMark : name;
  }

  std::string Inserted(const std::string& name, const std::string& slot) {
    const auto copy = copies_.find(name);
    if (copy == copies_.end() || copy->second.state != State::kLoose) return Label(name);
    copy->second.state = State::kBesideOriginal;
    copy->second.slot = slot;
    return name + kCopyMark;
  }

  const standin::ControlTable& host_;
  std::map<std::string, Copy> copies_;  // by the name the log gives both
  // The copies beside their originals, by the original's index as answered,
  // so a deletion finds its copies without reading every copy of the step;
  // an entry is checked against its copy before use.
  std::unordered_multimap<std::string, std::string> beside_by_index_;
};

}  // namespace

std::string WithBytesEscaped(const std::string& text) {
  std::string escaped;
  for (auto at = text.begin(); at != text.end();) {
    const auto invalid = utf8::find_invalid(at, text.end());
    escaped.append(at, invalid);
    if (invalid == text.end()) break;
    escaped += outline::EscapedByte(static_cast<unsigned char>(*invalid));
    at = invalid + 1;
  }
  return escaped;
}

std::string PrintedDocument(const std::string& outline_text, bool compact) {
  const std::string text = compact ? CompactOutline(outline_text) : outline_text;
  return text.empty() ? "(no objects)\n" : text;
}

std::string DescribeIdentity(const loader::PluginIdentity& identity, const std::string& path) {
  std::string text = "plug-in: " + ShortName(identity.name);
  if (!identity.display_title.empty()) text += " \"" + identity.display_title + "\"";
  text += identity.kind == kStationKind ? ", a station plug-in"
                                        : ", of plug-in kind " + std::to_string(identity.kind);
  text += ", id " + Hex(identity.product) + "-" + Hex(identity.plugin) + "\n";
  text += "  from " + path + "\n";
  return text;
}

std::string DescribeSubcommands(const std::vector<loader::Subcommand>& subcommands) {
  if (subcommands.empty()) return "sub-commands: none\n";
  std::size_t key_width = 0;
  for (const loader::Subcommand& subcommand : subcommands) {
    key_width = std::max(key_width, subcommand.key.size());
  }
  std::string text = "sub-commands (key, title):\n";
  for (const loader::Subcommand& subcommand : subcommands) {
    text += std::to_string(subcommand.index) + "  " +
            Padded(subcommand.key, key_width + kColumnGap) + "\"" + subcommand.title + "\"\n";
  }
  return text;
}

std::string OnOneLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else {
      line += c;
    }
  }
  return line;
}

std::string DescribeCalls(const standin::ControlTable& host) {
  const std::vector<standin::HostCall>& calls = host.host_calls();
  if (calls.empty()) return "(no host calls)\n";
  CallReader reader(host);
  std::string text;
  for (const standin::HostCall& call : calls) {
    text += "> " + OnOneLine(reader.Read(call)) + "\n";
  }
  return text;
}

std::string DescribeWidgetValue(const std::string& value) {
  return WithoutAddresses(WithoutWidePrefix(OnOneLine(value)));
}

}  // namespace rowshift::tool
