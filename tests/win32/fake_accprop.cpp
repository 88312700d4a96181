// A stand-in for oleacc's annotation service, registered in its place in the
// test's wine prefix (whose own one annotates nothing): Sorbel.exe's calls
// are written to this DLL's path + ".log", one a line, for the test to read:
//   set <hwnd> <object> <child> <property> <name in UTF-8>
//   clear <hwnd> <object> <child> <property>
// with the property "name" for PROPID_ACC_NAME and "other" for the rest.
#include <windows.h>

#include <initguid.h>
#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

HMODULE g_module = nullptr;

void write(const std::string& line) {
  wchar_t path[MAX_PATH + 8];
  const DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
  lstrcpyW(path + n, L".log");
  HANDLE f = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
}

std::string head(const char* verb, HWND hwnd, DWORD object, DWORD child, const MSAAPROPID& p) {
  char text[96];
  std::snprintf(text, sizeof text, "%s %llx %lx %lu %s", verb,
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)),
                static_cast<unsigned long>(object), static_cast<unsigned long>(child),
                IsEqualGUID(p, PROPID_ACC_NAME) ? "name" : "other");
  return text;
}

std::string utf8(const wchar_t* s) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
  return out;
}

// `self` as its interface `I`, which `own` names, or as IUnknown.
template <class I>
HRESULT query(I* self, REFIID own, REFIID iid, void** out) {
  *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, own) ? self : nullptr;
  if (*out == nullptr) return E_NOINTERFACE;
  self->AddRef();
  return S_OK;
}

class Services final : public IAccPropServices {
 public:
  HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
    return query<IAccPropServices>(this, IID_IAccPropServices, iid, out);
  }
  ULONG WINAPI AddRef() override { return ++refs_; }
  ULONG WINAPI Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD object, DWORD child, MSAAPROPID prop,
                                LPCWSTR str) override {
    write(head("set", hwnd, object, child, prop) + " " + utf8(str) + "\n");
    return S_OK;
  }
  HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD object, DWORD child, const MSAAPROPID* props,
                                int count) override {
    for (int i = 0; i < count; ++i) write(head("clear", hwnd, object, child, props[i]) + "\n");
    return S_OK;
  }

  // Not used by the program: refused, and written down should it ever call them.
#define REFUSED(name, ...) \
  HRESULT WINAPI name(__VA_ARGS__) override { return refuse(); }
  REFUSED(SetPropValue, const BYTE*, DWORD, MSAAPROPID, VARIANT)
  REFUSED(SetPropServer, const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope)
  REFUSED(ClearProps, const BYTE*, DWORD, const MSAAPROPID*, int)
  REFUSED(SetHwndProp, HWND, DWORD, DWORD, MSAAPROPID, VARIANT)
  REFUSED(SetHwndPropServer, HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope)
  REFUSED(ComposeHwndIdentityString, HWND, DWORD, DWORD, BYTE**, DWORD*)
  REFUSED(DecomposeHwndIdentityString, const BYTE*, DWORD, HWND*, DWORD*, DWORD*)
  REFUSED(SetHmenuProp, HMENU, DWORD, MSAAPROPID, VARIANT)
  REFUSED(SetHmenuPropStr, HMENU, DWORD, MSAAPROPID, LPCWSTR)
  REFUSED(SetHmenuPropServer, HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope)
  REFUSED(ClearHmenuProps, HMENU, DWORD, const MSAAPROPID*, int)
  REFUSED(ComposeHmenuIdentityString, HMENU, DWORD, BYTE**, DWORD*)
  REFUSED(DecomposeHmenuIdentityString, const BYTE*, DWORD, HMENU*, DWORD*)
#undef REFUSED

 private:
  static HRESULT refuse() {
    write("unexpected\n");
    return E_NOTIMPL;
  }
  ULONG refs_ = 1;
};

class Factory final : public IClassFactory {
 public:
  HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
    return query<IClassFactory>(this, IID_IClassFactory, iid, out);
  }
  ULONG WINAPI AddRef() override { return 2; }  // static: never freed
  ULONG WINAPI Release() override { return 1; }
  HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* s = new Services;
    const HRESULT hr = s->QueryInterface(iid, out);
    s->Release();
    return hr;
  }
  HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_AccPropServices)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
