// Test controls for the host calls themselves: how often the plug-in called
// each host entry point, and a switch that makes one chosen call fail.
//
// A failed call does nothing and answers the way a host that refuses answers:
//
//   MQ_SendMessage               0; message 505 writes no element
//   MQDoc_GetObjectCount         0
//   MQDoc_GetObject              null
//   MQDoc_GetCurrentObjectIndex  -1
//   MQDoc_SetCurrentObjectIndex  0, the current object index unchanged
//   MQDoc_DeleteObject           0, nothing deleted
//   MQDoc_GetObjectIndex         -1
//   MQDoc_GetParentObject        null
//   MQDoc_GetChildObjectCount    0
//   MQDoc_InsertObject           -1, nothing inserted
//   MQObj_Delete                 nothing freed (the object stays a clone in no slot)
//   MQObj_Clone                  null
//   MQObj_GetIntValue            0, as for a value never written
//   MQObj_SetIntValue            0, the value unchanged
//   MQXmlElem_Value              0, no element changed and nothing written back
//                                (find and add give no element, text gives null)
//   MQWidget_Value               0, nothing done and nothing written back
//                                (Create leaves the id at 0)
//   MQCanvas_Value               0
//
// A failed call is written to the call log as "MQDoc_InsertObject fails"
// instead of its ordinary line, and is not recorded as a host message or
// widget request.
#pragma once

#include "boundary/host_function_list.h"
#include "standin/standin_api.h"

namespace standin {

// The host entry points the plug-in calls, in the order of the host list.
enum class EntryPoint {
#define STANDIN_CALLED_ENTRY_POINT(name, result, parameters) name,
#define STANDIN_RESOLVED_ENTRY_POINT(name)
  ROWSHIFT_HOST_FUNCTIONS(STANDIN_CALLED_ENTRY_POINT, STANDIN_RESOLVED_ENTRY_POINT)
#undef STANDIN_CALLED_ENTRY_POINT
#undef STANDIN_RESOLVED_ENTRY_POINT
};

#define STANDIN_COUNT_CALLED(name, result, parameters) +1
#define STANDIN_COUNT_RESOLVED(name)
inline constexpr int kCalledEntryPointCount =
    0 ROWSHIFT_HOST_FUNCTIONS(STANDIN_COUNT_CALLED, STANDIN_COUNT_RESOLVED);
#undef STANDIN_COUNT_CALLED
#undef STANDIN_COUNT_RESOLVED

// The export's name ("MQDoc_InsertObject").
STANDIN_API const char* EntryPointName(EntryPoint entry_point);

// Calls of `entry_point` since the last reset, failed ones included.
STANDIN_API int CallCount(EntryPoint entry_point);

// Calls that the switch below made fail since the last reset.
STANDIN_API int FailedCallCount();

// The n-th call of `entry_point` from now (1 = the next) fails; n <= 0 turns
// the switch off. One switch: arming it again replaces the earlier choice.
STANDIN_API void FailNthCall(EntryPoint entry_point, int n);

// Every count back to 0 and the switch off.
STANDIN_API void ResetHostCalls();

}  // namespace standin
