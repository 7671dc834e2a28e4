// Switching the plug-in on and off through the exports, as the host does it:
// start-up and shut-down (events 1 and 2), show and ask (100 and 101), the
// user closing the window, unloading, and the state kept in the host's
// settings document between runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "e2e/built_plugin.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/talk_back_control.h"
#include "standin/widget_control.h"
#include "standin/widget_exports.h"
#include "support/standin_settings.h"
#include "support/tool_window.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr int32_t kWindowClosedMessage = 100;
constexpr int32_t kCreateCode = 0x101;
constexpr int32_t kDeleteCode = 0x102;
constexpr int32_t kWriteCode = 0x302;
constexpr std::size_t kToolWidgets = 8;  // window, frame, six buttons

bool Visible(int32_t id) { return WidgetProperty(id, "visible") == "true"; }

// The user drags the window: the host's own record of its position changes.
void MoveWindow(int32_t id, int32_t x, int32_t y) {
  void* x_list[] = {const_cast<char*>("pos_x"), &x, nullptr};
  void* y_list[] = {const_cast<char*>("pos_y"), &y, nullptr};
  MQWidget_Value(id, kWriteCode, x_list);
  MQWidget_Value(id, kWriteCode, y_list);
}

// Requests with `code`, and those of them naming `property`.
std::size_t CountRequests(int32_t code, const std::string& property = "") {
  std::size_t count = 0;
  for (const auto& record : standin::WidgetRequests()) {
    if (record.code == code && (property.empty() || record.Find(property) != nullptr)) ++count;
  }
  return count;
}

class Activation : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::ResetWidgetHost();
    standin::ResetSettingsDocument();
    standin::ClearHostMessages();
    standin::ClearCalls();
    ASSERT_TRUE(plugin_.HasEveryExport());
    ASSERT_EQ(plugin_.BindToStandin(), 1);
  }

  int32_t StartUp() { return plugin_.MQOnEvent(nullptr, kStartUpEvent, nullptr); }
  int32_t ShutDown() { return plugin_.MQOnEvent(nullptr, kShutDownEvent, nullptr); }
  int32_t SetShown(int32_t flag) { return plugin_.MQOnEvent(nullptr, kSetShownEvent, &flag); }
  int32_t IsShown() { return plugin_.MQOnEvent(nullptr, kIsShownEvent, nullptr); }

  BuiltPlugin plugin_;
};

TEST_F(Activation, FirstRunBuildsAHiddenWindowAndSavesItsState) {
  ASSERT_EQ(StartUp(), 1);
  const int32_t window = ToolWindowId();
  ASSERT_NE(window, 0);
  EXPECT_EQ(standin::FindWidget(window)->parent, standin::MainWindowId());
  EXPECT_FALSE(Visible(window));
  EXPECT_EQ(IsShown(), 0);
  EXPECT_EQ(CountRequests(kWriteCode, "pos_x"), 0u);

  MoveWindow(window, 33, 44);
  EXPECT_EQ(ShutDown(), 1);
  EXPECT_THAT(StoredSettings(),
              UnorderedElementsAre(std::pair{"Rowshift_activate", "0"}, std::pair{"PosX", "33"},
                                   std::pair{"PosY", "44"}));
  EXPECT_EQ(ToolWindowId(), 0);
}

TEST_F(Activation, AStoredShownFlagAndPositionPlaceAndShowTheWindow) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  ASSERT_EQ(StartUp(), 1);
  const int32_t window = ToolWindowId();
  EXPECT_EQ(WidgetProperty(window, "pos_x"), "120");
  EXPECT_EQ(WidgetProperty(window, "pos_y"), "80");
  EXPECT_TRUE(Visible(window));
  EXPECT_EQ(IsShown(), 1);
}

// What start-up makes of stored texts: the flag, and where (if anywhere) the
// window is placed.
struct StoredCase {
  const char* what;
  SettingPairs stored;
  bool shown;
  std::optional<std::pair<int32_t, int32_t>> placed;
};

