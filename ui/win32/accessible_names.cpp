#include "ui/win32/accessible_names.h"

// Defines the GUIDs of oleacc.h in this file: no import library is linked.
#include <initguid.h>
#include <oleacc.h>

namespace ui::win32 {
namespace {

template <class F>
F function(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// OBJID_CLIENT is a negative LONG; the annotation takes it as a DWORD.
constexpr DWORD kClient = static_cast<DWORD>(OBJID_CLIENT);

}  // namespace

// COM comes from ole32, loaded here rather than imported: the program's
// imports stay within KERNEL32, USER32, GDI32 and msvcrt. It is loaded by
// its full path in the system folder, never from the program's own.
bool AccessibleNames::start() {
  if (tried_) return services_ != nullptr;
  tried_ = true;
  wchar_t path[MAX_PATH];
  const UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n + 11 > MAX_PATH) return false;
  lstrcpyW(path + n, L"\\ole32.dll");
  ole32_ = LoadLibraryW(path);
  if (!ole32_) return false;
  using Initialize = HRESULT(WINAPI*)(void*, DWORD);
  using Create = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
  const auto initialize = function<Initialize>(ole32_, "CoInitializeEx");
  const auto create = function<Create>(ole32_, "CoCreateInstance");
  const auto uninitialize = function<void(WINAPI*)()>(ole32_, "CoUninitialize");
  if (!initialize || !create || !uninitialize) return false;
  // Already started in another mode, COM still serves this thread.
  const HRESULT started = initialize(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(started))
    uninitialize_ = uninitialize;
  else if (started != RPC_E_CHANGED_MODE)
    return false;
  void* services = nullptr;
  if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                    &services)) ||
      !services)
    return false;
  services_ = static_cast<IAccPropServices*>(services);
  return true;
}

void AccessibleNames::give(HWND control, const std::wstring& name) {
  if (!control || !start()) return;
  if (SUCCEEDED(
          services_->SetHwndPropStr(control, kClient, CHILDID_SELF, PROPID_ACC_NAME, name.c_str())))
    named_.push_back(control);
}

void AccessibleNames::clear() {
  if (services_) {
    const MSAAPROPID name = PROPID_ACC_NAME;
    for (HWND h : named_) services_->ClearHwndProps(h, kClient, CHILDID_SELF, &name, 1);
    services_->Release();
    services_ = nullptr;
  }
  named_.clear();
  if (uninitialize_) uninitialize_();
  uninitialize_ = nullptr;
  if (ole32_) FreeLibrary(ole32_);
  ole32_ = nullptr;
}

}  // namespace ui::win32
