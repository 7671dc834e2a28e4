// Input event records: mouse and key values decoded from a host event list,
// and the "finished" flag written back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dispatch_test_fixture.h"
#include "widgets/widget_event_records.h"

namespace rowshift {
namespace {

using rowshift::testing::DispatchTest;
using standin::EventPair;
using ::testing::ElementsAre;

using InputEventRecordsTest = DispatchTest;

// Flags in record order: left, middle, right, shift, ctrl, alt.
using Flags = std::array<bool, 6>;

struct ButtonStateCase {
  const char* what;
  std::optional<int32_t> button_state;
  Flags flags;
};

const ButtonStateCase kButtonStates[] = {
    {"0x3F sets all six", 0x3F, {true, true, true, true, true, true}},
    {"0x10 is the middle button only", 0x10, {false, true, false, false, false, false}},
    {"0x01 is the left button", 0x01, {true, false, false, false, false, false}},
    {"0x02 is the right button", 0x02, {false, false, true, false, false, false}},
    {"0x04 is shift", 0x04, {false, false, false, true, false, false}},
    {"0x08 is ctrl", 0x08, {false, false, false, false, true, false}},
    {"0x20 is alt", 0x20, {false, false, false, false, false, true}},
    {"other bits are ignored", 0x40, {false, false, false, false, false, false}},
    {"absent clears all six", std::nullopt, {false, false, false, false, false, false}},
};

template <typename Record>
Flags FlagsOf(const Record& record) {
  return {record.left_button, record.middle_button, record.right_button,
          record.shift,       record.ctrl,          record.alt};
}

TEST_F(InputEventRecordsTest, ButtonStateBitsBecomeTheSixFlagsOfMouseAndKeyRecords) {
  std::optional<MouseEventArgs> mouse;
  std::optional<KeyEventArgs> key;
  Register("leftdown", [&](MQWidgetBase*, void*, void* record) {
    mouse = *static_cast<MouseEventArgs*>(record);
    return 1;
  });
  Register("keyup", [&](MQWidgetBase*, void*, void* record) {
    key = *static_cast<KeyEventArgs*>(record);
    return 1;
  });
  for (const ButtonStateCase& test : kButtonStates) {
    SCOPED_TRACE(test.what);
    int32_t state = test.button_state.value_or(0);
    std::vector<EventPair> pairs;
    if (test.button_state) pairs.push_back({"button_state", &state});
    ASSERT_EQ(Fire("leftdown", pairs), 1);
    ASSERT_EQ(Fire("keyup", pairs), 1);
    EXPECT_EQ(FlagsOf(*mouse), test.flags);
    EXPECT_EQ(FlagsOf(*key), test.flags);
  }
}

TEST_F(InputEventRecordsTest, EveryMouseEventNameGetsAMouseRecordWithItsPositionsAndPressure) {
  int32_t ints[9] = {1, 2, 3, 4, 5, 6, 7, 8, -120};
  float pressure = 0.75f;
  const std::vector<EventPair> pairs = {{"client_x", &ints[0]},    {"client_y", &ints[1]},
                                        {"screen_x", &ints[2]},    {"screen_y", &ints[3]},
                                        {"down_x", &ints[4]},      {"down_y", &ints[5]},
                                        {"last_x", &ints[6]},      {"last_y", &ints[7]},
                                        {"wheel_delta", &ints[8]}, {"pressure", &pressure}};
  for (const char* name :
       {"leftdown", "leftup", "leftdoubleclick", "middledown", "middleup", "middledoubleclick",
        "rightdown", "rightup", "rightdoubleclick", "mousemove", "mousewheel"}) {
    SCOPED_TRACE(name);
    std::optional<MouseEventArgs> seen;
    Register(name, [&](MQWidgetBase*, void*, void* record) {
      seen = *static_cast<MouseEventArgs*>(record);
      return 1;
    });
    Fire(name, pairs);
    ASSERT_TRUE(seen.has_value());
    EXPECT_THAT((std::vector<int32_t>{seen->client_x, seen->client_y, seen->screen_x,
                                      seen->screen_y, seen->down_x, seen->down_y, seen->last_x,
                                      seen->last_y, seen->wheel_delta}),
                ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, -120));
    EXPECT_FLOAT_EQ(seen->pressure, 0.75f);
    EXPECT_FALSE(seen->finished);
  }
}

TEST_F(InputEventRecordsTest, AnAbsentMousePairReadsZero) {
  std::optional<MouseEventArgs> seen;
  Register("mousemove", [&](MQWidgetBase*, void*, void* record) {
    seen = *static_cast<MouseEventArgs*>(record);
    return 1;
  });
  Fire("mousemove");
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->client_x, 0);
  EXPECT_EQ(seen->wheel_delta, 0);
  EXPECT_EQ(seen->pressure, 0.0f);
}

