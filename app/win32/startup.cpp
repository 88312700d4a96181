// The program's entry point, ahead of the C runtime's. The rest of the
// program computes with SSE2; on a processor without it, the first double
// would end the program without a word. This file is built without SSE so
// that it can say why instead.
#include <windows.h>

#include <string_view>

#include "app/win32/startup.h"
#include "ui/texts.h"

extern "C" int WinMainCRTStartup();

namespace {

// Into a fixed buffer: the C runtime, and so the heap, is not set up yet.
template <int N>
void widen(std::string_view utf8, wchar_t (&out)[N]) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out, N - 1);
  out[n] = L'\0';
}

}  // namespace

extern "C" int sorbelStartup() {
  if (!processorRunsSse2()) {
    wchar_t title[32], text[256];
    // UTF-8 never has fewer bytes than UTF-16 has units.
    static_assert(ui::texts::kAppName.size() < 32 && ui::texts::kNeedsSse2.size() < 256);
    widen(ui::texts::kAppName, title);
    widen(ui::texts::kNeedsSse2, text);
    MessageBoxW(nullptr, text, title, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    ExitProcess(1);
  }
  return WinMainCRTStartup();
}
