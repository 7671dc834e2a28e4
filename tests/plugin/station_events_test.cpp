// The station rows of host event dispatch: which operation each event reaches,
// with which arguments, what it answers and what it writes back; and the
// window-closed message of the station base.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "plugin/station_events.h"
#include "support/host_list.h"
#include "support/recording_station.h"

namespace rowshift::testing {
namespace {

// Host values passed on unread; the recorder writes them by label.
char document_object, scene, xml, file, srcdoc, objects, materials, description, message;
void* const kDocument = &document_object;

// An argument that must never be read: events without keys ignore it.
void* const kUnreadable = reinterpret_cast<void*>(0x10);

constexpr int32_t kOperationAnswer = 7;

class EventTable : public ::testing::Test {
 protected:
  EventTable() {
    plugin.int_answer = kOperationAnswer;
    const std::pair<const void*, const char*> labels[] = {{kDocument, "doc"},
                                                          {&scene, "scene"},
                                                          {&xml, "xml"},
                                                          {&file, "file"},
                                                          {&srcdoc, "srcdoc"},
                                                          {&objects, "objects"},
                                                          {&materials, "materials"},
                                                          {&description, "description"},
                                                          {&message, "message"}};
    for (const auto& [pointer, label] : labels) plugin.Label(pointer, label);
  }

  int32_t Send(int32_t event, void* argument) {
    return DispatchStationEvent(plugin, kDocument, event, argument).value_or(0);
  }

  RecordingStation plugin;
};

struct Row {
  const char* what;
  int32_t event;
  std::function<void(HostList&)> keys;  // null: the event gets an unreadable argument
  std::string expected_call;
  int32_t expected_answer;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"start-up answers its result", 1, nullptr, "StartUp()", kOperationAnswer},
      {"shut-down answers 1", 2, nullptr, "ShutDown()", 1},
      {"event 7", 7, nullptr, "HandleEvent7(doc)", 1},
      {"is-shown answers its result", 101, nullptr, "IsShown(doc)", kOperationAnswer},
      {"message with every key", 103,
       [](HostList& l) {
         l.Int("src_product", 5)
             .Int("src_id", 6)
             .Add("description", &description)
             .Add("message", &message);
       },
       "HandleEvent103(doc, 5, 6, description, message)", 1},
      {"message without keys", 103, [](HostList&) {}, "HandleEvent103(doc, 0, 0, null, null)", 1},
      {"sub-command by index", 104, [](HostList& l) { l.Int("index", 3); }, "RunSubcommand(doc, 3)",
       kOperationAnswer},
      {"sub-command without index runs 0", 104, [](HostList&) {}, "RunSubcommand(doc, 0)",
       kOperationAnswer},
      {"event 105 answers its result", 105, nullptr, "HandleEvent105(doc)", kOperationAnswer},
      {"view size", 110,
       [](HostList& l) { l.Add("scene", &scene).Int("width", 640).Int("height", 480); },
       "HandleEvent110(doc, scene, 640, 480)", 1},
      {"view size defaults to 1 by 1", 110, [](HostList&) {}, "HandleEvent110(doc, null, 1, 1)", 1},
      {"element", 200, [](HostList& l) { l.Add("xml_elem", &xml).Add("filename", &file); },
       "HandleEvent200(doc, file, {xml})", 1},
      {"event 201", 201, nullptr, "HandleEvent201(doc)", 1},
      {"save always passes past state -1", 202,
       [](HostList& l) { l.Add("xml_elem", &xml).Add("filename", &file).Int("past_state", 5); },
       "HandleEvent202(doc, file, {xml, 0, -1})", 1},
      {"save with past state", 203,
       [](HostList& l) { l.Add("xml_elem", &xml).Add("filename", &file).Int("past_state", 5); },
       "HandleEvent203(doc, file, {xml, 0, 5})", 1},
      {"save without past state passes -1", 203, [](HostList&) {},
       "HandleEvent203(doc, null, {null, 0, -1})", 1},
      {"source element", 204,
       [](HostList& l) {
         l.Add("xml_elem", &xml)
             .Add("srcdoc", &srcdoc)
             .Add("object_table", &objects)
             .Add("material_table", &materials)
             .Add("filename", &file);
       },
       "HandleEvent204(doc, file, {xml, srcdoc, objects, materials})", 1},
      {"state 210", 210, [](HostList& l) { l.Int("state", 4); }, "HandleEvent210(doc, 4)",
       kOperationAnswer},
      {"state 210 defaults to 0", 210, [](HostList&) {}, "HandleEvent210(doc, 0)",
       kOperationAnswer},
      {"state 211", 211, [](HostList& l) { l.Int("state", 4); }, "HandleEvent211(doc, 4)",
       kOperationAnswer},
      {"state and size, state first", 212, [](HostList& l) { l.Int("size", 9).Int("state", 4); },
       "HandleEvent212(doc, 4, 9)", 1},
      {"event 220", 220, nullptr, "HandleEvent220(doc)", 1},
      {"event 221", 221, nullptr, "HandleEvent221(doc)", 1},
      {"event 222", 222, nullptr, "HandleEvent222(doc)", 1},
      {"event 230", 230, nullptr, "HandleEvent230(doc)", 1},
      {"event 231", 231, nullptr, "HandleEvent231(doc)", 1},
      {"scene", 240, [](HostList& l) { l.Add("scene", &scene); }, "HandleEvent240(doc, scene)", 1},
      {"trigger screen", 250, [](HostList& l) { l.Text("trigger", "screen"); },
       "HandleEvent250(doc, 1)", 1},
      {"trigger world", 250, [](HostList& l) { l.Text("trigger", "world"); },
       "HandleEvent250(doc, 2)", 1},
      {"trigger local", 250, [](HostList& l) { l.Text("trigger", "local"); },
       "HandleEvent250(doc, 3)", 1},
      {"any other trigger word passes 0", 250, [](HostList& l) { l.Text("trigger", "World"); },
       "HandleEvent250(doc, 0)", 1},
  };
  return rows;
}

