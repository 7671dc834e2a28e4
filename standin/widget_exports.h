// The stand-in host's widget entry points, under the host's names and with the
// exact shapes of the host entry-point table.
//
// Each call is recorded (widget_control.h: WidgetRequests) and writes one line
// to the call log; widgets are written by id, values by their key's type, and
// a value the host wrote back shows what it became:
//
//   MQWidget_Value(#0, Create, type="window", id=0 (now 2)) -> 1
//   MQWidget_Value(#2, Write, visible=true) -> 1
//   MQWidget_Value(#3, Write, text=L"up(&U)") -> 1
//   MQCanvas_Value(@0x5555, Delete) -> 0
//
// The answer is 1 when the request named a live widget and did what it asked,
// else 0; the plug-in never looks at it.
//
// Both pass the host-call gate first (host_call_gate.h); a call that
// FailNthCall names does nothing and answers 0.
#pragma once

#include <cstdint>

#include "platform/abi.h"
#include "standin/standin_api.h"

extern "C" {

STANDIN_API int32_t ROWSHIFT_CALL MQWidget_Value(int32_t widget_id, int32_t code, void** list);
STANDIN_API int32_t ROWSHIFT_CALL MQCanvas_Value(void* canvas, int32_t code, void** list);

}  // extern "C"
