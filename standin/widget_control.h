// Test controls for the stand-in host's widgets.
//
// The widget host creates widgets with ids that are never 0, keeps each one's
// type, parent, children (in order of attachment) and typed properties, keeps
// the event hooks registered on them and records every widget and canvas
// request in order. The host's main window exists from the start (and after
// every reset) under MainWindowId(), visible.
//
// A Read of a property the widget does not have is refused: it answers 0 and
// writes nothing. A window's position is the exception: it reads as 0 until
// written, as a window stands somewhere from the start.
//
// A new window starts hidden. Whenever a window goes from visible to hidden,
// because the plug-in wrote "visible" = false or because a simulated user
// closed it, the host fires "hide" into the window's hooks, after recording the
// request that hid it.
//
// Wide text is kept as UTF-8 for display and comparison.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "boundary/host_protocol.h"
#include "platform/abi.h"
#include "standin/standin_api.h"

namespace standin {

using rowshift::WidgetEventProc;

enum class WidgetValueKind { None, Bool, Int, Double, Text, WideText, Address };

// One value as the host read it. The kind follows the pair's name (each key
// has one type), not anything the plug-in says; an unknown name is an Address.
struct WidgetValue {
  WidgetValueKind kind = WidgetValueKind::None;
  bool bool_value = false;
  int32_t int_value = 0;
  double double_value = 0.0;
  std::string text;               // Text, and WideText as UTF-8
  const void* address = nullptr;  // Address: the value pointer itself

  // true, 7, 0.2, "vert", L"up(&U)", @0x1234; "none" for None.
  STANDIN_API std::string ToString() const;
};

struct WidgetPair {
  std::string name;
  WidgetValue sent;      // as the plug-in handed it over
  WidgetValue returned;  // as the host left it (differs only for values the host writes)
};

// One MQWidget_Value or MQCanvas_Value call.
struct WidgetRequestRecord {
  bool on_canvas = false;        // an MQCanvas_Value request
  int32_t target = 0;            // the widget id (widget requests)
  const void* canvas = nullptr;  // the canvas handle (canvas requests)
  int32_t code = 0;
  std::vector<WidgetPair> pairs;  // in the order sent, without the closing null
  bool null_list = false;         // the list pointer itself was null

  // The first pair named `name`, or null.
  STANDIN_API const WidgetPair* Find(const std::string& name) const;
};

struct WidgetHook {
  int32_t widget_id = 0;
  std::string type;
  WidgetEventProc proc = nullptr;
  void* pointer = nullptr;
  const void* function = nullptr;
  bool prior = false;
};

struct WidgetInfo {
  int32_t id = 0;
  std::string type;
  int32_t parent = 0;  // 0: not attached
  std::vector<int32_t> children;
  std::map<std::string, WidgetValue> properties;
};

// Every request since the last reset or clear, in order.
STANDIN_API const std::vector<WidgetRequestRecord>& WidgetRequests();
STANDIN_API void ClearWidgetRequests();

// A request code's name as the request log writes it ("Create", "Write", ...);
// an unknown code as hexadecimal.
STANDIN_API std::string WidgetRequestName(int32_t code);

STANDIN_API int32_t MainWindowId();
// The live widget `id`, or nothing.
STANDIN_API std::optional<WidgetInfo> FindWidget(int32_t id);
// Ids of the live widgets, ascending (the main window included).
STANDIN_API std::vector<int32_t> WidgetIds();
// The hooks registered on `widget_id`, in order of registration.
STANDIN_API std::vector<WidgetHook> WidgetHooks(int32_t widget_id);

// An extra pair of an event's list; the value must live for the call.
struct EventPair {
  const char* name;
  void* value;
};

// Calls the "proc" of every hook of `type` on `widget_id`, in order, with the
// list ("target_id", widget_id), ("sender_id", widget_id), ("type", type),
// then `extra`, closed by a null name; `document` is passed through. Answers
// the last proc's answer, 0 when no hook matches.
STANDIN_API int32_t FireEvent(int32_t widget_id, const std::string& type,
                              const std::vector<EventPair>& extra = {}, void* document = nullptr);
// A press of the button: fires "execute" on it.
STANDIN_API int32_t Click(int32_t button_id, void* document = nullptr);
// The user closes the window: "visible" becomes false and, when it was
// visible, "hide" is fired. Answers whether "hide" was fired.
STANDIN_API bool SimulateUserClose(int32_t window_id, void* document = nullptr);

// A canvas of the host's drawing, as paint and draw-item events carry it: a
// handle unlike any other, valid until the next reset. Nothing is drawn on it.
STANDIN_API void* NewCanvas();

// Back to the start: only the main window, no hooks, no requests, no faults,
// no canvases, ids counted afresh.
STANDIN_API void ResetWidgetHost();

// Fault switches, off until set or reset.
// The n-th Create from now (1 = the next) leaves the id untouched; 0 = off.
STANDIN_API void FailNthCreate(int n);
// Every Create of `type` leaves the id untouched; "" = off.
STANDIN_API void FailCreatesOfType(const std::string& type);
// SystemWidget leaves "result" untouched.
STANDIN_API void WithholdMainWindow(bool withhold);
// Create gives the lowest id that no live widget holds, as a host that hands a
// deleted widget's id to the next widget it makes.
STANDIN_API void ReuseWidgetIds(bool reuse);

}  // namespace standin
