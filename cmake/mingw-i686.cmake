# The shipped Sorbel.exe: 32-bit, for Windows XP SP3 and later.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(SORBEL_MINGW i686-w64-mingw32)
# The win32 thread model: the posix one links winpthread, which Debian builds
# for Windows 10 and which imports GetTickCount64 (Vista and later).
set(SORBEL_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
