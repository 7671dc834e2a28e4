// The built plug-in module bound to the stand-in host, driven by event
// sequences: every event the dispatcher knows and any other code, name/value
// lists of its keys and of any keys (repeated, missing, null, pointing at any
// content), the structured records of events 261 and 262, clicks on the tool
// window and the user closing it. During a step the host may talk back: from
// inside the document calls of a running operation, or from inside any host
// call (settings, widget requests and messages among them), it sends notices,
// sub-commands, show, shut-down and start-up, clicks and closes back into the
// plug-in. A second operation never starts from inside a running one's
// document calls (it answers as one that finds nothing to do). After
// every step each document still holds each of its objects exactly once, and
// no dead object or orphaned clone shows.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "e2e/built_plugin.h"
#include "fuzz/fuzz_document.h"
#include "fuzz/fuzz_input.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/settings_control.h"
#include "standin/talk_back_control.h"
#include "standin/widget_control.h"
#include "support/host_list.h"

namespace rowshift::testing {
namespace {

constexpr int32_t kSingleValueEvent = 102;
constexpr int32_t kVertexRecord = 261;
constexpr int32_t kLargestStepCount = 24;
constexpr int32_t kLargestPairCount = 8;
constexpr int32_t kLargestTalkBackCount = 4;
constexpr int32_t kLatestTalkBackCall = 24;
constexpr int32_t kSubcommandCount = 6;
// What each sub-command answers when it finds nothing to do, as one that
// arrives while another runs must.
constexpr int32_t kNothingDone[kSubcommandCount] = {-1, -1, -1, 1, 1, 0};

// What a host may send while it carries out a request: the object-list and
// document notices, sub-commands, and shut-down and start-up (the plug-in
// switched off, or off and on again, under a running operation).
constexpr int32_t kTalkBackEvents[] = {1,   2,   2,   7,   100, 101, 102, 104, 104, 104, 200, 201,
                                       202, 203, 204, 210, 211, 212, 220, 221, 222, 230, 231, 250};

// Start-up, shut-down, show and run come more often than the rest.
constexpr int32_t kKnownEvents[] = {1,   2,   3,   4,   7,   100, 101, 102, 103, 104, 105, 110, 120,
                                    121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 140, 141, 200,
                                    201, 202, 203, 204, 210, 211, 212, 220, 221, 222, 230, 231, 240,
                                    250, 260, 261, 262, 300, 301, 104, 104, 104, 100, 1,   2};

// Every key the dispatcher reads, and the words some of them compare against.
// clang-format off
const char* const kKeys[] = {
    "index", "result", "type", "reason", "dstobj", "srcobj", "trigger", "scene", "width",
    "height", "xml_elem", "filename", "save_uid", "past_state", "srcdoc", "object_table",
    "material_table", "state", "size", "src_product", "src_id", "description", "message",
    "button_state", "mouse_pos_x", "mouse_pos_y", "mouse_wheel", "pressure", "key", "numvert",
    "numline", "numface", "object", "vertid", "faceid", "background", "args", "vertex", "apex",
    "query", "copy", "cut", "paste"};
// clang-format on
const char* const kWords[] = {"vertex", "apex", "screen", "world", "local", "query", "copy"};

const char* const kSettingKeys[] = {"Rowshift_activate", "PosX", "PosY"};
constexpr char kSettingsSection[] = "Plugin-5D2E7C14-2A6B93F0";

BuiltPlugin& Plugin() {
  // Loaded and bound once; kept for the life of the process.
  static BuiltPlugin* const plugin = [] {
    auto* loaded = new BuiltPlugin;
    Require(loaded->HasEveryExport(), "the plug-in module loads with every export");
    Require(loaded->BindToStandin() == 1, "the plug-in binds to the stand-in host");
    return loaded;
  }();
  return *plugin;
}

// A stored state from the input: each key absent, a number or any text.
void StoreSettings(FuzzInput& input) {
  standin::SettingsNode section{kSettingsSection, std::nullopt, {}};
  for (const char* key : kSettingKeys) {
    const uint8_t form = input.InRange(0, 3);
    if (form == 0) continue;
    const std::string text = form == 1 ? std::to_string(input.InRange(-2, 400)) : input.Bytes(12);
    section.children.push_back({key, text, {}});
  }
  standin::LoadSettingsTree({"root", std::nullopt, {{"pluginsettings", std::nullopt, {section}}}});
}

// The host's event-261 record: header words, then `count` entries of one word
// more than the item, sized for the count it states (or for none when negative).
void* Record261(FuzzInput& input, HostList& list, bool vertex) {
  const std::size_t header_words = vertex ? 4 : 5;
  const std::size_t entry_words = vertex ? 4 : 5;
  const std::size_t count_word = header_words - 1;
  const int32_t count = input.InRange(-1, 9);
  std::vector<uint32_t> words(header_words +
                              entry_words * static_cast<std::size_t>(std::max(count, 0)));
  for (uint32_t& word : words) word = input.Value<uint32_t>();
  words[count_word] = static_cast<uint32_t>(count);
  return list.Value(std::string(reinterpret_cast<const char*>(words.data()), words.size() * 4));
}

void AddPair(FuzzInput& input, HostList& list) {
  std::string name = input.InRange(0, 7) == 0 ? input.Bytes(10) : input.Pick(kKeys);
  void* value = nullptr;
  if (name == "vertex" || name == "apex") {
    // The host names a record only with the record itself.
    list.Add(name, Record261(input, list, name == "vertex"));
    return;
  }
  switch (input.InRange(0, 5)) {
    case 0:
      break;  // a null value
    case 1:
      value = list.IntValue(input.InRange(-2, 7));
      break;
    case 2:
      value = list.IntValue(input.Value<int32_t>());
      break;
    case 3:
      value = list.Value(input.Pick(kWords));
      break;
    default:
      value = list.Value(input.Bytes(kLargestRandomValueBytes));
  }
  list.Add(name, value);
}

// What the dispatcher may write for `event` into a list: the answers it names.
bool MayWrite(int32_t event, const std::string& name, const std::string& first_name) {
  if (name == "result" || name == "save_uid" || name == "size") return true;
  return event == 262 && name == first_name && (name == "query" || name == "copy" || name == "cut");
}

void SendEvent(FuzzInput& input, void* document) {
  const int32_t event =
      input.InRange(0, 4) == 0 ? input.Value<int32_t>() : input.Pick(kKnownEvents);
  HostList list;
  const uint8_t form = input.InRange(0, 15);
  if (form == 0) {
    Plugin().MQOnEvent(document, event, nullptr);
    return;
  }
  if (form == 1 && (event == rowshift::kSetShownEvent || event == kSingleValueEvent)) {
    // One value, as these two events take it.
    void* value = list.IntValue(input.InRange(-1, 2));
    Plugin().MQOnEvent(document, event, value);
    Require(!list.Changed(value), "a single value is only read");
    return;
  }
  if (event == kVertexRecord && input.Flag()) {
    const bool vertex = input.Flag();
    list.Add(vertex ? "vertex" : "apex", Record261(input, list, vertex));
  }
  const int32_t pairs = input.InRange(0, kLargestPairCount);
  for (int32_t pair = 0; pair < pairs; ++pair) AddPair(input, list);
  Plugin().MQOnEvent(document, event, list.Slots());
  for (const std::string& written : list.WrittenNames()) {
    Require(MayWrite(event, written, list.FirstName()), "the dispatcher writes only answers");
  }
}

// A click on, or a user's close of, any live widget (the tool window's
// buttons and window among them).
void ActOnWidget(FuzzInput& input, void* document) {
  const std::vector<int32_t> ids = standin::WidgetIds();
  const int32_t id =
      ids[static_cast<std::size_t>(input.InRange(0, static_cast<int32_t>(ids.size()) - 1))];
  if (input.Flag()) {
    standin::Click(id, document);
  } else {
    standin::SimulateUserClose(id, document);
  }
}

// Messages the host sends back during the next step, on its documents.
void TalkBackDuringStep(FuzzInput& input, const std::vector<void*>& documents) {
  std::vector<standin::TalkBack> messages(
      static_cast<std::size_t>(input.InRange(0, kLargestTalkBackCount)));
  for (standin::TalkBack& message : messages) {
    message.after_calls = input.InRange(1, kLatestTalkBackCall);
    const uint8_t kind = input.InRange(0, 3);
    message.kind = kind == 0   ? standin::TalkBack::Kind::kClick
                   : kind == 1 ? standin::TalkBack::Kind::kClose
                               : standin::TalkBack::Kind::kEvent;
    message.event = input.Pick(kTalkBackEvents);
    message.value = input.InRange(-1, kSubcommandCount);
    const int32_t which = input.InRange(0, static_cast<int32_t>(documents.size()));
    message.document = which < static_cast<int32_t>(documents.size()) ? documents[which] : nullptr;
  }
  if (input.Flag()) {
    standin::TalkBackDuringHostCalls(Plugin().MQOnEvent, std::move(messages));
  } else {
    standin::TalkBackDuringDocumentCalls(Plugin().MQOnEvent, std::move(messages));
  }
}

// Every sub-command and click sent back came while an operation ran: none
// started. A click's button is picked by position among the tool window's
// six, which stand in sub-command order.
void CheckNoSecondOperation() {
  for (const standin::TalkBackAnswer& sent : standin::TalkBackAnswers()) {
    // Outside document calls no operation need be running.
    if (!sent.during_document_call) continue;
    const bool subcommand = sent.message.kind == standin::TalkBack::Kind::kEvent &&
                            sent.message.event == rowshift::kRunSubcommandEvent;
    const bool click = sent.message.kind == standin::TalkBack::Kind::kClick;
    if (!subcommand && !click) continue;
    const int32_t index =
        click ? (sent.message.value % kSubcommandCount + kSubcommandCount) % kSubcommandCount
              : sent.message.value;
    const int32_t expected = index >= 0 && index < kSubcommandCount ? kNothingDone[index] : 0;
    Require(sent.answer == expected, "no operation starts while one runs");
  }
}

}  // namespace
}  // namespace rowshift::testing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rowshift::testing;
  BuiltPlugin& plugin = Plugin();
  standin::ResetWidgetHost();
  standin::ResetSettingsDocument();
  standin::ClearHostMessages();
  standin::ClearCalls();
  standin::RecordDocumentCalls(false);
  standin::ResetStrayObjectTouches();

  FuzzInput input(data, size);
  StoreSettings(input);
  std::vector<std::unique_ptr<FuzzDocument>> documents;
  documents.push_back(std::make_unique<FuzzDocument>(input, "a"));
  if (input.Flag()) documents.push_back(std::make_unique<FuzzDocument>(input, "b"));

  std::vector<void*> handles;
  for (const auto& each : documents) handles.push_back(each->Handle());

  const int32_t steps = input.InRange(1, kLargestStepCount);
  for (int32_t step = 0; step < steps && !input.Empty(); ++step) {
    const int32_t which = input.InRange(0, static_cast<int32_t>(documents.size()));
    void* document =
        which < static_cast<int32_t>(documents.size()) ? documents[which]->Handle() : nullptr;
    TalkBackDuringStep(input, handles);
    if (input.InRange(0, 4) == 0) {
      ActOnWidget(input, document);
    } else {
      SendEvent(input, document);
    }
    standin::StopTalkingBack();
    CheckNoSecondOperation();
    for (const auto& each : documents) each->CheckWhole();
    Require(standin::StrayObjectTouches() == 0, "no object handle was made up");
  }
  // The next input starts without a tool window.
  plugin.MQOnEvent(nullptr, rowshift::kShutDownEvent, nullptr);
  for (const auto& each : documents) each->CheckWhole();
  return 0;
}
