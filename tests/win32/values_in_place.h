#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace driver {

// Registry values (REG_SZ) in place for the programs started while this
// lives, and what was there before put back afterwards. A null name is the
// key's default value.
class ValuesInPlace {
 public:
  using Values = std::vector<std::pair<const wchar_t*, std::wstring>>;
  ValuesInPlace(HKEY root, const wchar_t* path, const Values& values) {
    RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    for (const auto& [name, value] : values) {
      wchar_t old[MAX_PATH] = {};
      DWORD size = sizeof old - sizeof(wchar_t);
      const bool had = RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                        &size) == ERROR_SUCCESS;
      saved_.push_back({name, had ? std::optional<std::wstring>(old) : std::nullopt});
      set(name, value);
    }
  }
  ~ValuesInPlace() {
    for (const auto& [name, value] : saved_)
      value ? set(name, *value) : (void)RegDeleteValueW(key_, name);
    RegCloseKey(key_);
  }
  ValuesInPlace(const ValuesInPlace&) = delete;
  ValuesInPlace& operator=(const ValuesInPlace&) = delete;

 private:
  void set(const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> saved_;
};

}  // namespace driver
