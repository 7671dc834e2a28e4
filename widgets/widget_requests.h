// The requests the widget layer sends to the host's widget entry points.
//
// Each function is exactly one call of MQWidget_Value (or MQCanvas_Value) with
// the pairs, order and value types the host expects. Values are passed by
// address and live only for the call; text values are the address of their
// first character and must be constants with static storage. Every request is
// sent even when the target is 0. The entry point's answer is never used, and a
// table slot that is not bound yet sends nothing.
#pragma once

#include <cstdint>

#include "platform/abi.h"

namespace rowshift {

// Request codes of MQWidget_Value.
enum class WidgetRequest : int32_t {
  SystemWidget = 0x100,
  Create = 0x101,
  Delete = 0x102,
  AttachChild = 0x201,
  AttachWindow = 0x203,
  Read = 0x301,
  Write = 0x302,
  HookEvent = 0x304,
};

// Request codes of MQCanvas_Value.
enum class CanvasRequest : int32_t {
  Delete = 0x102,
};

// Widget types the plug-in creates.
inline constexpr char kWindowType[] = "window";
inline constexpr char kFrameType[] = "frame";
inline constexpr char kButtonType[] = "button";

// Property keys and the one text value the plug-in writes.
inline constexpr char kTitleProperty[] = "title";          // wide text
inline constexpr char kVisibleProperty[] = "visible";      // bool
inline constexpr char kPosXProperty[] = "pos_x";           // int
inline constexpr char kPosYProperty[] = "pos_y";           // int
inline constexpr char kAlignmentProperty[] = "alignment";  // text
inline constexpr char kInspaceProperty[] = "inspace";      // double
inline constexpr char kOutspaceProperty[] = "outspace";    // double
inline constexpr char kTextProperty[] = "text";            // wide text
inline constexpr char kVerticalAlignment[] = "vert";

inline constexpr char kMainWindowSystemName[] = "main_window";

// Create, target 0: ("type", type), ("id", id). The host writes the new id
// straight into *id; 0 afterwards means the create failed.
void SendCreate(const char* type, int32_t* id);
// Delete, target id, empty list.
void SendDelete(int32_t id);
// AttachChild, target container: ("child", copy of child), ("result", -1).
void SendAttachChild(int32_t container, int32_t child);
// AttachWindow, target parent: ("child", copy of child), ("result", -1).
void SendAttachWindow(int32_t parent, int32_t child);
// SystemWidget, target 0: ("system", name), ("result", -1). Answers "result" as
// the host left it, unchecked (-1 when the host did not write it).
int32_t SendSystemWidget(const char* system_name);

// Write, one property per request.
void WriteBoolProperty(int32_t id, const char* key, bool value);  // one byte, 0 or 1
void WriteIntProperty(int32_t id, const char* key, int32_t value);
void WriteDoubleProperty(int32_t id, const char* key, double value);
void WriteTextProperty(int32_t id, const char* key, const char* text);
void WriteWideTextProperty(int32_t id, const char* key, const WideChar* text);

// Read of an int property, preset to 0: answers what the host wrote, or 0.
int32_t ReadIntProperty(int32_t id, const char* key);

// HookEvent, target id, with a list the caller built (closed by a null name).
void SendHookEvent(int32_t id, void** list);

// MQCanvas_Value Delete on `canvas`, empty list.
void SendCanvasDelete(void* canvas);

}  // namespace rowshift
