#include <windows.h>

#include "app/win32/startup.h"

// The system's answer covers the processor and the system's own support
// for the SSE registers; Windows XP already gives it.
bool processorRunsSse2() { return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE); }
