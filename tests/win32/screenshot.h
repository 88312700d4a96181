#pragma once
#include <windows.h>

#include <string>

namespace driver {

// Copies the window as it shows on the screen into a PNG file.
bool screenshot(HWND window, const std::wstring& pngPath);

}  // namespace driver
