// The identity and string queries behind the exports.
#include "exports/plugin_queries.h"

#include <gtest/gtest.h>

#include "plugin/import_plugin.h"
#include "support/recording_station.h"

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

}  // namespace
}  // namespace rowshift::testing
