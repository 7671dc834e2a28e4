# Cross-build for 64-bit Windows (PE32+, x86-64) with mingw-w64, tests run
# under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ROWSHIFT_MINGW_TRIPLE x86_64-w64-mingw32)
set(ROWSHIFT_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
