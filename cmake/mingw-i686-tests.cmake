# The tests of the shipped 32-bit Sorbel.exe. GoogleTest needs std::mutex,
# which only the posix thread model has; the test programs are built with
# it, while the program they drive comes from the shipped build.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
# They run under wine where this machine runs 32-bit code and wine32 is
# installed (dev.sh installs it there); elsewhere they are built only, and
# the tests say so.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/i386.sh RESULT_VARIABLE i386_status
                ERROR_VARIABLE SORBEL_I386_REASON ERROR_STRIP_TRAILING_WHITESPACE)
if(NOT i386_status EQUAL 0)
elseif(NOT EXISTS /usr/lib/wine/wine)
  set(SORBEL_I386_REASON "wine32 is not installed (/usr/lib/wine/wine)")
else()
  set(SORBEL_I386_REASON "")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine32-run)
endif()
