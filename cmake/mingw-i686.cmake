# Cross-build for 32-bit Windows (PE32, i686) with mingw-w64, tests run under
# 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ROWSHIFT_MINGW_TRIPLE i686-w64-mingw32)
set(ROWSHIFT_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
