// Events 260, 261 and 262: decoding of their structured arguments, what the
// operation receives and what is written back.
#include "plugin/structured_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/station_events.h"
#include "support/host_list.h"
#include "support/recording_station.h"

namespace rowshift::testing {
namespace {

char document_object, destination, source, object, vertid, faceid, block, copied;
void* const kDocument = &document_object;

// Words the dispatcher must never read: the second word of a record and of
// each entry. Reading them would pass this value on.
constexpr uint32_t kPoison = 0xDEADBEEF;

class StructuredEvents : public ::testing::Test {
 protected:
  StructuredEvents() {
    const std::pair<const void*, const char*> labels[] = {
        {kDocument, "doc"},  {&destination, "dst"}, {&source, "src"},  {&object, "object"},
        {&vertid, "vertid"}, {&faceid, "faceid"},   {&block, "block"}, {&copied, "copied"}};
    for (const auto& [pointer, label] : labels) plugin.Label(pointer, label);
  }

  int32_t Send(int32_t event, void* argument) {
    return DispatchStationEvent(plugin, kDocument, event, argument).value_or(0);
  }

  RecordingStation plugin;
};

// ---- Event 260 ----

struct TypeRow {
  const char* type;
  bool answer;
  std::string expected_call;  // empty: no call
  int32_t expected_result;
};

TEST_F(StructuredEvents, Event260StoresTheFormCodeOfATrueAnswer) {
  const TypeRow rows[] = {
      {"vertex", true, "HandleEvent260(doc, dst, src, 0, 3)", 1},
      {"apex", true, "HandleEvent260(doc, dst, src, 1, 3)", 2},
      {"vertex", false, "HandleEvent260(doc, dst, src, 0, 3)", 0},
      {"apex", false, "HandleEvent260(doc, dst, src, 1, 3)", 0},
      {"Vertex", true, "", kUntouched32},
      {"edge", true, "", kUntouched32},
  };
  for (const TypeRow& row : rows) {
    SCOPED_TRACE(std::string(row.type) + (row.answer ? " true" : " false"));
    plugin.calls.clear();
    plugin.bool_answer = row.answer;
    HostList list;
    list.Text("type", row.type).Int("reason", 3).Add("dstobj", &destination).Add("srcobj", &source);
    int32_t* result = list.Out32("result");
    EXPECT_EQ(Send(260, list.Slots()), 1);
    EXPECT_EQ(*result, row.expected_result);
    const std::vector<std::string> expected_calls =
        row.expected_call.empty() ? std::vector<std::string>{}
                                  : std::vector<std::string>{row.expected_call};
    EXPECT_EQ(plugin.calls, expected_calls);
  }
}

TEST_F(StructuredEvents, Event260WritesTheResultAs32Bits) {
  plugin.bool_answer = true;
  int32_t result[2] = {kUntouched32, kUntouched32};
  HostList list;
  list.Text("type", "apex").Add("result", &result[0]);
  EXPECT_EQ(Send(260, list.Slots()), 1);
  EXPECT_EQ(result[0], 2);
  EXPECT_EQ(result[1], kUntouched32);
}

TEST_F(StructuredEvents, Event260DefaultsReasonToZeroAndObjectsToNull) {
  HostList list;
  list.Text("type", "apex");
  list.Out32("result");
  Send(260, list.Slots());
  EXPECT_EQ(plugin.calls, std::vector<std::string>{"HandleEvent260(doc, null, null, 1, 0)"});
}

TEST_F(StructuredEvents, Event260WithoutTypeOrResultAnswersZeroAndCallsNothing) {
  HostList without_result;
  without_result.Text("type", "vertex");
  HostList without_type;
  int32_t* result = without_type.Out32("result");
  EXPECT_EQ(Send(260, without_result.Slots()), 0);
  EXPECT_EQ(Send(260, without_type.Slots()), 0);
  EXPECT_EQ(Send(260, nullptr), 0);
  EXPECT_EQ(*result, kUntouched32);
  EXPECT_TRUE(plugin.calls.empty());
}

// A station that keeps every default operation.
class DefaultStation : public MQStationPlugin {
 public:
  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override { product = plugin = 0; }
  const char* GetNameText() override { return "default"; }
  int32_t GetKind() override { return 6; }
};

TEST(DefaultStationEvents, RecognisedTypesStoreZeroAndQueriesAnswerTheByteZero) {
  DefaultStation plugin;
  for (const char* type : {"vertex", "apex"}) {
    HostList list;
    list.Text("type", type);
    int32_t* result = list.Out32("result");
    EXPECT_EQ(DispatchStationEvent(plugin, kDocument, 260, list.Slots()), 1);
    EXPECT_EQ(*result, 0) << type;
  }
  HostList query;
  unsigned char* reply = query.OutByte("query");
  EXPECT_EQ(DispatchStationEvent(plugin, kDocument, 262, query.Slots()), 1);
  EXPECT_EQ(*reply, 0);
}

// ---- Event 261 ----

// A host record: header words, then each entry's words. Word 1 of the record
// and of each entry is poison.
std::vector<uint32_t> VertexRecord(int32_t count) {
  std::vector<uint32_t> words = {10, kPoison, 20, static_cast<uint32_t>(count)};
  for (int32_t entry = 0; entry < count; ++entry) {
    const uint32_t base = 100 * (entry + 1);
    words.insert(words.end(), {base, kPoison, base + 2, base + 3});
  }
  return words;
}

std::vector<uint32_t> ApexRecord(int32_t count) {
  std::vector<uint32_t> words = {10, kPoison, 20, 30, static_cast<uint32_t>(count)};
  for (int32_t entry = 0; entry < count; ++entry) {
    const uint32_t base = 100 * (entry + 1);
    words.insert(words.end(), {base, kPoison, base + 2, base + 3, base + 4});
  }
  return words;
}

std::vector<std::vector<uint32_t>> ExpectedVertexItems(int32_t count) {
  std::vector<std::vector<uint32_t>> items;
  for (int32_t entry = 0; entry < count; ++entry) {
    const uint32_t base = 100 * (entry + 1);
    items.push_back({base, base + 2, base + 3});
  }
  return items;
}

std::vector<std::vector<uint32_t>> ExpectedApexItems(int32_t count) {
  std::vector<std::vector<uint32_t>> items;
  for (int32_t entry = 0; entry < count; ++entry) {
    const uint32_t base = 100 * (entry + 1);
    items.push_back({base, base + 2, base + 3, base + 4});
  }
  return items;
}

// Counts the heap buffers asked for, and their sizes.
std::vector<std::size_t> requested_counts;

template <typename Entry>
Entry* CountingEntries(std::size_t count) {
  requested_counts.push_back(count);
  return new Entry[count]();
}

template <typename Entry>
Entry* NoEntries(std::size_t count) {
  requested_counts.push_back(count);
  return nullptr;
}

const EntryAllocator kCountingAllocator{&CountingEntries<VertexEntry>, &CountingEntries<ApexEntry>};
const EntryAllocator kFailingAllocator{&NoEntries<VertexEntry>, &NoEntries<ApexEntry>};

int32_t Send261(RecordingStation& plugin, const char* form, std::vector<uint32_t>& record,
                const EntryAllocator& allocator) {
  HostList list;
  list.Add(form, record.data());
  return DispatchEvent261(plugin, kDocument, NameValueList(list.Slots()), allocator);
}

TEST_F(StructuredEvents, Event261PassesEntriesWithoutTheirSecondWord) {
  using Items = std::vector<std::vector<uint32_t>>;
  struct FormCase {
    const char* form;
    std::vector<uint32_t> (*record)(int32_t count);
    const char* call;  // the operation's call, less the count
    Items (*expected)(int32_t count);
  };
  const FormCase forms[] = {
      {"vertex", VertexRecord, "HandleEvent261Vertex(doc, 10, 20, ", ExpectedVertexItems},
      {"apex", ApexRecord, "HandleEvent261Apex(doc, 10, 20, 30, ", ExpectedApexItems},
  };
  for (const FormCase& form : forms) {
    for (int32_t count : {1, 4, 5, 9}) {
      SCOPED_TRACE(std::string(form.form) + " " + std::to_string(count));
      std::vector<uint32_t> record = form.record(count);
      EXPECT_EQ(Send261(plugin, form.form, record, kCountingAllocator), 1);
      EXPECT_EQ(plugin.calls.back(), form.call + std::to_string(count) + ")");
      EXPECT_EQ(plugin.items, form.expected(count));
    }
  }
}

TEST_F(StructuredEvents, Event261UsesTheFixedBufferForFourAndAnExactHeapBufferForFive) {
  requested_counts.clear();
  std::vector<uint32_t> four = VertexRecord(4);
  std::vector<uint32_t> five = VertexRecord(5);
  std::vector<uint32_t> five_apexes = ApexRecord(5);
  Send261(plugin, "vertex", four, kCountingAllocator);
  EXPECT_TRUE(requested_counts.empty());
  Send261(plugin, "vertex", five, kCountingAllocator);
  Send261(plugin, "apex", five_apexes, kCountingAllocator);
  EXPECT_EQ(requested_counts, (std::vector<std::size_t>{5, 5}));
}

TEST_F(StructuredEvents, Event261WithCountZeroOrLessReadsNoEntry) {
  for (int32_t count : {0, -3}) {
    // The record ends at its count: an entry read would run past it.
    std::vector<uint32_t> record = {10, kPoison, 20, static_cast<uint32_t>(count)};
    EXPECT_EQ(Send261(plugin, "vertex", record, kCountingAllocator), 1);
    EXPECT_EQ(plugin.calls.back(),
              "HandleEvent261Vertex(doc, 10, 20, " + std::to_string(count) + ")");
    EXPECT_TRUE(plugin.items.empty());
  }
}

TEST_F(StructuredEvents, Event261WithoutHeapBufferAnswersZeroAndCallsNothing) {
  requested_counts.clear();
  std::vector<uint32_t> vertices = VertexRecord(5);
  std::vector<uint32_t> apexes = ApexRecord(6);
  EXPECT_EQ(Send261(plugin, "vertex", vertices, kFailingAllocator), 0);
  EXPECT_EQ(Send261(plugin, "apex", apexes, kFailingAllocator), 0);
  EXPECT_EQ(requested_counts, (std::vector<std::size_t>{5, 6}));
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, Event261TakesTheFormFromTheFirstPairWithoutSearching) {
  std::vector<uint32_t> record = VertexRecord(1);
  HostList list;
  list.Add("apex", nullptr).Add("vertex", record.data());
  EXPECT_EQ(Send(261, list.Slots()), 0);  // the first pair's record is null
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, Event261WithAnUnknownFormAnswersOneAndCallsNothing) {
  std::vector<uint32_t> record = VertexRecord(1);
  HostList list;
  list.Add("Vertex", record.data());
  EXPECT_EQ(Send(261, list.Slots()), 1);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, Event261WithAnUnknownFormNeverReadsItsValue) {
  HostList list;
  list.Add("edge", nullptr);
  EXPECT_EQ(Send(261, list.Slots()), 1);
  HostList unreadable;
  unreadable.Add("edge", reinterpret_cast<void*>(0x10));
  EXPECT_EQ(Send(261, unreadable.Slots()), 1);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, Event261WithoutAFirstPairAnswersZero) {
  HostList empty;
  EXPECT_EQ(Send(261, empty.Slots()), 0);
  EXPECT_EQ(Send(261, nullptr), 0);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, Event261ThroughTheDispatcherUsesTheHeap) {
  std::vector<uint32_t> record = ApexRecord(7);
  HostList list;
  list.Add("apex", record.data());
  EXPECT_EQ(Send(261, list.Slots()), 1);
  EXPECT_EQ(plugin.items, ExpectedApexItems(7));
}

// ---- Event 262 ----

TEST_F(StructuredEvents, QueryStoresTheAnswerAsOneByte) {
  for (bool answer : {true, false}) {
    plugin.calls.clear();
    plugin.bool_answer = answer;
    HostList list;
    unsigned char* reply = list.OutByte("query");
    list.Int("numvert", 4).Int("numline", 5).Int("numface", 6);
    EXPECT_EQ(Send(262, list.Slots()), 1);
    EXPECT_EQ(*reply, answer ? 1 : 0);
    EXPECT_EQ(plugin.calls, std::vector<std::string>{
                                "HandleEvent262(doc, null, 0, {4, 5, 6, null, 0, null, null})"});
  }
}

TEST_F(StructuredEvents, QueryWritesOneByteOnly) {
  plugin.bool_answer = true;
  unsigned char reply[2] = {kUntouchedByte, kUntouchedByte};
  HostList list;
  list.Add("query", &reply[0]);
  EXPECT_EQ(Send(262, list.Slots()), 1);
  EXPECT_EQ(reply[0], 1);
  EXPECT_EQ(reply[1], kUntouchedByte);
}

TEST_F(StructuredEvents, QueryKeepsTheLastOfTwoEqualNames) {
  HostList list;
  list.OutByte("query");
  list.Int("numvert", 1).Int("numvert", 2);
  Send(262, list.Slots());
  EXPECT_EQ(plugin.calls, std::vector<std::string>{
                              "HandleEvent262(doc, null, 0, {2, 0, 0, null, 0, null, null})"});
}

TEST_F(StructuredEvents, QueryWithoutItsReplyByteAnswersZeroAndCallsNothing) {
  HostList list;
  list.Add("query", nullptr).Int("numvert", 1);
  EXPECT_EQ(Send(262, list.Slots()), 0);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, CopyAndCutHandTheBlockBackWhenTheOperationAnswersTrue) {
  for (const char* mode : {"copy", "cut"}) {
    SCOPED_TRACE(mode);
    plugin.calls.clear();
    plugin.bool_answer = true;
    plugin.copy_data = &copied;
    plugin.copy_size = 77;
    HostList list;
    void** data = list.OutPointer(mode);
    int32_t* size = list.Out32("size");
    list.Add("object", &object).Add("vertid", &vertid).Add("faceid", &faceid);
    EXPECT_EQ(Send(262, list.Slots()), 1);
    EXPECT_EQ(*data, &copied);
    EXPECT_EQ(*size, 77);
    EXPECT_EQ(plugin.calls,
              std::vector<std::string>{
                  "HandleEvent262(doc, object, 1, {0, 0, 0, null, 0, vertid, faceid})"});
  }
}

TEST_F(StructuredEvents, CopyWritesAPointerSizedBlockAndA32BitSize) {
  plugin.bool_answer = true;
  plugin.copy_data = nullptr;
  plugin.copy_size = 0;
  HostList list;
  void** data = list.OutPointer("copy");
  int32_t size[2] = {kUntouched32, kUntouched32};
  list.Add("size", &size[0]);
  EXPECT_EQ(Send(262, list.Slots()), 1);
  EXPECT_EQ(*data, nullptr) << "every byte of the block pointer is written";
  EXPECT_EQ(size[0], 0);
  EXPECT_EQ(size[1], kUntouched32);
}

TEST_F(StructuredEvents, CopyAnsweredFalseWritesNothingAndAnswersOne) {
  plugin.bool_answer = false;
  HostList list;
  void** data = list.OutPointer("copy");
  int32_t* size = list.Out32("size");
  EXPECT_EQ(Send(262, list.Slots()), 1);
  EXPECT_EQ(*data, kUntouchedPointer);
  EXPECT_EQ(*size, kUntouched32);
  EXPECT_EQ(plugin.calls.size(), 1u);
}

TEST_F(StructuredEvents, CopyWithoutSizeOrBlockSlotAnswersZeroAndCallsNothing) {
  plugin.bool_answer = true;
  HostList without_size;
  void** data = without_size.OutPointer("cut");
  without_size.Add("object", &object);
  HostList without_slot;
  without_slot.Add("copy", nullptr);
  int32_t* size = without_slot.Out32("size");
  EXPECT_EQ(Send(262, without_size.Slots()), 0);
  EXPECT_EQ(Send(262, without_slot.Slots()), 0);
  EXPECT_EQ(*data, kUntouchedPointer);
  EXPECT_EQ(*size, kUntouched32);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, CopyScanTakesTheLastSizeAndObject) {
  plugin.bool_answer = true;
  plugin.copy_size = 5;
  HostList list;
  list.OutPointer("copy");
  int32_t* first_size = list.Out32("size");
  list.Add("object", &source).Add("object", &object);
  int32_t* last_size = list.Out32("size");
  Send(262, list.Slots());
  EXPECT_EQ(*first_size, kUntouched32);
  EXPECT_EQ(*last_size, 5);
  EXPECT_EQ(plugin.calls.back().rfind("HandleEvent262(doc, object, 1,", 0), 0u);
}

TEST_F(StructuredEvents, PastePassesTheBlockAndItsSize) {
  HostList list;
  list.Add("paste", &block).Int("size", 12).Add("object", &object);
  EXPECT_EQ(Send(262, list.Slots()), 1);
  HostList without_size;
  without_size.Add("paste", &block);
  EXPECT_EQ(Send(262, without_size.Slots()), 1);
  EXPECT_EQ(plugin.calls, (std::vector<std::string>{
                              "HandleEvent262(doc, object, 2, {0, 0, 0, block, 12, null, null})",
                              "HandleEvent262(doc, null, 2, {0, 0, 0, block, 0, null, null})"}));
}

TEST_F(StructuredEvents, PasteIgnoresTheOperationsAnswer) {
  plugin.bool_answer = true;
  HostList list;
  list.Add("paste", &block);
  int32_t* size = list.Out32("size");
  EXPECT_EQ(Send(262, list.Slots()), 1);
  EXPECT_EQ(*size, kUntouched32);
  EXPECT_EQ(plugin.calls.size(), 1u);
}

TEST_F(StructuredEvents, Event262ModeComesOnlyFromTheFirstPair) {
  HostList list;
  list.Int("size", 3).OutByte("query");
  EXPECT_EQ(Send(262, list.Slots()), 0);
  EXPECT_TRUE(plugin.calls.empty());
}

TEST_F(StructuredEvents, Event262UnknownModeOrNoFirstPairAnswersZero) {
  HostList unknown;
  unsigned char* reply = unknown.OutByte("Query");
  HostList empty;
  EXPECT_EQ(Send(262, unknown.Slots()), 0);
  EXPECT_EQ(Send(262, empty.Slots()), 0);
  EXPECT_EQ(Send(262, nullptr), 0);
  EXPECT_EQ(*reply, kUntouchedByte);
  EXPECT_TRUE(plugin.calls.empty());
}

}  // namespace
}  // namespace rowshift::testing
