// Start-up and shut-down in process: the order of their host calls, and what
// they do when the host gives no settings or no window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "boundary/host_functions.h"
#include "plugin/rowshift.h"
#include "plugin/rowshift_window.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/widget_control.h"
#include "standin/widget_exports.h"
#include "support/standin_in_process.h"
#include "support/standin_settings.h"
#include "support/tool_window.h"
#include "support/widget_request_lines.h"
#include "widgets/widget_registry.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr int32_t kWindowClosedMessage = 100;

// The calls that carry the persisted state and the window's visibility and
// position; building the window's contents is tested with the window.
std::vector<std::string> StateCalls() {
  std::vector<std::string> kept;
  for (const std::string& line : standin::Calls()) {
    for (const char* word : {"Rowshift_activate", "PosX", "PosY", "pos_x", "pos_y", "visible",
                             "MQ_SendMessage", "SystemWidget", "type=\"window\"", "Delete"}) {
      if (line.find(word) != std::string::npos) {
        kept.push_back(line);
        break;
      }
    }
  }
  return kept;
}

class ActivationOrderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    plugin_.ShutDown();
    EXPECT_THAT(WrappedWidgetIds(), IsEmpty()) << "a wrapper outlived its test";
  }

  PluginTestHost host_;
  Rowshift plugin_;
};

TEST_F(ActivationOrderTest, StartUpReadsFlagThenPositionThenBuildsPlacesAndShows) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  standin::ClearCalls();
  ASSERT_EQ(plugin_.StartUp(), 1);
  EXPECT_THAT(
      StateCalls(),
      ElementsAre(
          "MQ_SendMessage(505, 5D2E7C14, 2A6B93F0) -> 0",
          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"Rowshift_activate\") -> 1",
          "MQXmlElem_Value(Rowshift_activate, 0x302) -> 1",
          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
          "MQXmlElem_Value(PosX, 0x302) -> 1",
          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosY\") -> 1",
          "MQXmlElem_Value(PosY, 0x302) -> 1",
          "MQWidget_Value(#0, SystemWidget, system=\"main_window\", result=-1 (now 1)) -> 1",
          "MQWidget_Value(#0, Create, type=\"window\", id=0 (now 2)) -> 1",
          "MQWidget_Value(#2, Write, pos_x=120) -> 1", "MQWidget_Value(#2, Write, pos_y=80) -> 1",
          "MQWidget_Value(#2, Write, visible=true) -> 1"));
  EXPECT_EQ(plugin_.IsShown(nullptr), 1);
}

TEST_F(ActivationOrderTest, ShutDownSavesTheFlagBeforeThePositionAndDeletesLast) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  ASSERT_EQ(plugin_.StartUp(), 1);
  standin::ClearCalls();
  plugin_.ShutDown();
  const std::vector<std::string> calls = StateCalls();
  constexpr std::size_t kSaveCalls = 18;
  constexpr std::size_t kDeletes = 8;  // frame and six buttons in address order, then the window
  ASSERT_EQ(calls.size(), kSaveCalls + kDeletes);
  EXPECT_THAT(
      std::vector<std::string>(calls.begin(), calls.begin() + kSaveCalls),
      ElementsAre("MQ_SendMessage(505, 5D2E7C14, 2A6B93F0) -> 0",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"Rowshift_activate\") -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"Rowshift_activate\") -> 1",
                  "MQXmlElem_Value(Rowshift_activate, 0x402, \"1\") -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x102, Rowshift_activate, 0) -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"Rowshift_activate\") -> 1",
                  "MQWidget_Value(#2, Read, pos_x=0 (now 120)) -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"PosX\") -> 1",
                  "MQXmlElem_Value(PosX, 0x402, \"120\") -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x102, PosX, 0) -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                  "MQWidget_Value(#2, Read, pos_y=0 (now 80)) -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosY\") -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"PosY\") -> 1",
                  "MQXmlElem_Value(PosY, 0x402, \"80\") -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x102, PosY, 0) -> 1",
                  "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosY\") -> 1"));
  for (std::size_t call = kSaveCalls; call < calls.size(); ++call) {
    EXPECT_THAT(calls[call], ::testing::EndsWith(", Delete) -> 1"));
  }
  EXPECT_EQ(calls.back(), "MQWidget_Value(#2, Delete) -> 1");
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
}

