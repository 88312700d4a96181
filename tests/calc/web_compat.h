// Included before every calc test in the WebAssembly build: what the tests
// use and emscripten 3.1.6's libraries (libc++ 13, musl) lack.
#pragma once
#include <bit>
#include <cfenv>

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

// WebAssembly keeps no floating-point status flags, so musl names none;
// the one test that compares with them is left out (web_compat.cpp).
#define FE_INVALID 0
#define FE_DIVBYZERO 0
#define FE_OVERFLOW 0
