#include <windows.h>

#include "app/win32/resource.h"
#include "ui/win32/win32_form.h"

namespace {

// The program's locale is Simplified Chinese (2052): the thread's locale,
// and, where the system has it (Vista and later), the language in which the
// system's own texts (the message boxes' buttons) are loaded. Looked up at
// run time so that older systems still start the program.
void useChineseLocale() {
  const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  SetThreadLocale(MAKELCID(chinese, SORT_DEFAULT));
  using SetUiLanguage = LANGID(WINAPI*)(LANGID);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    auto set = reinterpret_cast<SetUiLanguage>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetThreadUILanguage")));
    if (set) set(chinese);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  useChineseLocale();
  return ui::win32::run(instance, showCommand, IDI_SORBEL);
}
