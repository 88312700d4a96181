# Strict warnings and strictly IEEE double arithmetic on every build: the
# result's last digits depend on every operation being rounded exactly once.
add_compile_options(-Wall -Wextra -Werror -ffp-contract=off -fno-fast-math)
# Emscripten calls its target x86, but WebAssembly rounds every f64
# operation to double by its definition.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$" AND NOT EMSCRIPTEN)
  # No x87: SSE2 rounds every double operation to double.
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(WIN32)
  # One file that needs nothing but Windows' own DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
