// How the stand-in widget host reads and writes the values of request pairs.
//
// Every key has one type, as it has for the host: "visible" and "prior" are
// one-byte bools; "pos_x", "pos_y", "id", "child" and "result" 32-bit ints;
// "inspace" and "outspace" 8-byte doubles; "type", "system" and "alignment"
// 8-bit text; "title" and "text" UTF-16 text; anything else (among them
// "proc", "pointer" and "function") is kept as the address itself. A null value
// pointer reads as None and is never written through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standin/widget_control.h"

namespace standin {

WidgetValueKind KindOfKey(const std::string& key);

WidgetValue ReadWidgetValue(const std::string& key, const void* value);

// Stores an int through a value pointer of the plug-in; null is skipped.
void StoreInt(void* where, int32_t value);

// Decodes the raw list of a request: its pairs, read as they are now.
std::vector<WidgetPair> ReadPairs(void** list);

// NUL-terminated UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const void* units);

}  // namespace standin
