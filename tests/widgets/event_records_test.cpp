// Event records: what the dispatcher decodes from a host event list, and what
// it writes back into the host's values afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dispatch_test_fixture.h"
#include "widgets/canvas.h"
#include "widgets/event_records.h"
#include "widgets/widget_requests.h"

namespace rowshift {
namespace {

using rowshift_test::DispatchTest;
using standin::EventPair;
using ::testing::ElementsAre;

using EventRecordsTest = DispatchTest;

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

TEST_F(EventRecordsTest, ButtonStateBitsBecomeTheSixFlagsOfMouseAndKeyRecords) {
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

TEST_F(EventRecordsTest, EveryMouseEventNameGetsAMouseRecordWithItsPositionsAndPressure) {
  int32_t ints[9] = {1, 2, 3, 4, 5, 6, 7, 8, -120};
  float pressure = 0.75f;
  const std::vector<EventPair> pairs = {
      {"client_x", &ints[0]}, {"client_y", &ints[1]}, {"screen_x", &ints[2]},
      {"screen_y", &ints[3]}, {"down_x", &ints[4]},   {"down_y", &ints[5]},
      {"last_x", &ints[6]},   {"last_y", &ints[7]},   {"wheel_delta", &ints[8]},
      {"pressure", &pressure}};
  for (const char* name : {"leftdown", "leftup", "leftdoubleclick", "middledown", "middleup",
                           "middledoubleclick", "rightdown", "rightup", "rightdoubleclick",
                           "mousemove", "mousewheel"}) {
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

TEST_F(EventRecordsTest, AnAbsentMousePairReadsZero) {
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

TEST_F(EventRecordsTest, KeyAndAutoRepeatAreDecoded) {
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

TEST_F(EventRecordsTest, FinishedIsWrittenOnlyWhenTheHandlerSetIt) {
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

TEST_F(EventRecordsTest, AnEventNameInOtherLetterCaseGetsNoRecord) {
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

TEST_F(EventRecordsTest, PaintPassesANonOwningCanvasWrapperAndTheInterruptedFlag) {
  std::optional<PaintEventArgs> seen;
  void* handle = nullptr;
  Register("paint", [&](MQWidgetBase*, void*, void* record) {
    seen = *static_cast<PaintEventArgs*>(record);
    handle = seen->canvas != nullptr ? seen->canvas->handle() : &seen;
    EXPECT_FALSE(seen->canvas != nullptr && seen->canvas->owned());
    return 1;
  });
  int host_canvas = 0;
  bool interrupted = false;

  Fire("paint");
  EXPECT_NE(seen->canvas, nullptr) << "a wrapper even without a canvas";
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(seen->interrupted, nullptr);

  Fire("paint", {{"canvas", &host_canvas}, {"interrupted", &interrupted}});
  EXPECT_EQ(handle, &host_canvas);
  EXPECT_EQ(seen->interrupted, &interrupted);

  for (const auto& request : standin::WidgetRequests()) EXPECT_FALSE(request.on_canvas);
}

TEST_F(EventRecordsTest, ListDrawItemReadsBoundsAndWritesTheHandlersBoundsBack) {
  std::optional<ListDrawItemArgs> seen;
  Register("listdrawitem", [&](MQWidgetBase*, void*, void* record) {
    auto* item = static_cast<ListDrawItemArgs*>(record);
    seen = *item;
    item->x += 1;
    item->y += 2;
    item->width += 3;
    item->height += 4;
    return 1;
  });
  int host_canvas = 0;
  int32_t index = 6, x = 10, y = 20, width = 30, height = 40;

  Fire("listdrawitem", {{"canvas", &host_canvas}, {"index", &index}, {"x", &x}, {"y", &y},
                        {"width", &width}, {"height", &height}});

  EXPECT_EQ(seen->index, 6);
  EXPECT_EQ(seen->x, 10);
  EXPECT_EQ(seen->height, 40);
  EXPECT_THAT((std::vector<int32_t>{x, y, width, height}), ElementsAre(11, 22, 33, 44));
  EXPECT_EQ(index, 6);
}

TEST_F(EventRecordsTest, MissingDrawItemValuesReadAsDefaultsAndAreNotWrittenBack) {
  std::vector<std::vector<int32_t>> seen;
  auto bump_all = [](auto* item) {
    item->x = item->y = item->width = item->height = 99;
  };
  Register("listdrawitem", [&](MQWidgetBase*, void*, void* record) {
    auto* item = static_cast<ListDrawItemArgs*>(record);
    seen.push_back({item->index, item->x, item->y, item->width, item->height});
    bump_all(item);
    return 1;
  });
  Register("treelistdrawitem", [&](MQWidgetBase*, void*, void* record) {
    auto* item = static_cast<TreeListDrawItemArgs*>(record);
    seen.push_back({item->index, item->id, item->x, item->y, item->width, item->height});
    bump_all(item);
    return 1;
  });
  Register("memodrawitem", [&](MQWidgetBase*, void*, void* record) {
    auto* item = static_cast<MemoDrawItemArgs*>(record);
    seen.push_back({item->line, item->start, item->end, item->x, item->y, item->width,
                    item->height});
    bump_all(item);
    item->start = item->end = 99;
    return 1;
  });
  int32_t x = 10, y = 20, start = 3;

  Fire("listdrawitem", {{"x", &x}, {"y", &y}});
  EXPECT_EQ(x, 99);
  EXPECT_EQ(y, 99);
  x = 10;
  Fire("treelistdrawitem", {{"x", &x}});
  Fire("memodrawitem", {{"start", &start}});

  EXPECT_THAT(seen, ElementsAre(ElementsAre(-1, 10, 20, 0, 0),
                                ElementsAre(-1, -1, 10, 0, 0, 0),
                                ElementsAre(-1, 3, 0, 0, 0, 0, 0)));
  EXPECT_EQ(start, 3) << "only the bounds are written back";
}

TEST_F(EventRecordsTest, DragOverCopiesTheResultBackWhetherOrNotItChanged) {
  std::optional<DragOverArgs> seen;
  std::optional<bool> answer;  // what the handler decides, if anything
  Register("dragover", [&](MQWidgetBase*, void*, void* record) {
    auto* drag = static_cast<DragOverArgs*>(record);
    seen = *drag;
    if (answer) drag->result = *answer;
    return 1;
  });
  int32_t client_x = 12, screen_y = 34;
  struct Case {
    uint8_t host_result;
    std::optional<bool> handler_answer;
    bool seen_result;
    uint8_t host_after;
  } cases[] = {{1, false, true, 0}, {0, true, false, 1}, {2, std::nullopt, true, 1},
               {0, std::nullopt, false, 0}};
  for (const Case& test : cases) {
    answer = test.handler_answer;
    uint8_t host_result = test.host_result;
    Fire("dragover", {{"client_x", &client_x}, {"screen_y", &screen_y}, {"result", &host_result}});
    EXPECT_EQ(seen->result, test.seen_result);
    EXPECT_EQ(host_result, test.host_after);
  }
  EXPECT_EQ(seen->client_x, 12);
  EXPECT_EQ(seen->client_y, 0);
  EXPECT_EQ(seen->screen_y, 34);

  answer = true;
  Fire("dragover");
  EXPECT_FALSE(seen->result) << "no host result reads false and is not written";
}

TEST_F(EventRecordsTest, DropFilesCopiesTheHostsFileNamesInOrder) {
  std::vector<const char*> files;
  Register("dropfiles", [&](MQWidgetBase*, void*, void* record) {
    files = static_cast<DropFilesArgs*>(record)->files;
    return 1;
  });
  const char* first = "a.txt";
  const char* second = "b.obj";
  const char* two_files[] = {first, second, nullptr};
  const char* no_files[] = {nullptr};

  Fire("dropfiles", {{"files", two_files}});
  EXPECT_THAT(files, ElementsAre(first, second));
  Fire("dropfiles", {{"files", no_files}});
  EXPECT_TRUE(files.empty());
  files.push_back(first);
  Fire("dropfiles");
  EXPECT_TRUE(files.empty()) << "a missing array is an empty list";
}

}  // namespace
}  // namespace rowshift
