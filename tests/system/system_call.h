// The calling convention of the system's own library functions, for the rare
// caller that resolves one by name through the module loader instead of
// declaring it through the system's headers.
#pragma once

#if defined(_WIN32)
#define ROWSHIFT_SYSTEM_CALL __stdcall
#else
#define ROWSHIFT_SYSTEM_CALL
#endif
