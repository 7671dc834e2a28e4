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

#include "e2e/plugin_module.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/widget_control.h"
#include "standin/widget_exports.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using StoredValues = std::map<std::string, std::string>;

constexpr char kSection[] = "Plugin-5D2E7C14-2A6B93F0";
constexpr int32_t kWindowClosedMessage = 100;
constexpr int32_t kCreateCode = 0x101;
constexpr int32_t kDeleteCode = 0x102;
constexpr int32_t kWriteCode = 0x302;
constexpr std::size_t kToolWidgets = 8;  // window, frame, six buttons

// A settings document whose section holds (key, text) pairs, in order.
void StoreSettings(const std::vector<std::pair<std::string, std::string>>& values) {
  standin::SettingsNode section{kSection, std::nullopt, {}};
  for (const auto& [key, text] : values) section.children.push_back({key, text, {}});
  standin::LoadSettingsTree({"root", std::nullopt, {{"pluginsettings", std::nullopt, {section}}}});
}

// The section's elements as key -> text, and how many elements it holds.
struct Section {
  StoredValues values;
  std::size_t elements = 0;
};

Section ReadSection() {
  Section section;
  void* element = standin::SettingsChildNamed(standin::PluginSettingsElement(), kSection);
  for (void* child : standin::SettingsElementChildren(element)) {
    section.values[standin::SettingsElementName(child)] =
        standin::SettingsElementText(child).value_or("");
    ++section.elements;
  }
  return section;
}

int32_t ToolWindowId() {
  for (int32_t id : standin::WidgetIds()) {
    if (id != standin::MainWindowId() && standin::FindWidget(id)->type == "window") return id;
  }
  return 0;
}

// An int or bool property of a live widget as the host keeps it.
std::optional<int32_t> IntProperty(int32_t id, const std::string& key) {
  const auto widget = standin::FindWidget(id);
  if (!widget) return std::nullopt;
  const auto property = widget->properties.find(key);
  if (property == widget->properties.end()) return std::nullopt;
  return property->second.int_value;
}

bool Visible(int32_t id) {
  const auto widget = standin::FindWidget(id);
  return widget && widget->properties.count("visible") != 0 &&
         widget->properties.at("visible").bool_value;
}

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

  PluginModule plugin_;
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
  EXPECT_EQ(ReadSection().values,
            (StoredValues{{"Rowshift_activate", "0"}, {"PosX", "33"}, {"PosY", "44"}}));
  EXPECT_EQ(ToolWindowId(), 0);
}

TEST_F(Activation, AStoredShownFlagAndPositionPlaceAndShowTheWindow) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  ASSERT_EQ(StartUp(), 1);
  const int32_t window = ToolWindowId();
  EXPECT_EQ(IntProperty(window, "pos_x"), 120);
  EXPECT_EQ(IntProperty(window, "pos_y"), 80);
  EXPECT_TRUE(Visible(window));
  EXPECT_EQ(IsShown(), 1);
}

// What start-up makes of stored texts: the flag, and where (if anywhere) the
// window is placed.
struct StoredCase {
  const char* what;
  std::vector<std::pair<std::string, std::string>> stored;
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
      EXPECT_EQ(IntProperty(window, "pos_x"), row.placed->first);
      EXPECT_EQ(IntProperty(window, "pos_y"), row.placed->second);
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
  EXPECT_EQ(ReadSection().values.at("PosX"), "15");
  EXPECT_EQ(ReadSection().values.at("PosY"), "25");
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
  EXPECT_EQ(ReadSection().values.at("Rowshift_activate"), "0");
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
  EXPECT_EQ(IntProperty(window, "pos_x"), 200);
  EXPECT_EQ(IntProperty(window, "pos_y"), 300);
  EXPECT_EQ(IsShown(), 1);
  EXPECT_TRUE(Visible(window));
}

TEST_F(Activation, AfterShutDownTheSectionHoldsOneElementPerKey) {
  StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(StartUp(), 1);
    ShutDown();
  }
  const Section section = ReadSection();
  EXPECT_EQ(section.elements, 3u);
  EXPECT_EQ(section.values,
            (StoredValues{{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}}));
}

TEST_F(Activation, TheNextRunStartsAsThisOneEnded) {
  ASSERT_EQ(StartUp(), 1);
  ASSERT_EQ(SetShown(1), 1);
  MoveWindow(ToolWindowId(), 50, 60);
  ShutDown();
  plugin_.Release();

  standin::ResetWidgetHost();
  PluginModule next_run;
  ASSERT_EQ(next_run.BindToStandin(), 1);
  ASSERT_EQ(next_run.MQOnEvent(nullptr, kStartUpEvent, nullptr), 1);
  EXPECT_EQ(next_run.MQOnEvent(nullptr, kIsShownEvent, nullptr), 1);
  EXPECT_EQ(IntProperty(ToolWindowId(), "pos_x"), 50);
  EXPECT_EQ(IntProperty(ToolWindowId(), "pos_y"), 60);
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
  EXPECT_EQ(standin::SettingsChildNamed(standin::PluginSettingsElement(), kSection), nullptr);
}

}  // namespace
}  // namespace rowshift::testing
