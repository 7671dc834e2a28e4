// Paint, draw-item and drag-and-drop records: what the dispatcher decodes from
// a host event list, and what it writes back into the host's values.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dispatch_test_fixture.h"
#include "widgets/canvas.h"
#include "widgets/widget_event_records.h"
#include "widgets/widget_requests.h"

namespace rowshift {
namespace {

using rowshift::testing::DispatchTest;
using ::testing::ElementsAre;

using ItemEventRecordsTest = DispatchTest;

TEST_F(ItemEventRecordsTest, PaintPassesANonOwningCanvasWrapperAndTheInterruptedFlag) {
  std::optional<PaintEventArgs> seen;
  void* handle = nullptr;
  Register("paint", [&](MQWidgetBase*, void*, void* record) {
    seen = *static_cast<PaintEventArgs*>(record);
    handle = seen->canvas != nullptr ? seen->canvas->handle() : &seen;
    EXPECT_FALSE(seen->canvas != nullptr && seen->canvas->owned());
    return 1;
  });
  void* host_canvas = standin::NewCanvas();
  bool interrupted = false;

  Fire("paint");
  EXPECT_NE(seen->canvas, nullptr) << "a wrapper even without a canvas";
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(seen->interrupted, nullptr);

  Fire("paint", {{"canvas", host_canvas}, {"interrupted", &interrupted}});
  EXPECT_EQ(handle, host_canvas);
  EXPECT_EQ(seen->interrupted, &interrupted);

  for (const auto& request : standin::WidgetRequests()) EXPECT_FALSE(request.on_canvas);
}

TEST_F(ItemEventRecordsTest, ListDrawItemReadsBoundsAndWritesTheHandlersBoundsBack) {
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
  void* host_canvas = standin::NewCanvas();
  int32_t index = 6, x = 10, y = 20, width = 30, height = 40;

  Fire("listdrawitem", {{"canvas", host_canvas},
                        {"index", &index},
                        {"x", &x},
                        {"y", &y},
                        {"width", &width},
                        {"height", &height}});

  EXPECT_EQ(seen->index, 6);
  EXPECT_EQ(seen->x, 10);
  EXPECT_EQ(seen->height, 40);
  EXPECT_THAT((std::vector<int32_t>{x, y, width, height}), ElementsAre(11, 22, 33, 44));
  EXPECT_EQ(index, 6);
}

TEST_F(ItemEventRecordsTest, MissingDrawItemValuesReadAsDefaultsAndAreNotWrittenBack) {
  std::vector<std::vector<int32_t>> seen;
  auto bump_all = [](auto* item) { item->x = item->y = item->width = item->height = 99; };
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
    seen.push_back(
        {item->line, item->start, item->end, item->x, item->y, item->width, item->height});
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

  EXPECT_THAT(seen, ElementsAre(ElementsAre(-1, 10, 20, 0, 0), ElementsAre(-1, -1, 10, 0, 0, 0),
                                ElementsAre(-1, 3, 0, 0, 0, 0, 0)));
  EXPECT_EQ(start, 3) << "only the bounds are written back";
}

TEST_F(ItemEventRecordsTest, DragOverCopiesTheResultBackWhetherOrNotItChanged) {
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
  } cases[] = {{1, false, true, 0},
               {0, true, false, 1},
               {2, std::nullopt, true, 1},
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

TEST_F(ItemEventRecordsTest, DropFilesCopiesTheHostsFileNamesInOrder) {
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
