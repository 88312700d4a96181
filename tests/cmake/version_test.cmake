# sorbel_version_facts: the short, four-number and comma forms of a version,
# and the versions it must refuse.
#   cmake -DSORBEL_SOURCE_DIR=<source> -P version_test.cmake
cmake_minimum_required(VERSION 3.25)
include(${SORBEL_SOURCE_DIR}/cmake/Version.cmake)

# A refused version is tried in a cmake of its own: FATAL_ERROR ends the script.
if(DEFINED REFUSE)
  sorbel_version_facts("${REFUSE}")
  return()
endif()

set(failures 0)
# version | short | full | comma
set(cases
    "1.0.0.0|1.00|1.0.0.0|1,0,0,0"
    "1.1.0.0|1.01|1.1.0.0|1,1,0,0"
    "1.9|1.09|1.9.0.0|1,9,0,0"
    "1.10|1.10|1.10.0.0|1,10,0,0"
    "1.12.3|1.12|1.12.3.0|1,12,3,0"
    "2.99.4.7|2.99|2.99.4.7|2,99,4,7"
    "3|3.00|3.0.0.0|3,0,0,0"
    "1.01|1.01|1.1.0.0|1,1,0,0"
    "10.5.0.65535|10.05|10.5.0.65535|10,5,0,65535")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 version)
  list(GET fields 1 short)
  list(GET fields 2 full)
  list(GET fields 3 comma)
  sorbel_version_facts("${version}")
  set(got "${SORBEL_VERSION_SHORT}|${SORBEL_VERSION_FULL}|${SORBEL_VERSION_COMMA}")
  if(NOT got STREQUAL "${short}|${full}|${comma}")
    message(SEND_ERROR "${version}: got ${got}, expected ${short}|${full}|${comma}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

# Two-digit minor, 16-bit numbers, one to four numbers.
set(refused "1.100" "1.0.0.65536" "" "1.0.0.0.0" "1..0" "1.0-rc1" "v1.0")
foreach(version IN LISTS refused)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSORBEL_SOURCE_DIR=${SORBEL_SOURCE_DIR} -DREFUSE=${version}
                          -P ${CMAKE_CURRENT_LIST_FILE}
                  RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE err)
  if(code EQUAL 0 OR NOT err MATCHES "Version '")
    message(SEND_ERROR "'${version}' was accepted (exit ${code}): ${err}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

list(LENGTH cases n)
list(LENGTH refused m)
if(failures)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
message(STATUS "${n} versions formatted, ${m} refused")
