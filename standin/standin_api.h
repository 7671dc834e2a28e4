// Export macro for the stand-in host's test controls (the C++ API that tests in
// the same process use to build documents, read the call log and switch faults).
#pragma once

#include "platform/abi.h"

#if defined(ROWSHIFT_BUILDING_STANDIN)
#define STANDIN_API ROWSHIFT_MODULE_EXPORT
#else
#define STANDIN_API ROWSHIFT_MODULE_IMPORT
#endif

// The stand-in's state lives in singletons made on first use and never
// destroyed: a plug-in still loaded at process exit may call in after every
// static destructor has run.