TEST_F(Activation, StoredTextsGiveTheFlagAndThePlace) {
  const std::vector<StoredCase> cases = {
      {"nothing stored", {}, false, std::nullopt},
      {"shown at the origin",
       {{"Rowshift_activate", "1"}, {"PosX", "0"}, {"PosY", "0"}},
       true,
       std::make_pair(0, 0)},
      {"any non-zero flag shows", {{"Rowshift_activate", "2"}}, true, std::nullopt},
      {"an empty flag hides", {{"Rowshift_activate", ""}}, false, std::nullopt},
      {"a flag that is no number hides", {{"Rowshift_activate", "yes"}}, false, std::nullopt},
      {"a negative x is not applied", {{"PosX", "-10"}, {"PosY", "300"}}, false, std::nullopt},
      {"a negative y is not applied", {{"PosX", "300"}, {"PosY", "-10"}}, false, std::nullopt},
      {"a missing y is not applied", {{"PosX", "300"}}, false, std::nullopt},
      {"an empty x is not applied", {{"PosX", ""}, {"PosY", "5"}}, false, std::nullopt},
      {"a coordinate that is no number reads as 0",
       {{"PosX", "left"}, {"PosY", " 7px"}},
       false,
       std::make_pair(0, 7)},
  };
  for (const StoredCase& row : cases) {
    SCOPED_TRACE(row.what);
    standin::ResetWidgetHost();
    StoreSettings(row.stored);
    ASSERT_EQ(StartUp(), 1);
    const int32_t window = ToolWindowId();
    EXPECT_EQ(IsShown(), row.shown ? 1 : 0);
    EXPECT_EQ(Visible(window), row.shown);
    if (row.placed) {
      EXPECT_EQ(WidgetProperty(window, "pos_x"), std::to_string(row.placed->first));
      EXPECT_EQ(WidgetProperty(window, "pos_y"), std::to_string(row.placed->second));
    } else {
      EXPECT_EQ(CountRequests(kWriteCode, "pos_x"), 0u);
      EXPECT_EQ(CountRequests(kWriteCode, "pos_y"), 0u);
    }
    ShutDown();
  }
}

TEST_F(Activation, ANegativeStoredPositionIsOverwrittenWithTheActualOne) {
  StoreSettings({{"PosX", "-10"}, {"PosY", "300"}});
  ASSERT_EQ(StartUp(), 1);
  EXPECT_EQ(CountRequests(kWriteCode, "pos_x") + CountRequests(kWriteCode, "pos_y"), 0u);
  MoveWindow(ToolWindowId(), 15, 25);
  ShutDown();
  EXPECT_EQ(StoredSetting("PosX"), "15");
  EXPECT_EQ(StoredSetting("PosY"), "25");
}

TEST_F(Activation, SwitchingOffHidesTheWindowWithoutTellingTheHost) {
  StoreSettings({{"Rowshift_activate", "1"}});
  ASSERT_EQ(StartUp(), 1);
  ASSERT_EQ(IsShown(), 1);
  EXPECT_EQ(SetShown(0), 0);
  EXPECT_FALSE(Visible(ToolWindowId()));
  EXPECT_EQ(IsShown(), 0);
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 0);
  EXPECT_EQ(SetShown(1), 1);
  EXPECT_TRUE(Visible(ToolWindowId()));
}

TEST_F(Activation, TheUserClosingTheWindowTellsTheHostOnce) {
  StoreSettings({{"Rowshift_activate", "1"}});
  ASSERT_EQ(StartUp(), 1);
  ASSERT_TRUE(standin::SimulateUserClose(ToolWindowId()));
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 1);
  EXPECT_EQ(IsShown(), 0);
  EXPECT_FALSE(standin::SimulateUserClose(ToolWindowId())) << "closed twice";
  EXPECT_EQ(standin::FireEvent(ToolWindowId(), "hide"), 0);
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 1);
  ShutDown();
  EXPECT_EQ(StoredSetting("Rowshift_activate"), "0");
}

TEST_F(Activation, ASecondStartUpReappliesTheFlagButKeepsTheWindowWhereItIs) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  ASSERT_EQ(StartUp(), 1);
  const int32_t window = ToolWindowId();
  MoveWindow(window, 200, 300);
  ASSERT_EQ(SetShown(0), 0);
  standin::ClearWidgetRequests();

  ASSERT_EQ(StartUp(), 1);
  EXPECT_EQ(ToolWindowId(), window);
  EXPECT_EQ(standin::WidgetIds().size(), 1 + kToolWidgets);
  EXPECT_EQ(CountRequests(kCreateCode), 0u);
  EXPECT_EQ(CountRequests(kWriteCode, "pos_x") + CountRequests(kWriteCode, "pos_y"), 0u);
  EXPECT_EQ(WidgetProperty(window, "pos_x"), "200");
  EXPECT_EQ(WidgetProperty(window, "pos_y"), "300");
  EXPECT_EQ(IsShown(), 1);
  EXPECT_TRUE(Visible(window));
}

TEST_F(Activation, AfterShutDownTheSectionHoldsOneElementPerKey) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(StartUp(), 1);
    ShutDown();
  }
  EXPECT_THAT(StoredSettings(),
              UnorderedElementsAre(std::pair{"Rowshift_activate", "1"}, std::pair{"PosX", "120"},
                                   std::pair{"PosY", "80"}));
}