TEST_F(EventTable, EachRowCallsItsOperationWithItsArgumentsAndAnswers) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.what);
    plugin.calls.clear();
    HostList list;
    void* argument = kUnreadable;
    if (row.keys) {
      row.keys(list);
      argument = list.Slots();
    }
    EXPECT_EQ(Send(row.event, argument), row.expected_answer);
    EXPECT_EQ(plugin.calls, std::vector<std::string>{row.expected_call});
  }
}

TEST_F(EventTable, EventsWithoutARowAnswerZeroAndCallNothing) {
  HostList list;
  list.Int("index", 1).OutPointer("result");
  for (int32_t event :
       {-1, 0, 5, 6, 8, 99, 106, 119, 131, 139, 142, 199, 205, 251, 259, 263, 300, 301, 1000}) {
    SCOPED_TRACE(event);
    EXPECT_EQ(Send(event, list.Slots()), 0);
    EXPECT_EQ(Send(event, kUnreadable), 0);
  }
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(EventTable, SubcommandKeyIsStoredThroughThePointerSizedResult) {
  HostList list;
  list.Int("index", 0);
  void** result = list.OutPointer("result");
  EXPECT_EQ(Send(3, list.Slots()), 1);
  EXPECT_EQ(*result, RecordingStation::kKey);
  EXPECT_EQ(plugin.calls, std::vector<std::string>{"GetSubcommandKey(0)"});
}

TEST_F(EventTable, SubcommandTitleIsStoredThroughThePointerSizedResult) {
  HostList list;
  void** result = list.OutPointer("result");
  EXPECT_EQ(Send(4, list.Slots()), 1);
  EXPECT_EQ(*result, static_cast<const void*>(RecordingStation::kTitle));
  EXPECT_EQ(plugin.calls, std::vector<std::string>{"GetSubcommandTitle(0)"});
}

TEST_F(EventTable, IndexPastTheTableStoresNullAndStillAnswersOne) {
  HostList list;
  list.Int("index", 6);
  void** result = list.OutPointer("result");
  EXPECT_EQ(Send(3, list.Slots()), 1);
  EXPECT_EQ(*result, nullptr);
}

TEST_F(EventTable, SubcommandQueriesWithoutResultAnswerZeroAndCallNothing) {
  for (int32_t event : {3, 4}) {
    HostList list;
    list.Int("index", 0);
    EXPECT_EQ(Send(event, list.Slots()), 0);
  }
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(EventTable, TheFirstOfTwoEqualKeysWins) {
  HostList list;
  list.Int("index", 2).Int("index", 5);
  list.OutPointer("result");
  Send(3, list.Slots());
  EXPECT_EQ(plugin.calls, std::vector<std::string>{"GetSubcommandKey(2)"});
}

TEST_F(EventTable, KeysMatchExactlyIncludingLetterCaseAndTrailingBlanks) {
  HostList list;
  list.Int("Index", 2).Int("index ", 3).Int("INDEX", 4).Int("inde", 5);
  EXPECT_EQ(Send(104, list.Slots()), kOperationAnswer);
  EXPECT_EQ(plugin.calls, std::vector<std::string>{"RunSubcommand(doc, 0)"});
}

TEST_F(EventTable, SetShownTakesThe32BitValueTheArgumentPointsAt) {
  int32_t flag = 1;
  EXPECT_EQ(Send(100, &flag), kOperationAnswer);
  int32_t value = -3;
  EXPECT_EQ(Send(102, &value), 1);
  EXPECT_EQ(plugin.calls,
            (std::vector<std::string>{"SetShown(doc, 1)", "HandleEvent102(doc, -3)"}));
}

TEST_F(EventTable, NullArgumentForAValueEventAnswersZeroAndCallsNothing) {
  EXPECT_EQ(Send(100, nullptr), 0);
  EXPECT_EQ(Send(102, nullptr), 0);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(EventTable, MessageResultIsStoredWhenPresent) {
  HostList list;
  int32_t* result = list.Out32("result");
  EXPECT_EQ(Send(103, list.Slots()), 1);
  EXPECT_EQ(*result, kOperationAnswer);
}

// A 32-bit out slot with a guard word behind it: a wider write shows.
struct Guarded32 {
  int32_t value = kUntouched32;
  int32_t after = kUntouched32;
};

TEST_F(EventTable, MessageResultAndSaveUidAreWrittenAs32Bits) {
  Guarded32 result;
  HostList notice;
  notice.Add("result", &result.value);
  EXPECT_EQ(Send(103, notice.Slots()), 1);
  EXPECT_EQ(result.value, kOperationAnswer);
  EXPECT_EQ(result.after, kUntouched32);

  plugin.save_request = 1;
  Guarded32 save_uid;
  HostList save;
  save.Add("save_uid", &save_uid.value);
  EXPECT_EQ(Send(202, save.Slots()), 1);
  EXPECT_EQ(save_uid.value, 1);
  EXPECT_EQ(save_uid.after, kUntouched32);
}

// A host may hand an out value at an address not aligned for its width (a
// field of a packed record): each answer is still written whole, at that
// address, and nothing next to it.
TEST_F(EventTable, AnswersAreWrittenToOutValuesAtAnyAddress) {
  struct Case {
    const char* what;
    int32_t event;
    std::string mode;  // a first pair of this name, or none
    const char* key;
    uint64_t expected;  // the answer, in the out value's own width
    std::size_t width;
  };
  const Case cases[] = {
      {"sub-command key", 3, "", "result", reinterpret_cast<uintptr_t>(RecordingStation::kKey),
       sizeof(void*)},
      {"sub-command title", 4, "", "result", reinterpret_cast<uintptr_t>(RecordingStation::kTitle),
       sizeof(void*)},
      {"message result", 103, "", "result", kOperationAnswer, 4},
      {"save request", 202, "", "save_uid", 1, 4},
      {"vertex confirmed", 260, "", "result", 1, 4},
      {"copy size", 262, "copy", "size", 24, 4},
  };
  plugin.save_request = 1;
  plugin.bool_answer = true;
  plugin.copy_size = 24;
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    constexpr unsigned char kPoison = 0xEE;
    alignas(8) unsigned char bytes[3 * sizeof(uint64_t)];
    std::memset(bytes, kPoison, sizeof bytes);
    unsigned char* const out = bytes + 1;
    void* copied_data = nullptr;
    HostList list;
    if (!row.mode.empty()) list.Add(row.mode, &copied_data);
    if (row.event == 260) list.Text("type", "vertex");
    list.Add(row.key, out);
    EXPECT_EQ(Send(row.event, list.Slots()), 1);
    uint64_t written = 0;
    std::memcpy(&written, out, row.width);
    EXPECT_EQ(written, row.expected);
    EXPECT_EQ(bytes[0], kPoison);
    EXPECT_EQ(out[row.width], kPoison);
  }
}

TEST_F(EventTable, SaveRequestSetsSaveUidToOne) {
  for (int32_t event : {202, 203}) {
    plugin.save_request = 9;
    HostList list;
    int32_t* save_uid = list.Out32("save_uid");
    EXPECT_EQ(Send(event, list.Slots()), 1);
    EXPECT_EQ(*save_uid, 1) << event;
  }
}

TEST_F(EventTable, NoSaveRequestLeavesSaveUidUntouched) {
  plugin.save_request = 0;
  HostList list;
  int32_t* save_uid = list.Out32("save_uid");
  EXPECT_EQ(Send(202, list.Slots()), 1);
  EXPECT_EQ(*save_uid, kUntouched32);
}

TEST_F(EventTable, SaveRequestWithoutSaveUidWritesNothingAndAnswersOne) {
  plugin.save_request = 1;
  HostList list;
  list.Add("xml_elem", &xml);
  EXPECT_EQ(Send(203, list.Slots()), 1);
  EXPECT_EQ(plugin.calls.size(), 1u);
}

TEST_F(EventTable, TriggerIsRequired) {
  HostList list;
  list.Int("trigger_code", 1);
  EXPECT_EQ(Send(250, list.Slots()), 0);
  EXPECT_EQ(Send(250, nullptr), 0);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(EventTable, NullListReadsAsEveryKeyAbsent) {
  EXPECT_EQ(Send(104, nullptr), kOperationAnswer);
  EXPECT_EQ(Send(3, nullptr), 0);
  EXPECT_EQ(plugin.calls, std::vector<std::string>{"RunSubcommand(doc, 0)"});
}

// Message 100 as the host received it.
struct SentMessage {
  int32_t code;
  uint32_t product;
  uint32_t plugin;
  uint32_t reserved;
  void* first_name;
};
std::vector<SentMessage> sent;

int32_t ROWSHIFT_CALL RecordMessage(int32_t code, HostMessage* received) {
  sent.push_back(
      {code, received->product, received->plugin, received->reserved, received->list[0]});
  return 0;
}

TEST(NotifyWindowClosed, SendsMessage100WithBothIdentifiersAndAnEmptyList) {
  sent.clear();
  HostFunctions().MQ_SendMessage = &RecordMessage;
  RecordingStation plugin;
  plugin.NotifyWindowClosed();
  HostFunctions().MQ_SendMessage = nullptr;
  plugin.NotifyWindowClosed();  // unbound: nothing is sent
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].code, 100);
  EXPECT_EQ(sent[0].product, 0x11111111u);
  EXPECT_EQ(sent[0].plugin, 0x22222222u);
  EXPECT_EQ(sent[0].reserved, 0u);
  EXPECT_EQ(sent[0].first_name, nullptr);
}

}  // namespace
}  // namespace rowshift::testing