// A host that refuses every add at shut-down must not cost the stored values:
// the old elements stay as they were, one per key.
TEST_F(ActivationOrderTest, AShutDownWhoseAddsAllFailKeepsTheStoredSettings) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  ASSERT_EQ(plugin_.StartUp(), 1);
  ASSERT_EQ(plugin_.SetShown(nullptr, 0), 0);
  standin::FailAddChildElement(true);
  plugin_.ShutDown();

  EXPECT_THAT(StoredSettings(), ElementsAre(std::pair{"Rowshift_activate", "1"},
                                            std::pair{"PosX", "120"}, std::pair{"PosY", "80"}));
}

// A host may shut the plug-in down, or start it again, from inside any call
// that start-up or shut-down makes: the settings message, an element call, a
// position written or read. Each call is tried in turn. Nothing is touched
// after the window is gone, and a last shut-down leaves no window, no wrapper
// and one element per key.
TEST_F(ActivationOrderTest, AStartOrShutDownFromInsideEitherLeavesNoWindowBehind) {
  using ::testing::_;
  using ::testing::Pair;
  struct Case {
    const char* name;
    bool during_start_up;
    bool starts_again;
  };
  const Case cases[] = {{"shut down during start-up", true, false},
                        {"shut down during shut-down", false, false},
                        {"started during start-up", true, true},
                        {"started during shut-down", false, true}};
  for (const Case& each : cases) {
    for (int call = 1;; ++call) {
      SCOPED_TRACE(std::string(each.name) + " on call " + std::to_string(call));
      StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
      if (!each.during_start_up) {
        ASSERT_EQ(plugin_.StartUp(), 1);
      }
      host_.CallBackDuring(call, [&] {
        if (each.starts_again) {
          plugin_.StartUp();
        } else {
          plugin_.ShutDown();
        }
      });
      if (each.during_start_up) {
        EXPECT_EQ(plugin_.StartUp(), 1);
      } else {
        plugin_.ShutDown();
      }
      const bool called_back = host_.CalledBack();
      host_.CallBackDuring(0, nullptr);
      plugin_.ShutDown();
      EXPECT_THAT(WrappedWidgetIds(), IsEmpty());
      EXPECT_THAT(standin::WidgetIds(), ElementsAre(standin::MainWindowId()));
      EXPECT_THAT(StoredSettings(), UnorderedElementsAre(Pair("Rowshift_activate", _),
                                                         Pair("PosX", _), Pair("PosY", _)));
      if (!called_back) break;  // past the last call
    }
  }
}

TEST_F(ActivationOrderTest, HidingBySetShownIsNotTakenForTheUserClosing) {
  ASSERT_EQ(plugin_.StartUp(), 1);
  ASSERT_EQ(plugin_.SetShown(nullptr, 1), 1);
  standin::ClearCalls();
  standin::ClearHostMessages();
  EXPECT_EQ(plugin_.SetShown(nullptr, 0), 0);
  EXPECT_THAT(StateCalls(), ElementsAre("MQWidget_Value(#2, Write, visible=false) -> 1"));
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
}

TEST_F(ActivationOrderTest, SetShownAnswersTheNewFlagForAnyNonZeroValue) {
  ASSERT_EQ(plugin_.StartUp(), 1);
  EXPECT_EQ(plugin_.SetShown(nullptr, -7), 1);
  EXPECT_EQ(plugin_.IsShown(nullptr), 1);
  EXPECT_EQ(standin::FindWidget(ToolWindowId())->properties.at("visible").bool_value, true);
}

