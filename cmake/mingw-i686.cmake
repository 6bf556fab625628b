# Cross build of the 32-bit Windows program with mingw-w64; tests run under Wine.
set(ZORLI_MINGW_PROCESSOR i686)
set(ZORLI_MINGW_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
