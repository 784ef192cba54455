// Start-up presets of the destination and the picker's start folder from "AppPath", and the
// key paths BuildRegistryPath makes.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/setup_scenario.h"
#include "shell/shell.h"

namespace {

using namespace scenario;
using testing_support::U8;

const char kKey[] = "HKLM\\Software\\Tevorlyn";

struct Folders {
  std::string install, browse, shortcuts;
};

Folders StartAndLook() {
  Folders seen;
  Outcome outcome = RunSetup({Do([&] {
                                seen.install = U8(State().install_dir);
                                seen.browse = U8(State().browse_path);
                                seen.shortcuts = U8(State().shortcut_dir);
                                EXPECT_EQ(seen.install, ItemText(PAGE_DESTINATION, IDC_DESTINATION_EDIT));
                              }),
                              Click(PAGE_LICENSE, IDC_CANCEL)});
  ExpectCleanEnd(outcome);
  return seen;
}

TEST(AppPath, PresetsTheDestination) {
  struct Case {
    const char *name;
    std::string stored;  // empty: no value
    bool folder_exists, file_instead;
    const char *install, *browse;
  } cases[] = {
      {"no value", "", false, false, "C:\\Program Files\\Tevorlyn\\", "C:\\Program Files\\"},
      {"existing folder with backslash", "D:\\Apps\\", true, false, "D:\\Apps\\", "D:\\Apps\\"},
      {"existing folder without backslash", "D:\\Apps", true, false, "D:\\Apps\\", "D:\\Apps"},
      {"a file", "D:\\Apps", false, true, "C:\\Program Files\\Tevorlyn\\", "C:\\Program Files\\"},
      {"a folder that is gone", "D:\\Gone\\", false, false, "C:\\Program Files\\Tevorlyn\\", "C:\\Program Files\\"},
      {"too long to read", "D:\\" + std::string(233, 'L'), true, false, "C:\\Program Files\\Tevorlyn\\",
       "C:\\Program Files\\"},
      {"longest that is read", "D:\\" + std::string(232, 'L'), true, false, nullptr, nullptr},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::NewTestFolder();
    winsim::AddDrive('D', 1ull << 30);
    if (!c.stored.empty()) winsim::SetRegistryValue(kKey, "AppPath", REG_SZ, winsim::SzBytes(c.stored));
    if (c.folder_exists) CreateDirectoryW(testing_support::W(c.stored).data(), nullptr);
    if (c.file_instead) winsim::WriteWholeFile(c.stored, {1});
    Folders seen = StartAndLook();
    std::string install = c.install ? c.install : c.stored + "\\";
    std::string browse = c.browse ? c.browse : c.stored;
    EXPECT_EQ(install, seen.install);
    EXPECT_EQ(browse, seen.browse);
    EXPECT_EQ("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tevorlyn\\", seen.shortcuts);
  }
}

TEST(BuildRegistryPath, Table) {
  SetupState state;
  ZeroMemory(&state, sizeof state);
  InitSetupState(&state);
  struct Case {
    LPCWSTR names[6];
    const char *path;
  } cases[] = {
      {{nullptr}, "Software"},
      {{L"Tevorlyn"}, "Software\\Tevorlyn"},
      {{L"Classes", nullptr, L"Directory"}, "Software\\Classes"},  // stops at the first null
      {{L"Classes", L""}, "Software\\Classes\\"},
      {{L"Classes", L"SystemFileAssociations", L"audio", L"shell", L"MicroChime", L"command"},
       "Software\\Classes\\SystemFileAssociations\\audio\\shell\\MicroChime\\command"},
  };
  for (const Case &c : cases) {
    LPWSTR path = BuildRegistryPath(&state, c.names[0], c.names[1], c.names[2], c.names[3], c.names[4], c.names[5]);
    EXPECT_EQ(state.scratch.wide, path);
    EXPECT_EQ(c.path, U8(path));
  }
}

}  // namespace
