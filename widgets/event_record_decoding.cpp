#include "widgets/event_record_decoding.h"

#include <cstdint>
#include <cstring>

#include "boundary/host_protocol.h"

namespace rowshift {
namespace {

constexpr int32_t kNoItem = -1;

struct ButtonState {
  bool left, middle, right, shift, ctrl, alt;
};

ButtonState DecodeButtonState(const NameValueList& list) {
  int32_t bits = list.Int(kButtonStateKey, 0);
  return {(bits & kLeftButtonBit) != 0,  (bits & kMiddleButtonBit) != 0,
          (bits & kRightButtonBit) != 0, (bits & kShiftBit) != 0,
          (bits & kCtrlBit) != 0,        (bits & kAltBit) != 0};
}

// A host bool is one byte; any nonzero byte reads as true.
bool ReadHostBool(const void* value) {
  if (value == nullptr) return false;
  uint8_t byte = 0;
  std::memcpy(&byte, value, sizeof byte);
  return byte != 0;
}

void StoreHostBool(void* where, bool value) {
  if (where == nullptr) return;
  const uint8_t byte = value ? 1 : 0;
  std::memcpy(where, &byte, sizeof byte);
}

void StoreHostInt(void* where, int32_t value) {
  if (where == nullptr) return;
  std::memcpy(where, &value, sizeof value);
}

template <typename Record>
void DecodePointerPosition(const NameValueList& list, Record& record) {
  record.client_x = list.Int("client_x", 0);
  record.client_y = list.Int("client_y", 0);
  record.screen_x = list.Int("screen_x", 0);
  record.screen_y = list.Int("screen_y", 0);
}

template <typename Record>
void DecodeItemBounds(const NameValueList& list, Record& record) {
  record.x = list.Int("x", 0);
  record.y = list.Int("y", 0);
  record.width = list.Int("width", 0);
  record.height = list.Int("height", 0);
}

}  // namespace

MouseEventArgs DecodeMouseEvent(const NameValueList& list) {
  MouseEventArgs record;
  DecodePointerPosition(list, record);
  record.down_x = list.Int("down_x", 0);
  record.down_y = list.Int("down_y", 0);
  record.last_x = list.Int("last_x", 0);
  record.last_y = list.Int("last_y", 0);
  record.wheel_delta = list.Int("wheel_delta", 0);
  const ButtonState buttons = DecodeButtonState(list);
  record.left_button = buttons.left;
  record.middle_button = buttons.middle;
  record.right_button = buttons.right;
  record.shift = buttons.shift;
  record.ctrl = buttons.ctrl;
  record.alt = buttons.alt;
  record.pressure = list.Float("pressure", 0.0f);
  return record;
}

KeyEventArgs DecodeKeyEvent(const NameValueList& list) {
  KeyEventArgs record;
  record.key = list.Int("key", 0);
  record.auto_repeat = list.Int("auto_repeat", 0) != 0;
  const ButtonState buttons = DecodeButtonState(list);
  record.left_button = buttons.left;
  record.middle_button = buttons.middle;
  record.right_button = buttons.right;
  record.shift = buttons.shift;
  record.ctrl = buttons.ctrl;
  record.alt = buttons.alt;
  return record;
}

PaintEventArgs DecodePaintEvent(const NameValueList& list) {
  PaintEventArgs record;
  record.interrupted = list.Out<bool>("interrupted");
  return record;
}

ListDrawItemArgs DecodeListDrawItem(const NameValueList& list) {
  ListDrawItemArgs record;
  record.index = list.Int("index", kNoItem);
  DecodeItemBounds(list, record);
  return record;
}

TreeListDrawItemArgs DecodeTreeListDrawItem(const NameValueList& list) {
  TreeListDrawItemArgs record;
  record.index = list.Int("index", kNoItem);
  record.id = list.Int("id", kNoItem);
  DecodeItemBounds(list, record);
  return record;
}

MemoDrawItemArgs DecodeMemoDrawItem(const NameValueList& list) {
  MemoDrawItemArgs record;
  record.line = list.Int("line", kNoItem);
  record.start = list.Int("start", 0);
  record.end = list.Int("end", 0);
  DecodeItemBounds(list, record);
  return record;
}

DragOverArgs DecodeDragOver(const NameValueList& list) {
  DragOverArgs record;
  DecodePointerPosition(list, record);
  record.result = ReadHostBool(list.Find("result"));
  return record;
}

DropFilesArgs DecodeDropFiles(const NameValueList& list) {
  DropFilesArgs record;
  DecodePointerPosition(list, record);
  const auto* names = static_cast<const char* const*>(list.Find("files"));
  if (names != nullptr) {
    for (; *names != nullptr; ++names) record.files.push_back(*names);
  }
  return record;
}

void* CanvasHandle(const NameValueList& list) { return list.Find("canvas"); }

void ReportFinished(const NameValueList& list, bool finished) {
  if (finished) StoreHostBool(list.Find("finished"), true);
}

void ReportItemBounds(const NameValueList& list, int32_t x, int32_t y, int32_t width,
                      int32_t height) {
  StoreHostInt(list.Find("x"), x);
  StoreHostInt(list.Find("y"), y);
  StoreHostInt(list.Find("width"), width);
  StoreHostInt(list.Find("height"), height);
}

void ReportDragResult(const NameValueList& list, bool result) {
  StoreHostBool(list.Find("result"), result);
}

}  // namespace rowshift