TEST_F(InputEventRecordsTest, KeyAndAutoRepeatAreDecoded) {
  std::optional<KeyEventArgs> seen;
  Register("keydown", [&](MQWidgetBase*, void*, void* record) {
    seen = *static_cast<KeyEventArgs*>(record);
    return 1;
  });
  int32_t key = 65;
  for (int32_t repeat : {0, 1, 2}) {
    SCOPED_TRACE(repeat);
    Fire("keydown", {{"key", &key}, {"auto_repeat", &repeat}});
    EXPECT_EQ(seen->key, 65);
    EXPECT_EQ(seen->auto_repeat, repeat != 0);
  }
  Fire("keydown");
  EXPECT_EQ(seen->key, 0);
  EXPECT_FALSE(seen->auto_repeat);
}

// The host's "finished" bool after an event, for each way a handler can end.
struct FinishedCase {
  const char* event;
  bool handler_finishes;
  uint8_t host_preset;
  uint8_t host_after;
};

TEST_F(InputEventRecordsTest, FinishedIsWrittenOnlyWhenTheHandlerSetIt) {
  const FinishedCase cases[] = {
      {"leftup", true, 0, 1},      {"leftup", false, 0, 0},     {"leftup", false, 2, 2},
      {"keydown", true, 0, 1},     {"keydown", false, 2, 2},    {"closequery", true, 0, 1},
      {"closequery", false, 0, 0}, {"closequery", false, 2, 2},
  };
  bool finish = false;
  Register("leftup", [&](MQWidgetBase*, void*, void* record) {
    static_cast<MouseEventArgs*>(record)->finished = finish;
    return 1;
  });
  Register("keydown", [&](MQWidgetBase*, void*, void* record) {
    static_cast<KeyEventArgs*>(record)->finished = finish;
    return 1;
  });
  Register("closequery", [&](MQWidgetBase*, void*, void* record) {
    bool* query = static_cast<bool*>(record);
    EXPECT_FALSE(*query) << "a close query starts false";
    *query = finish;
    return 1;
  });
  for (const FinishedCase& test : cases) {
    SCOPED_TRACE(std::string(test.event) + (test.handler_finishes ? " finished" : " unfinished") +
                 ", host preset " + std::to_string(test.host_preset));
    finish = test.handler_finishes;
    uint8_t host_finished = test.host_preset;
    EXPECT_EQ(Fire(test.event, {{"finished", &host_finished}}), 1);
    EXPECT_EQ(host_finished, test.host_after);
    EXPECT_EQ(Fire(test.event), 1) << "without a host bool nothing is written";
  }
}

TEST_F(InputEventRecordsTest, AnEventNameInOtherLetterCaseGetsNoRecord) {
  int records = 0;
  int calls = 0;
  for (const char* name : {"LeftDown", "KEYDOWN", "Paint", "execute", "hide", "resize"}) {
    Register(name, [&](MQWidgetBase*, void*, void* record) {
      ++calls;
      if (record != nullptr) ++records;
      return 3;
    });
    int32_t state = 0x3F;
    uint8_t finished = 0;
    EXPECT_EQ(Fire(name, {{"button_state", &state}, {"finished", &finished}}), 3) << name;
    EXPECT_EQ(finished, 0) << name;
  }
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(records, 0);
}

}  // namespace
}  // namespace rowshift
