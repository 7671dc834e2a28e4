// The command events: the pointer state and key each operation receives, read
// from the event's list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boundary/name_value_list.h"
#include "plugin/command_events.h"
#include "plugin/command_plugin.h"
#include "support/host_list.h"

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

int32_t Send(RecordingCommand& plugin, int32_t event, void** list) {
  return DispatchCommandEvent(plugin, kDocument, event, NameValueList(list));
}

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
  EXPECT_EQ(Send(plugin, 124, list.Slots()), kCommandAnswer);
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
    Send(plugin, 120, list.Slots());
    ASSERT_EQ(plugin.calls.size(), 1u);
    EXPECT_NE(plugin.calls[0].find(flags), std::string::npos) << bit << ": " << plugin.calls[0];
  }
}

TEST(CommandEvents, KeyEventsTakeTheKeyAndLeavePositionAtZero) {
  RecordingCommand plugin;
  HostList list;
  list.Int("key", 65).Int("mouse_pos_x", 11).Float("pressure", 1.0f).Int("button_state", 4);
  EXPECT_EQ(Send(plugin, 140, list.Slots()), kCommandAnswer);
  EXPECT_EQ(Send(plugin, 141, nullptr), kCommandAnswer);
  EXPECT_EQ(plugin.calls,
            (std::vector<std::string>{
                "140 null key=65 at 0,0 wheel=0 buttons=000 keys=100 pressure=0.000000",
                "141 null key=0 at 0,0 wheel=0 buttons=000 keys=000 pressure=0.000000"}));
}

TEST(CommandEvents, EventsBetweenTheRangesAreNotCommandEvents) {
  RecordingCommand plugin;
  for (int32_t event : {119, 131, 139, 142}) {
    EXPECT_EQ(Send(plugin, event, nullptr), 0) << event;
  }
  EXPECT_TRUE(plugin.calls.empty());
}

}  // namespace
}  // namespace rowshift::testing