TEST_F(ActivationOrderTest, WithoutSettingsStartUpBuildsAHiddenWindowAndShutDownSavesNothing) {
  standin::WithholdPluginSettingsElement(true);
  standin::ClearCalls();
  ASSERT_EQ(plugin_.StartUp(), 1);
  EXPECT_NE(ToolWindowId(), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_THAT(standin::CallsStartingWith("MQXmlElem_Value"), IsEmpty());
  EXPECT_THAT(
      StateCalls(),
      ElementsAre(
          "MQ_SendMessage(505, 5D2E7C14, 2A6B93F0) -> 0",
          "MQWidget_Value(#0, SystemWidget, system=\"main_window\", result=-1 (now 1)) -> 1",
          "MQWidget_Value(#0, Create, type=\"window\", id=0 (now 2)) -> 1",
          "MQWidget_Value(#2, Write, visible=false) -> 1"));

  ASSERT_EQ(plugin_.SetShown(nullptr, 1), 1);
  standin::ClearCalls();
  plugin_.ShutDown();
  EXPECT_THAT(standin::CallsStartingWith("MQXmlElem_Value"), IsEmpty());
  EXPECT_THAT(BriefRequests(), ::testing::Not(::testing::Contains(::testing::HasSubstr("Read"))));
  EXPECT_EQ(ToolWindowId(), 0) << "the window outlived shut-down";
  EXPECT_EQ(standin::ReadSettingsTree().children.at(0).children.size(), 0u);
}

TEST_F(ActivationOrderTest, ShutDownWithoutAWindowSavesTheFlagAndReadsNoPosition) {
  plugin_.ShutDown();
  EXPECT_THAT(standin::CallsStartingWith("MQWidget_Value"), IsEmpty());
  ASSERT_NE(SectionInDocument(), nullptr);
  EXPECT_THAT(StoredSettings(), ElementsAre(std::pair{"Rowshift_activate", "0"}));
}

TEST_F(ActivationOrderTest, ShowAndAskBeforeStartUpAnswerZero) {
  EXPECT_EQ(plugin_.SetShown(nullptr, 1), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_THAT(standin::Calls(), IsEmpty());
}

TEST_F(ActivationOrderTest, ASectionTheHostCouldNotAddGivesTheDefaults) {
  standin::FailAddChildElement(true);
  ASSERT_EQ(plugin_.StartUp(), 1);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_THAT(StateCalls(), ::testing::Not(::testing::Contains(::testing::HasSubstr("pos_"))));
  plugin_.ShutDown();
  EXPECT_EQ(ToolWindowId(), 0);
}

// A window the host refused to create still answers show and ask by the flag,
// and shut-down saves that flag but keeps the stored position: the window has
// no position to give.
TEST_F(ActivationOrderTest, AWindowTheHostRefusedStillReportsTheStoredShownFlag) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  standin::FailCreatesOfType("window");
  EXPECT_EQ(plugin_.StartUp(), 1);
  EXPECT_EQ(ToolWindowId(), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 1);
  EXPECT_EQ(plugin_.SetShown(nullptr, 0), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  standin::ClearWidgetRequests();
  plugin_.ShutDown();
  EXPECT_THAT(BriefRequests(), ::testing::Not(::testing::Contains(::testing::HasSubstr("Read"))));
  EXPECT_THAT(StoredSettings(),
              UnorderedElementsAre(std::pair{"Rowshift_activate", "0"}, std::pair{"PosX", "120"},
                                   std::pair{"PosY", "80"}));
}

// A host's answer to a widget request means nothing, and a host may answer 0
// to every one: a window the user moved to the left edge still has its
// position saved, 0 included.
int32_t ROWSHIFT_CALL AnswerZeroToEveryRequest(int32_t target, int32_t code, void** list) {
  MQWidget_Value(target, code, list);
  return 0;
}

TEST_F(ActivationOrderTest, ThePositionReadIsSavedWhateverTheHostAnswers) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  ASSERT_EQ(plugin_.StartUp(), 1);
  HostFunctions().MQWidget_Value = &AnswerZeroToEveryRequest;
  int32_t left_edge = 0;
  void* moved[] = {const_cast<char*>("pos_x"), &left_edge, nullptr};
  MQWidget_Value(ToolWindowId(), static_cast<int32_t>(WidgetRequest::Write), moved);
  plugin_.ShutDown();
  EXPECT_THAT(StoredSettings(),
              UnorderedElementsAre(std::pair{"Rowshift_activate", "1"}, std::pair{"PosX", "0"},
                                   std::pair{"PosY", "80"}));
}

// Without the widget entry point the window is still made, so show and ask
// answer as after any start-up; its requests simply reach no host.
TEST_F(ActivationOrderTest, WithoutTheWidgetEntryPointStartUpStillMakesTheWindow) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  HostFunctions().MQWidget_Value = nullptr;
  EXPECT_EQ(plugin_.StartUp(), 1);
  EXPECT_EQ(plugin_.IsShown(nullptr), 1);
  EXPECT_EQ(plugin_.SetShown(nullptr, 0), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_EQ(plugin_.SetShown(nullptr, 1), 1);
  plugin_.ShutDown();
  EXPECT_THAT(standin::CallsStartingWith("MQWidget_Value"), IsEmpty());
  EXPECT_EQ(ToolWindowId(), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_THAT(StoredSettings(),
              UnorderedElementsAre(std::pair{"Rowshift_activate", "1"}, std::pair{"PosX", "120"},
                                   std::pair{"PosY", "80"}));
}

}  // namespace
}  // namespace rowshift::testing
