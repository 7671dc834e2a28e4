// The typed records handed to handlers, one per kind of widget event.
//
// The dispatcher builds a record from the event's name/value list, passes its
// address to the handler and discards it when the dispatch ends; pointers in a
// record are valid only during the handler's call. Field order and types are
// part of the handler interface: each record's size and offsets are pinned
// below it for both machines (PerMachine(32-bit x86, x86-64)).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/abi.h"

namespace rowshift {

class MQCanvas;

struct MouseEventArgs {
  int32_t client_x = 0;
  int32_t client_y = 0;
  int32_t screen_x = 0;
  int32_t screen_y = 0;
  int32_t down_x = 0;
  int32_t down_y = 0;
  int32_t last_x = 0;
  int32_t last_y = 0;
  int32_t wheel_delta = 0;
  bool left_button = false;
  bool middle_button = false;
  bool right_button = false;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  float pressure = 0.0f;
  bool finished = false;  // set by the handler; reported to the host when true
};
static_assert(offsetof(MouseEventArgs, wheel_delta) == 32 &&
              offsetof(MouseEventArgs, left_button) == 36 && offsetof(MouseEventArgs, alt) == 41 &&
              offsetof(MouseEventArgs, pressure) == 44 &&
              offsetof(MouseEventArgs, finished) == 48 && sizeof(MouseEventArgs) == 52);

struct KeyEventArgs {
  int32_t key = 0;
  bool auto_repeat = false;
  bool left_button = false;
  bool middle_button = false;
  bool right_button = false;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool finished = false;  // set by the handler; reported to the host when true
};
static_assert(offsetof(KeyEventArgs, auto_repeat) == 4 && offsetof(KeyEventArgs, alt) == 10 &&
              offsetof(KeyEventArgs, finished) == 11 && sizeof(KeyEventArgs) == 12);

struct PaintEventArgs {
  MQCanvas* canvas = nullptr;   // a non-owning wrapper; its handle may be null
  bool* interrupted = nullptr;  // the host's flag, or null when not given
};
static_assert(offsetof(PaintEventArgs, interrupted) == PerMachine(4, 8) &&
              sizeof(PaintEventArgs) == PerMachine(8, 16));

// Draw-item records: the handler may change x, y, width and height, which are
// written back to the host.
struct ListDrawItemArgs {
  MQCanvas* canvas = nullptr;
  int32_t index = -1;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};
static_assert(offsetof(ListDrawItemArgs, index) == PerMachine(4, 8) &&
              offsetof(ListDrawItemArgs, x) == PerMachine(8, 12) &&
              offsetof(ListDrawItemArgs, height) == PerMachine(20, 24) &&
              sizeof(ListDrawItemArgs) == PerMachine(24, 32));

struct TreeListDrawItemArgs {
  MQCanvas* canvas = nullptr;
  int32_t index = -1;
  int32_t id = -1;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};
static_assert(offsetof(TreeListDrawItemArgs, index) == PerMachine(4, 8) &&
              offsetof(TreeListDrawItemArgs, id) == PerMachine(8, 12) &&
              offsetof(TreeListDrawItemArgs, x) == PerMachine(12, 16) &&
              offsetof(TreeListDrawItemArgs, height) == PerMachine(24, 28) &&
              sizeof(TreeListDrawItemArgs) == PerMachine(28, 32));

struct MemoDrawItemArgs {
  MQCanvas* canvas = nullptr;
  int32_t line = -1;
  int32_t start = 0;
  int32_t end = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};
static_assert(offsetof(MemoDrawItemArgs, line) == PerMachine(4, 8) &&
              offsetof(MemoDrawItemArgs, start) == PerMachine(8, 12) &&
              offsetof(MemoDrawItemArgs, x) == PerMachine(16, 20) &&
              offsetof(MemoDrawItemArgs, height) == PerMachine(28, 32) &&
              sizeof(MemoDrawItemArgs) == PerMachine(32, 40));

struct DragOverArgs {
  int32_t client_x = 0;
  int32_t client_y = 0;
  int32_t screen_x = 0;
  int32_t screen_y = 0;
  bool result = false;  // copied back to the host's "result"
};
static_assert(offsetof(DragOverArgs, result) == 16 && sizeof(DragOverArgs) == 20);

struct DropFilesArgs {
  int32_t client_x = 0;
  int32_t client_y = 0;
  int32_t screen_x = 0;
  int32_t screen_y = 0;
  std::vector<const char*> files;  // the host's file names, in order
};
static_assert(offsetof(DropFilesArgs, files) == 16);

}  // namespace rowshift
