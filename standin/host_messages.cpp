// MQ_SendMessage: every host message is recorded; message 505 hands out the
// settings document's elements.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "boundary/host_protocol.h"
#include "standin/call_log.h"
#include "standin/host_call_gate.h"
#include "standin/settings_control.h"
#include "standin/settings_document.h"
#include "standin/settings_entry_points.h"

namespace standin {
namespace {

constexpr int32_t kMessageResult = 0;
// A list longer than this is taken as unterminated and read no further.
constexpr std::size_t kMostListPairs = 64;

std::vector<RecordedMessage>& Messages() {
  static auto& messages = *new std::vector<RecordedMessage>;
  return messages;
}

RecordedMessage Record(int32_t code, const HostMessage* message) {
  RecordedMessage record;
  record.code = code;
  if (message == nullptr) return record;
  record.had_message = true;
  record.product = message->product;
  record.plugin = message->plugin;
  record.reserved = message->reserved;
  record.had_list = message->list != nullptr;
  for (std::size_t pair = 0; record.had_list && pair < kMostListPairs; ++pair) {
    const auto* name = static_cast<const char*>(message->list[2 * pair]);
    if (name == nullptr) break;
    record.list_names.emplace_back(name);
  }
  return record;
}

// Writes the element handles into the value slots of the pairs the record saw.
void AnswerSettingsElement(const RecordedMessage& record, void** list) {
  SettingsDocument& document = TheSettingsDocument();
  void* plugin_settings =
      TheSettingsFaults().withhold_plugin_settings ? nullptr : document.PluginSettings();
  for (std::size_t pair = 0; pair < record.list_names.size(); ++pair) {
    const std::string& name = record.list_names[pair];
    if (name == rowshift::kSettingsRootName) list[2 * pair + 1] = &document.Root();
    if (name == rowshift::kPluginSettingsName) list[2 * pair + 1] = plugin_settings;
  }
}

std::string Identifier(uint32_t identifier) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned int>(identifier));
  return digits;
}

// The message's arguments as the log shows them: the code, then the two
// identifiers, or "null" for a missing record.
std::vector<std::string> LoggedArguments(const RecordedMessage& record) {
  if (!record.had_message) return {std::to_string(record.code), "null"};
  return {std::to_string(record.code), Identifier(record.product), Identifier(record.plugin)};
}

}  // namespace

const std::vector<RecordedMessage>& HostMessages() { return Messages(); }

int HostMessageCount(int32_t code) {
  int count = 0;
  for (const RecordedMessage& record : Messages()) count += record.code == code ? 1 : 0;
  return count;
}

void ClearHostMessages() { Messages().clear(); }

}  // namespace standin

extern "C" int32_t ROWSHIFT_CALL MQ_SendMessage(int32_t code, HostMessage* message) {
  if (standin::CallFails(standin::EntryPoint::MQ_SendMessage)) return standin::kMessageResult;
  const standin::RecordedMessage record = standin::Record(code, message);
  if (code == rowshift::kSettingsElementMessage && record.had_list) {
    standin::AnswerSettingsElement(record, message->list);
  }
  standin::Messages().push_back(record);
  standin::RecordCall("MQ_SendMessage", standin::LoggedArguments(record),
                      std::to_string(standin::kMessageResult));
  return standin::kMessageResult;
}
