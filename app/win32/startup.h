#pragma once

// Whether this processor, and the system with it, runs SSE2 code. Its own
// file so that a test build can stand in another answer.
bool processorRunsSse2();
