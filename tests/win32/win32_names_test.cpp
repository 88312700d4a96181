// Sorbel.exe names its boxes for screen readers, through Dynamic Annotation.
// Wine's own annotation service keeps nothing, so a stand-in that writes
// down what it is told (fake_accprop.dll) takes its place while the program
// runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/program.h"
#include "tests/win32/values_in_place.h"
#include "tests/win32/wine_driver.h"
#include "ui/layout.h"

std::wstring g_fakeAccProp;

namespace {

using ui::Control;

std::vector<std::string> lines(const std::wstring& path) {
  std::string text;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f != INVALID_HANDLE_VALUE) {
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(f, chunk, sizeof chunk, &n, nullptr) && n > 0) text.append(chunk, n);
    CloseHandle(f);
  }
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  std::sort(out.begin(), out.end());
  return out;
}

// A line of the stand-in's log for `hwnd`'s own object (OBJID_CLIENT, CHILDID_SELF).
std::string logLine(const char* verb, HWND hwnd, const std::string& rest) {
  char head[64];
  std::snprintf(head, sizeof head, "%s %llx fffffffc 0 ", verb,
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
  return head + rest;
}

TEST(Win32Names, EveryBoxIsNamedAfterItsLabelUntilTheWindowCloses) {
  const std::wstring log = g_fakeAccProp + L".log";
  struct Row {
    const wchar_t* server;  // of the annotation service
    bool names;
  };
  const Row rows[] = {
      {g_fakeAccProp.c_str(), true},
      {L"C:\\nowhere\\missing.dll", false},  // no service: no names, and no fuss
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message()
                 << "server " << std::string(r.server, r.server + wcslen(r.server)));
    DeleteFileW(log.c_str());
    // The service's in-process server, in the test's own wine prefix.
    const driver::ValuesInPlace inPlace(
        HKEY_LOCAL_MACHINE,
        L"Software\\Classes\\CLSID\\{B5F8350B-0548-48B1-A6EE-88BD00B4A5E7}\\InprocServer32",
        {{nullptr, r.server}, {L"ThreadingModel", L"Both"}});
    window::WineDriver driver(g_exe, g_shots);
    driver.start();
    driver::App& app = driver.app();
    ASSERT_TRUE(app.started());
    EXPECT_FALSE(app.messageBox().has_value());

    std::vector<std::string> set, cleared;
    for (Control c : window::kBoxes) {
      const std::string name(ui::spec(ui::labelFor(c)).text);
      std::vector<HWND> named{app.item(c)};
      if (c == Control::combWL) named.push_back(GetWindow(app.item(c), GW_CHILD));  // its field
      for (HWND h : named) {
        set.push_back(logLine("set", h, "name " + name));
        cleared.push_back(logLine("clear", h, "name"));
      }
    }
    std::sort(set.begin(), set.end());
    EXPECT_EQ(lines(log), r.names ? set : std::vector<std::string>{});

    EXPECT_TRUE(driver.performEnding(window::clicking(Control::cmdEnd)));
    std::vector<std::string> all = r.names ? set : std::vector<std::string>{};
    if (r.names) all.insert(all.end(), cleared.begin(), cleared.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(lines(log), all);  // and nothing unexpected
  }
}

}  // namespace
