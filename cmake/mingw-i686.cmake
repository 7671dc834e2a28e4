# Cross-build for 32-bit Windows with mingw-w64, tests run under Wine.
#
# The posix-thread compilers are the ones GoogleTest builds with. Every binary
# links libgcc, libstdc++ and winpthread statically, so the plug-in and the
# stand-in host need nothing on the user's machine but Windows system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ROWSHIFT_MINGW_TRIPLE i686-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${ROWSHIFT_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${ROWSHIFT_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ROWSHIFT_MINGW_TRIPLE}-windres REQUIRED)

# Headers and libraries come from the mingw-w64 sysroot only; programs run on
# this machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ROWSHIFT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
# A release DLL ships without its symbol table.
set(CMAKE_MODULE_LINKER_FLAGS_RELEASE_INIT "-s")

# ctest runs every test executable through Wine, in a prefix of the build's own
# (created quietly on first use).
get_filename_component(ROWSHIFT_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../scripts/run-wine.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ROWSHIFT_WINE_RUNNER} --prefix ${CMAKE_BINARY_DIR}/wine-prefix)
