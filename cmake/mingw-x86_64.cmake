# Cross build of the same Windows program for x86-64, for machines that cannot run 32-bit
# code (Wine's 32-bit loader needs it): the Windows suites then run on this build under wine64.
set(ZORLI_MINGW_PROCESSOR x86_64)
set(ZORLI_MINGW_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
