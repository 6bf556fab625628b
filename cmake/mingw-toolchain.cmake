# The mingw-w64 cross build for the processor the including toolchain file names in
# ZORLI_MINGW_PROCESSOR; the tests run under Wine through ZORLI_MINGW_WINE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZORLI_MINGW_PROCESSOR})
# The -posix variants: with -win32 there is no std::mutex and Boost.Regex stops being header-only.
set(CMAKE_C_COMPILER ${ZORLI_MINGW_PROCESSOR}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORLI_MINGW_PROCESSOR}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${ZORLI_MINGW_PROCESSOR}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZORLI_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORLI_MINGW_WINE})
