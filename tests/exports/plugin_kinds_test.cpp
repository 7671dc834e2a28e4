// The kind tests of event dispatch: command events reach only a command
// plug-in, the fallback serves only an import plug-in, and a null plug-in answers 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exports/on_event_dispatch.h"
#include "plugin/command_plugin.h"
#include "plugin/import_plugin.h"
#include "support/host_list.h"
#include "support/recording_station.h"

namespace rowshift::testing {
namespace {

char scene;
void* const kDocument = &scene + 1;
constexpr int32_t kCommandAnswer = 42;

std::string Describe(int32_t event, void* scene_value, int32_t key, const PointerState& p) {
  return std::to_string(event) + (scene_value == &scene ? " scene" : " null") +
         " key=" + std::to_string(key) + " at " + std::to_string(p.x) + "," + std::to_string(p.y) +
         " wheel=" + std::to_string(p.wheel) + " buttons=" + std::to_string(p.left_button) +
         std::to_string(p.middle_button) + std::to_string(p.right_button) +
         " keys=" + std::to_string(p.shift) + std::to_string(p.ctrl) + std::to_string(p.alt) +
         " pressure=" + std::to_string(p.pressure);
}

class RecordingCommand : public MQCommandPlugin {
 public:
  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override { product = plugin = 0; }
  const char* GetNameText() override { return "command"; }
  int32_t GetKind() override { return 6; }

  int32_t HandleEvent120(void*, void* s, PointerState* p) override { return Note(120, s, 0, p); }
  int32_t HandleEvent124(void*, void* s, PointerState* p) override { return Note(124, s, 0, p); }
  int32_t HandleEvent130(void*, void* s, PointerState* p) override { return Note(130, s, 0, p); }
  int32_t HandleEvent140(void*, void* s, int32_t key, PointerState* p) override {
    return Note(140, s, key, p);
  }
  int32_t HandleEvent141(void*, void* s, int32_t key, PointerState* p) override {
    return Note(141, s, key, p);
  }

  std::vector<std::string> calls;

 private:
  int32_t Note(int32_t event, void* s, int32_t key, PointerState* p) {
    calls.push_back(Describe(event, s, key, *p));
    return kCommandAnswer;
  }
};

class RecordingImport : public MQImportPlugin {
 public:
  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override { product = plugin = 0; }
  const char* GetNameText() override { return "import"; }
  int32_t GetKind() override { return 1; }
  int32_t HandleEvent300() override {
    ++runs;
    return 9;
  }
  int runs = 0;
};

TEST(CommandEvents, PointerEventsTakePositionWheelPressureAndButtonBits) {
  RecordingCommand plugin;
  HostList list;
  // Bits 0 left, 1 right, 2 shift, 3 ctrl, 4 middle, 5 alt: left, middle, ctrl.
  list.Add("scene", &scene)
      .Int("mouse_pos_x", 11)
      .Int("mouse_pos_y", 22)
      .Int("mouse_wheel", -3)
      .Float("pressure", 0.5f)
      .Int("button_state", 0b011001);
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 124, list.Slots()), kCommandAnswer);
  EXPECT_EQ(plugin.calls,
            std::vector<std::string>{"124 scene key=0 at 11,22 wheel=-3 buttons=110 keys=010 "
                                     "pressure=0.500000"});
}

TEST(CommandEvents, EachButtonBitLandsInItsOwnFlag) {
  RecordingCommand plugin;
  const std::pair<int, const char*> bits[] = {
      {0, "buttons=100 keys=000"}, {1, "buttons=001 keys=000"}, {2, "buttons=000 keys=100"},
      {3, "buttons=000 keys=010"}, {4, "buttons=010 keys=000"}, {5, "buttons=000 keys=001"}};
  for (const auto& [bit, flags] : bits) {
    plugin.calls.clear();
    HostList list;
    list.Int("button_state", 1 << bit);
    DispatchEvent(&plugin, kDocument, 120, list.Slots());
    ASSERT_EQ(plugin.calls.size(), 1u);
    EXPECT_NE(plugin.calls[0].find(flags), std::string::npos) << bit << ": " << plugin.calls[0];
  }
}

TEST(CommandEvents, KeyEventsTakeTheKeyAndLeavePositionAtZero) {
  RecordingCommand plugin;
  HostList list;
  list.Int("key", 65).Int("mouse_pos_x", 11).Float("pressure", 1.0f).Int("button_state", 4);
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 140, list.Slots()), kCommandAnswer);
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 141, nullptr), kCommandAnswer);
  EXPECT_EQ(plugin.calls,
            (std::vector<std::string>{
                "140 null key=65 at 0,0 wheel=0 buttons=000 keys=100 pressure=0.000000",
                "141 null key=0 at 0,0 wheel=0 buttons=000 keys=000 pressure=0.000000"}));
}

TEST(CommandEvents, EventsBetweenTheRangesAreNotCommandEvents) {
  RecordingCommand plugin;
  for (int32_t event : {119, 131, 139, 142}) {
    EXPECT_EQ(DispatchEvent(&plugin, kDocument, event, nullptr), 0) << event;
  }
  EXPECT_TRUE(plugin.calls.empty());
}

TEST(CommandEvents, AStationThatIsNoCommandPluginAnswersZeroWithoutReadingTheirList) {
  RecordingStation plugin;
  void* const unreadable = reinterpret_cast<void*>(0x10);
  for (int32_t event : {120, 121, 125, 130, 140, 141}) {
    SCOPED_TRACE(event);
    EXPECT_EQ(DispatchEvent(&plugin, kDocument, event, unreadable), 0);
  }
  EXPECT_TRUE(plugin.calls.empty());
}

TEST(ImportFallback, Event300RunsTheImportAndAnswersItsResult) {
  RecordingImport plugin;
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 300, nullptr), 9);
  EXPECT_EQ(plugin.runs, 1);
}

TEST(ImportFallback, Event301StoresBackgroundAndArgs) {
  RecordingImport plugin;
  HostList list;
  list.Int("background", 1).Add("args", &scene);
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 301, list.Slots()), 1);
  EXPECT_EQ(plugin.background, 1);
  EXPECT_EQ(plugin.args, &scene);
}

TEST(ImportFallback, StationEventsDoNotReachAnImportPlugin) {
  RecordingImport plugin;
  int32_t flag = 1;
  for (int32_t event : {1, 2, 100, 104, 260, 302}) {
    EXPECT_EQ(DispatchEvent(&plugin, kDocument, event, &flag), 0) << event;
  }
  EXPECT_EQ(plugin.runs, 0);
}

TEST(DispatchEvent, ANullPluginAnswersZero) {
  EXPECT_EQ(DispatchEvent(nullptr, kDocument, 1, nullptr), 0);
}

}  // namespace
}  // namespace rowshift::testing
