set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(SORBEL_MINGW x86_64-w64-mingw32)
# The posix-threads variant: the win32 one lacks std::mutex, which GoogleTest needs.
set(SORBEL_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
# Tests run under wine64.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
