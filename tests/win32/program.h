#pragma once
#include <string>

// The program under test and where pictures of it go: the test program's
// two arguments.
extern std::wstring g_exe, g_shots;
