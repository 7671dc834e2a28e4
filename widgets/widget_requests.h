// The requests the widget layer sends to the host's widget entry points.
//
// Each function is exactly one call of MQWidget_Value (or MQCanvas_Value) with
// the pairs, order and value types the host expects. Values are passed by
// address and live only for the call; text values are the address of their
// first character and must be constants with static storage. Every request is
// sent even when the target is 0. The entry point's answer means nothing and is
// never used; a table slot that is not bound yet sends nothing.
#pragma once

#include <cstdint>

#include "boundary/host_protocol.h"
#include "platform/abi.h"

namespace rowshift {

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

// Read of an int property, preset to 0: answers what the host wrote, and the
// preset when it wrote nothing or the entry point is not bound.
int32_t ReadIntProperty(int32_t id, const char* key);

// HookEvent, target id, with a list the caller built (closed by a null name).
void SendHookEvent(int32_t id, void** list);

// MQCanvas_Value Delete on `canvas`, empty list.
void SendCanvasDelete(void* canvas);

}  // namespace rowshift
