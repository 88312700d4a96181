# Version facts derived from project(VERSION ...), the single source.
set(SORBEL_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}0")
set(SORBEL_VERSION_COMMA
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_BINARY_DIR}/generated/sorbel_version.h @ONLY)
add_library(sorbel_version INTERFACE)
target_include_directories(sorbel_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
