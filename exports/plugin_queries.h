// What the plug-in tells the host before MQInit: the C++ side of the
// identity, kind and string exports. None of them needs the host.
#pragma once

#include <cstdint>

#include "platform/abi.h"
#include "plugin/base_plugin.h"

namespace rowshift {

// 0 for a host older than the interface the plug-in was built for, else the
// interface version the plug-in speaks.
uint32_t CheckVersion(uint32_t host_version);

// Writes the two identifiers through whichever pointers are not null.
void ReportIdentifiers(MQBasePlugin& plugin, uint32_t* product, uint32_t* id);

// By the plug-in's kind: for a station plug-in (kinds 6 and 7) index 0 is the
// display title and every other index null. The indexed kinds (3 to 5) and
// every other kind have no strings here: null.
const WideChar* EnumDisplayString(MQBasePlugin& plugin, int32_t index);

// The file-type and file-extension strings and the file and create/modify
// operations belong to kinds of which this library has no class: the host asks
// a station plug-in for none of them. They answer null or 0 and call nothing.
const char* NoFileString(int32_t index);
int32_t NoFileOperation(void* first, void* second, void* third);
int32_t NoMainOperation(void* first, void* second);

}  // namespace rowshift
