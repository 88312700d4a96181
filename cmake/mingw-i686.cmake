set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
# The posix-threads variant: the win32 one lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The shipped program's tests run under wine where this machine runs 32-bit
# code and wine32 is installed (dev.sh installs it there); elsewhere they
# are built only, and the tests say so.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/i386.sh RESULT_VARIABLE i386_status
                ERROR_VARIABLE SORBEL_I386_REASON ERROR_STRIP_TRAILING_WHITESPACE)
if(NOT i386_status EQUAL 0)
elseif(NOT EXISTS /usr/lib/wine/wine)
  set(SORBEL_I386_REASON "wine32 is not installed (/usr/lib/wine/wine)")
else()
  set(SORBEL_I386_REASON "")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine32-run)
endif()
