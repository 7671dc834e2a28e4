// The element operations on the host's settings document.
//
// Each is one call of the host's MQXmlElem_Value(element, code, values), where
// values is a small array of pointer-sized slots whose meaning depends on the
// code. Elements belong to the host; these functions only pass handles along.
//
// A null element, or a host that offers no MQXmlElem_Value, makes no host call:
// finds and adds give null, text reads give false and empty text, and removes
// and text writes do nothing.
#pragma once

#include <cstdint>

#include "boundary/host_protocol.h"
#include "settings/text_conversion.h"

namespace rowshift {

// `name` is narrow text in the system code page (null reads as empty); it
// crosses as UTF-8.
void* FindChildElement(void* element, const char* name);  // null when there is none
void* AddChildElement(void* element, const char* name);   // the new child, or null

void RemoveChildElement(void* element, void* child);

// True and the text when the host gave text; false and empty text when it gave null.
bool GetElementText(void* element, WideString& text);

// False when the host answered 0 (or there was no call); a host may answer 0
// for a text it set: its answer is no promise either way.
bool SetElementText(void* element, const WideString& text);

}  // namespace rowshift
