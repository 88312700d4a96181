# The facts every front end, resource and package reads: the version, from
# project(VERSION ...), and the app id. Nothing else spells them out.

# Sets, in the caller's scope, from a version of one to four numbers:
#   SORBEL_VERSION_SHORT  MAJOR.MINOR, the minor in two digits (1.1 -> 1.01),
#                         as users, package names and the version resource see it
#   SORBEL_VERSION_FULL   all four numbers (1.1 -> 1.1.0.0), as Windows wants them
#   SORBEL_VERSION_COMMA  the same with commas, for the resource's FILEVERSION
function(sorbel_version_facts version)
  if(NOT version MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    message(FATAL_ERROR "Version '${version}' is not one to four numbers separated by dots")
  endif()
  string(REPLACE "." ";" parts "${version}")
  list(LENGTH parts count)
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  set(numbers)
  foreach(part IN LISTS parts)
    # Windows keeps each number in 16 bits; math() also drops leading zeros.
    math(EXPR part "${part}")
    if(part GREATER 65535)
      message(FATAL_ERROR "Version '${version}': ${part} does not fit in 16 bits")
    endif()
    list(APPEND numbers ${part})
  endforeach()
  list(GET numbers 0 major)
  list(GET numbers 1 minor)
  if(minor GREATER 99)
    message(FATAL_ERROR "Version '${version}': the minor number ${minor} has more than two digits")
  endif()
  if(minor LESS 10)
    set(minor "0${minor}")
  endif()
  list(JOIN numbers "." full)
  list(JOIN numbers "," comma)
  set(SORBEL_VERSION_SHORT "${major}.${minor}" PARENT_SCOPE)
  set(SORBEL_VERSION_FULL "${full}" PARENT_SCOPE)
  set(SORBEL_VERSION_COMMA "${comma}" PARENT_SCOPE)
endfunction()

# Scripts (the tests) include this file for the function alone.
if(CMAKE_SCRIPT_MODE_FILE)
  return()
endif()

set(SORBEL_APP_ID "org.sorbel.Sorbel" CACHE STRING
    "Reverse-DNS id of the program, its desktop entry, icon and metainfo")
sorbel_version_facts("${PROJECT_VERSION}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_BINARY_DIR}/generated/sorbel_version.h @ONLY)
# For scripts outside CMake (release.sh): the short version on one line.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/version.txt CONTENT "${SORBEL_VERSION_SHORT}\n")
add_library(sorbel_version INTERFACE)
target_include_directories(sorbel_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
