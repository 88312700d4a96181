// Sorbel.exe's entry point on a processor without SSE2, for the tests: the
// processor's answer is stood in, and the program proper must never start.
#include <windows.h>

#include "app/win32/startup.h"

bool processorRunsSse2() { return false; }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 99; }
