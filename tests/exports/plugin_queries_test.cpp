// The identity and string queries behind the exports, and the window-closed
// message of the station base.
#include "exports/plugin_queries.h"

#include <gtest/gtest.h>

#include <vector>

#include "boundary/host_functions.h"
#include "exports/recording_station.h"
#include "plugin/import_plugin.h"

namespace rowshift::testing {
namespace {

TEST(CheckVersion, RefusesHostsBelowTheOldestSupportedVersion) {
  const std::pair<uint32_t, uint32_t> rows[] = {
      {0, 0},           {0x4701, 0},          {0x4702, 0x0472},
      {0x4703, 0x0472}, {0x7FFFFFFF, 0x0472}, {0xFFFFFFFF, 0x0472}};
  for (const auto& [version, answer] : rows) EXPECT_EQ(CheckVersion(version), answer) << version;
}

TEST(ReportIdentifiers, WritesProductFirstAndSkipsNullPointers) {
  RecordingStation plugin;
  uint32_t product = 0;
  uint32_t id = 0;
  ReportIdentifiers(plugin, &product, &id);
  EXPECT_EQ(product, 0x11111111u);
  EXPECT_EQ(id, 0x22222222u);
  ReportIdentifiers(plugin, nullptr, nullptr);
}

class KindStation : public RecordingStation {
 public:
  explicit KindStation(int32_t kind) : kind_(kind) {}
  int32_t GetKind() override { return kind_; }

 private:
  int32_t kind_;
};

TEST(EnumDisplayString, SingleTitleKindsGiveTheTitleForIndexZeroOnly) {
  for (int32_t kind : {6, 7}) {
    KindStation plugin(kind);
    EXPECT_EQ(EnumDisplayString(plugin, 0), RecordingStation::kTitle) << kind;
    EXPECT_EQ(EnumDisplayString(plugin, 1), nullptr);
    EXPECT_EQ(EnumDisplayString(plugin, -1), nullptr);
  }
}

TEST(EnumDisplayString, OtherKindsGiveNullWithoutAskingForTheTitle) {
  for (int32_t kind : {0, 1, 2, 3, 4, 5, 8}) {
    KindStation plugin(kind);
    EXPECT_EQ(EnumDisplayString(plugin, 0), nullptr) << kind;
    EXPECT_TRUE(plugin.calls.empty());
  }
}

TEST(FileKindQueries, AnswerNullOrZero) {
  EXPECT_EQ(NoFileString(0), nullptr);
  EXPECT_EQ(NoFileString(-1), nullptr);
  EXPECT_EQ(NoFileOperation(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(NoMainOperation(nullptr, nullptr), 0);
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

int32_t ROWSHIFT_CALL RecordMessage(int32_t code, HostMessage* message) {
  sent.push_back({code, message->product, message->plugin, message->reserved, message->list[0]});
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
