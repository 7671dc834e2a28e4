// The plug-in class itself: identity, the sub-command table's edges, the
// callback record, and show/hide before start-up.
#include "plugin/rowshift.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "plugin/rowshift_window.h"
#include "support/wide_text.h"

namespace rowshift::testing {
namespace {

TEST(RowshiftPlugin, IdentifiersAreWrittenProductFirst) {
  Rowshift plugin;
  uint32_t first = 0;
  uint32_t second = 0;
  plugin.GetIdentifiers(first, second);
  EXPECT_EQ(first, 0x5D2E7C14u);
  EXPECT_EQ(second, 0x2A6B93F0u);
  EXPECT_EQ(plugin.GetKind(), 6);
  EXPECT_EQ(Utf16(plugin.GetDisplayTitle()), u"Rowshift");
}

TEST(RowshiftPlugin, KeysAndTitlesExistOnlyForTheSixRows) {
  Rowshift plugin;
  for (int32_t index : {6, 7, 1 << 30, -1, INT32_MIN}) {
    EXPECT_EQ(plugin.GetSubcommandKey(index), nullptr) << index;
    EXPECT_EQ(plugin.GetSubcommandTitle(index), nullptr) << index;
  }
  EXPECT_STREQ(plugin.GetSubcommandKey(5), "gather");
  EXPECT_EQ(Utf16(plugin.GetSubcommandTitle(0)), u"insert");
}

TEST(RowshiftPlugin, RunSubcommandOutsideTheTableAnswersZero) {
  Rowshift plugin;
  for (int32_t index : {6, -1, INT32_MAX}) EXPECT_EQ(plugin.RunSubcommand(nullptr, index), 0);
}

TEST(RowshiftPlugin, BeforeStartUpItCannotBeShown) {
  Rowshift plugin;
  EXPECT_EQ(plugin.SetShown(nullptr, 1), 0);
  EXPECT_EQ(plugin.IsShown(nullptr), 0);
}

// Rowshift with one operation that shows which argument reached it.
class CallbackTarget : public Rowshift {
 public:
  int32_t HandleEvent105(void* document) override {
    received = document;
    return 42;
  }
  void* received = nullptr;
};

TEST(RowshiftPlugin, RunCallbackInvokesTheRecordsOperationOnThisObject) {
  CallbackTarget plugin;
  int argument = 0;
  CallbackRecord record{&MQStationPlugin::HandleEvent105};
  EXPECT_EQ(plugin.RunCallback(&argument, &record), 42);
  EXPECT_EQ(plugin.received, &argument);
}

TEST(RowshiftPlugin, RunCallbackWithoutOperationAnswersZero) {
  CallbackTarget plugin;
  CallbackRecord empty{nullptr};
  EXPECT_EQ(plugin.RunCallback(nullptr, &empty), 0);
  EXPECT_EQ(plugin.RunCallback(nullptr, nullptr), 0);
  EXPECT_EQ(plugin.received, nullptr);
}

}  // namespace
}  // namespace rowshift::testing
