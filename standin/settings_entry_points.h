// The stand-in host's settings and message entry points, declared for tests in
// the same process that bind them into the plug-in's entry-point table
// directly. Their shapes are those of the table's slots (export_shapes.cpp
// checks every export the plug-in calls).
//
// Both pass the host-call gate first (host_call_gate.h); a call that
// FailNthCall names fails as host_call_control.h lists.
#pragma once

#include <cstdint>

#include "boundary/host_functions.h"
#include "standin/standin_api.h"

// Element operations on the settings document:
//   0x201 find:   values[0] the child's UTF-8 name; writes the first child of that
//                 name, or null, into values[1]. Answers 1 when found, else 0.
//   0x101 add:    values[0] the UTF-8 name; appends a child without text and
//                 writes it into values[1]. Answers 1.
//   0x102 remove: values[0] a child, values[1] a pointer to an int (read for the
//                 log only). Answers 1 when it was a child, else 0.
//   0x302 text:   writes a pointer to the element's UTF-8 text (valid until the
//                 element changes), or null when it has none, into values[0].
//                 Answers 1 when it has text, else 0.
//   0x402 set:    values[0] the new UTF-8 text. Answers 1.
// A null or unknown element, a null values array, a null name or an unknown code
// answers 0 and writes nothing. Every call is logged, for example
//   MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, "PosX") -> 1
extern "C" STANDIN_API int32_t ROWSHIFT_CALL MQXmlElem_Value(void* element, int32_t code,
                                                             void** values);

// Records and counts every message and answers 0. Message 505 writes the root
// element into each "root" value slot of the message's list, and the plug-in
// settings element into each "pluginsettings" slot. Logged as
//   MQ_SendMessage(505, 5D2E7C14, 2A6B93F0) -> 0
extern "C" STANDIN_API int32_t ROWSHIFT_CALL MQ_SendMessage(int32_t code, HostMessage* message);
