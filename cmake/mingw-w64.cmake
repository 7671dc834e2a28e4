# What both Windows cross-builds share. The toolchain file of each machine
# (mingw-i686.cmake, mingw-x86_64.cmake) names its compiler triple and Wine
# architecture, then includes this.
#
# The posix-thread compilers are the ones GoogleTest builds with. Every binary
# links libgcc, libstdc++, winpthread and the stack guard (libssp) statically,
# so the plug-in and the stand-in host need nothing on the user's machine but
# Windows system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

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

# Every image is loaded at a random address (with the whole 64-bit range open
# to it on x86-64) and keeps its data from being run as code; the flags are
# named rather than left to the linker's defaults.
set(ROWSHIFT_MINGW_LINK_FLAGS "-static -Wl,--dynamicbase -Wl,--nxcompat")
if(ROWSHIFT_MINGW_TRIPLE MATCHES "^x86_64")
  string(APPEND ROWSHIFT_MINGW_LINK_FLAGS " -Wl,--high-entropy-va")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "${ROWSHIFT_MINGW_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${ROWSHIFT_MINGW_LINK_FLAGS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${ROWSHIFT_MINGW_LINK_FLAGS}")
# A release DLL ships without its symbol table.
set(CMAKE_MODULE_LINKER_FLAGS_RELEASE_INIT "-s")

# ctest runs every test executable through Wine of the machine's width, in a
# prefix of the build's own (created quietly on first use).
get_filename_component(ROWSHIFT_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../scripts/run-wine.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ROWSHIFT_WINE_RUNNER} --prefix ${CMAKE_BINARY_DIR}/wine-prefix
                                  --arch ${ROWSHIFT_WINE_ARCH})
