#pragma once
#include <windows.h>

#include <string>

#include "tests/window/contrast.h"

namespace driver {

// The window as it shows on the screen: its client area, or all of it.
window::Picture capture(HWND window, bool clientOnly = true);

// Where `child` stands in `window`'s client area.
RECT rectIn(HWND window, HWND child);

// Copies the window as it shows on the screen into a PNG file.
bool screenshot(HWND window, const std::wstring& pngPath);

}  // namespace driver
