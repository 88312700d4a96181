#pragma once
#include <windows.h>

namespace ui::win32 {

// The window class of frmXRD; with the caption it finds the window.
inline constexpr wchar_t kWindowClass[] = L"Sorbel.frmXRD";

// Creates frmXRD, runs its Load handler, shows it and runs the event loop
// until the window is gone. `iconId` names the application's icon group.
int run(HINSTANCE instance, int showCommand, int iconId);

}  // namespace ui::win32
