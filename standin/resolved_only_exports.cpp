// The host entry points that the plug-in resolves but never calls. They exist
// so that MQInit finds all 191 names; each does nothing and answers 0.
//
// A variant module that lacks one name is built from this same file with that
// name redefined (-DMQ_GetWindowHandle=Lacking_MQ_GetWindowHandle), so the
// export appears under another name and the real one is missing.
#include "boundary/host_function_list.h"
#include "platform/abi.h"

#define STANDIN_CALLED_ELSEWHERE(name, result, params)
#define STANDIN_RESOLVED_ONLY(name) \
  extern "C" ROWSHIFT_MODULE_EXPORT int ROWSHIFT_CALL name() { return 0; }

ROWSHIFT_HOST_FUNCTIONS(STANDIN_CALLED_ELSEWHERE, STANDIN_RESOLVED_ONLY)
