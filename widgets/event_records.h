// The typed records handed to handlers, one per kind of widget event.
//
// The dispatcher builds a record from the event's name/value list, passes its
// address to the handler and discards it when the dispatch ends; pointers in a
// record are valid only during the handler's call. Field order and types are
// part of the handler interface.
#pragma once

#include <cstdint>
#include <vector>

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

struct PaintEventArgs {
  MQCanvas* canvas = nullptr;   // a non-owning wrapper; its handle may be null
  bool* interrupted = nullptr;  // the host's flag, or null when not given
};

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

struct TreeListDrawItemArgs {
  MQCanvas* canvas = nullptr;
  int32_t index = -1;
  int32_t id = -1;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

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

struct DragOverArgs {
  int32_t client_x = 0;
  int32_t client_y = 0;
  int32_t screen_x = 0;
  int32_t screen_y = 0;
  bool result = false;  // copied back to the host's "result"
};

struct DropFilesArgs {
  int32_t client_x = 0;
  int32_t client_y = 0;
  int32_t screen_x = 0;
  int32_t screen_y = 0;
  std::vector<const char*> files;  // the host's file names, in order
};

}  // namespace rowshift