TEST_F(Activation, TheNextRunStartsAsThisOneEnded) {
  ASSERT_EQ(StartUp(), 1);
  ASSERT_EQ(SetShown(1), 1);
  MoveWindow(ToolWindowId(), 50, 60);
  ShutDown();
  plugin_.Release();

  standin::ResetWidgetHost();
  BuiltPlugin next_run;
  ASSERT_EQ(next_run.BindToStandin(), 1);
  ASSERT_EQ(next_run.MQOnEvent(nullptr, kStartUpEvent, nullptr), 1);
  EXPECT_EQ(next_run.MQOnEvent(nullptr, kIsShownEvent, nullptr), 1);
  EXPECT_EQ(WidgetProperty(ToolWindowId(), "pos_x"), "50");
  EXPECT_EQ(WidgetProperty(ToolWindowId(), "pos_y"), "60");
}

TEST_F(Activation, UnloadingWithoutShutDownDeletesTheWindowOnce) {
  ASSERT_EQ(StartUp(), 1);
  const int32_t window = ToolWindowId();
  const std::vector<int32_t> live = standin::WidgetIds();
  ASSERT_EQ(live.size(), 1 + kToolWidgets);
  standin::ClearWidgetRequests();

  plugin_.Release();
  std::map<int32_t, int> deletes;
  for (const auto& record : standin::WidgetRequests()) {
    EXPECT_EQ(record.code, kDeleteCode);
    ++deletes[record.target];
  }
  for (int32_t id : live) {
    EXPECT_EQ(deletes[id], id == standin::MainWindowId() ? 0 : 1) << "widget #" << id;
  }
  EXPECT_EQ(standin::WidgetRequests().back().target, window) << "the window went before its parts";
  EXPECT_EQ(standin::WidgetIds(), std::vector<int32_t>{standin::MainWindowId()});
}

TEST_F(Activation, UnloadingAfterShutDownDeletesNothing) {
  ASSERT_EQ(StartUp(), 1);
  ShutDown();
  standin::ClearWidgetRequests();
  plugin_.Release();
  EXPECT_THAT(standin::WidgetRequests(), IsEmpty());
}

// A host may send events back from inside any host call that start-up, show,
// hide, the user's close and shut-down make: settings calls, widget requests,
// the window-closed message. Each message is tried on every call of the run.
// Nothing breaks, and a last shut-down leaves only the host's main window and
// one element per key.
TEST_F(Activation, EventsSentBackFromInsideItsOwnHostCallsLeaveTheStateWhole) {
  using ::testing::_;
  using ::testing::Pair;
  using Kind = standin::TalkBack::Kind;
  const standin::TalkBack messages[] = {{1, Kind::kEvent, kShutDownEvent},
                                        {1, Kind::kEvent, kStartUpEvent},
                                        {1, Kind::kEvent, kSetShownEvent, 0},
                                        {1, Kind::kEvent, kSetShownEvent, 1},
                                        {1, Kind::kClose},
                                        {1, Kind::kClick, 0, 2}};
  for (const standin::TalkBack& each : messages) {
    for (int call = 1;; ++call) {
      SCOPED_TRACE("kind " + std::to_string(static_cast<int>(each.kind)) + ", event " +
                   std::to_string(each.event) + ", value " + std::to_string(each.value) +
                   ", on call " + std::to_string(call));
      StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
      standin::TalkBack message = each;
      message.after_calls = call;
      standin::TalkBackDuringHostCalls(plugin_.MQOnEvent, {message});
      StartUp();
      SetShown(0);
      SetShown(1);
      if (ToolWindowId() != 0) standin::SimulateUserClose(ToolWindowId());
      ShutDown();
      standin::StopTalkingBack();
      const bool sent_back = !standin::TalkBackAnswers().empty();
      ShutDown();
      EXPECT_EQ(standin::WidgetIds(), std::vector<int32_t>{standin::MainWindowId()});
      EXPECT_THAT(StoredSettings(), UnorderedElementsAre(Pair("Rowshift_activate", _),
                                                         Pair("PosX", _), Pair("PosY", _)));
      if (!sent_back) break;  // past the run's last call
    }
  }
}

TEST_F(Activation, WithoutASettingsElementTheWindowStillComesAndGoes) {
  standin::WithholdPluginSettingsElement(true);
  ASSERT_EQ(StartUp(), 1);
  ASSERT_NE(ToolWindowId(), 0);
  EXPECT_EQ(IsShown(), 0);
  EXPECT_EQ(SetShown(1), 1);
  EXPECT_EQ(ShutDown(), 1);
  EXPECT_EQ(ToolWindowId(), 0);
  EXPECT_EQ(CountRequests(kDeleteCode), kToolWidgets);
  EXPECT_THAT(standin::CallsStartingWith("MQXmlElem_Value"), IsEmpty());
  EXPECT_EQ(SectionInDocument(), nullptr);
}

}  // namespace
}  // namespace rowshift::testing
