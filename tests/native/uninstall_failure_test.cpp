// The uninstaller where something cannot go: each item that stays is named in one warning at
// the end and the rest still goes; a person who is not an administrator is only warned.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "native/uninstall_fixture.h"

namespace {

using namespace uninstall_fixture;

const std::string kUninstallKey = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn";
const std::string kNotScheduled = " (its removal at restart could not be scheduled)";

std::string Lines(const std::vector<std::string> &lines) {
  std::string text = kFailedIntro;
  for (const std::string &line : lines) text += "\n" + line;
  return text;
}

TEST(UninstallFailure, WhatStaysIsListedAndTheRestGoes) {
  HANDLE held = INVALID_HANDLE_VALUE;
  struct Case {
    const char *name;
    std::function<void()> arrange;
    std::vector<std::string> lines;    // of the warning, after its first line
    std::vector<std::string> kept;     // files of ours that stay
    std::vector<std::string> keys;     // keys of ours that stay
    std::vector<std::string> scheduled;
  } cases[] = {
      {"a program held open without delete sharing",
       [&] {
         held = CreateFileW(winsim::Wide(kFolder + "Tumbly.exe").data(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
         ASSERT_NE(INVALID_HANDLE_VALUE, held);
       },
       {kFolder + "Tumbly.exe"},
       {kFolder + "Tumbly.exe", kProgram},
       {},
       {kProgram}},
      {"a read-only program",
       [] { SetFileAttributesW(winsim::Wide(kFolder + "Zirvex.exe").data(), FILE_ATTRIBUTE_READONLY); },
       {kFolder + "Zirvex.exe"},
       {kFolder + "Zirvex.exe", kProgram},
       {},
       {kProgram}},
      {"two links that cannot be deleted",
       [] {
         winsim::FailPath("DeleteFileW", kMenu + "LockQZV.lnk", ERROR_ACCESS_DENIED);
         winsim::FailPath("DeleteFileW", kMenu + "Zirvex.lnk", ERROR_ACCESS_DENIED);
       },
       {kMenu + "Zirvex.lnk", kMenu + "LockQZV.lnk"},
       {kMenu + "LockQZV.lnk", kMenu + "Zirvex.lnk", kProgram},
       {},
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"the Start Menu folder cannot be removed",
       [] { winsim::FailPath("RemoveDirectoryW", kMenu, ERROR_ACCESS_DENIED); },
       {kMenu},
       {kProgram},
       {},
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"the Start Menu's location is unknown",
       [] { winsim::FailCall("SHGetFolderPathW", 1, 0x80004005); },
       {"Start Menu folder Tevorlyn"},
       {kMenu + "CloakBeacon.lnk", kMenu + "Frostbin.lnk", kMenu + "LockQZV.lnk", kMenu + "MicroChime.lnk",
        kMenu + "PanelTwine.lnk", kMenu + "QuietQuill.lnk", kMenu + "Tumbly.lnk", kMenu + "Zirvex.lnk", kProgram},
       {},
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"the uninstall key cannot be deleted",
       [] { winsim::FailPath("RegDeleteKeyW", kUninstallKey.substr(5), ERROR_ACCESS_DENIED); },
       {"HKEY_LOCAL_MACHINE\\" + kUninstallKey.substr(5)},
       {kProgram},
       {kUninstallKey},
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"a verb's command subkey cannot be deleted",
       [] { winsim::FailCall("RegDeleteKeyW", 1, ERROR_ACCESS_DENIED); },
       {"HKEY_LOCAL_MACHINE\\Software\\Classes\\Directory\\shell\\MicroChime"},
       {kProgram},
       {"HKLM\\Software\\Classes\\Directory\\shell\\MicroChime\\command"},
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"AppPath cannot be deleted",
       [] { winsim::FailPath("RegDeleteValueW", "AppPath", ERROR_ACCESS_DENIED); },
       {"HKEY_LOCAL_MACHINE\\Software\\Tevorlyn, value AppPath"},
       {kProgram},
       {"HKLM\\Software\\Tevorlyn"},
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"the uninstaller's removal cannot be scheduled",
       [] { winsim::FailPath("MoveFileExW", kProgram, ERROR_ACCESS_DENIED); },
       {kProgram + kNotScheduled},
       {kProgram},
       {},
       {}},
      {"the folder's removal cannot be scheduled",
       [] { winsim::FailPath("MoveFileExW", "C:\\Program Files\\Tevorlyn", ERROR_ACCESS_DENIED); },
       {"C:\\Program Files\\Tevorlyn" + kNotScheduled},
       {kProgram},
       {},
       {kProgram}},
      {"the folder cannot be listed",
       [] { winsim::FailCall("FindFirstFileW", 1, ERROR_ACCESS_DENIED); },
       {"C:\\Program Files\\Tevorlyn" + kNotScheduled},
       {kProgram},
       {},
       {kProgram}},
      {"the uninstaller's own path is unknown",
       [] { winsim::FailCall("GetModuleFileNameW", 1, ERROR_ACCESS_DENIED); },
       {"The programs (the uninstaller's own folder is unknown)"},
       {kFolder + "CloakBeacon.exe", kFolder + "Frostbin.exe", kFolder + "LockQZV.exe", kFolder + "MicroChime.exe",
        kFolder + "PanelTwine.exe", kFolder + "QuietQuill.exe", kFolder + "Tumbly.exe", kFolder + "Zirvex.exe",
        kProgram},
       {},
       {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    FreshMachine();
    Install();
    c.arrange();
    std::vector<winsim::MessageBoxRecord> boxes = Uninstall({IDYES});
    if (held != INVALID_HANDLE_VALUE) {
      CloseHandle(held);
      held = INVALID_HANDLE_VALUE;
    }
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(Lines(c.lines), boxes[1].text);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), boxes[1].type);

    // Ours that stays is exactly what was named; everything else of ours is gone.
    std::vector<std::string> left = FilesBelow(kFolder);
    std::vector<std::string> links = FilesBelow(kMenu);
    left.insert(left.end(), links.begin(), links.end());
    std::vector<std::string> kept = c.kept;
    std::sort(kept.begin(), kept.end());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(kept, left);
    std::vector<std::string> scheduled;
    for (const winsim::PendingRename &rename : winsim::PendingRenames()) scheduled.push_back(rename.from);
    EXPECT_EQ(c.scheduled, scheduled);
    const char *ours[] = {"HKLM\\Software\\Classes\\Directory\\shell\\MicroChime\\command",
                          "HKLM\\Software\\Classes\\SystemFileAssociations\\audio\\shell\\MicroChime",
                          "HKLM\\Software\\Classes\\.qtxt", "HKLM\\Software\\Classes\\QuietQuill.Document",
                          "HKLM\\Software\\Classes\\.fro", "HKLM\\Software\\Classes\\Frostbin.File",
                          "HKLM\\Software\\Tevorlyn", kUninstallKey.c_str()};
    for (const char *key : ours) {
      bool expected = std::find(c.keys.begin(), c.keys.end(), key) != c.keys.end();
      EXPECT_EQ(expected, winsim::RegistryKeyExists(key)) << key;
    }
  }
}

TEST(UninstallFailure, AfterAFailureInstallingAgainIsComplete) {
  FreshMachine();
  Install();
  const std::string installed = RegistrySoftware();
  const std::vector<std::string> files = FilesBelow(kFolder);
  winsim::FailCall("RegDeleteKeyW", 1, ERROR_ACCESS_DENIED);
  winsim::FailPath("DeleteFileW", kFolder + "Frostbin.exe", ERROR_ACCESS_DENIED);
  std::vector<winsim::MessageBoxRecord> boxes = Uninstall({IDYES});
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), boxes[1].type);
  Install();
  EXPECT_EQ(installed, RegistrySoftware());
  EXPECT_EQ(files, FilesBelow(kFolder));
}

TEST(UninstallFailure, NonAdministratorIsWarnedAndNothingChanges) {
  FreshMachine();
  Install();
  const std::string registry = winsim::RegistryDump();
  const std::vector<std::string> files = FilesBelow("C:\\");
  winsim::SetAdministrator(false);
  std::vector<winsim::MessageBoxRecord> boxes = Uninstall({IDYES});
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("You must be logged in as an administrator to remove this software.", boxes[0].text);
  EXPECT_EQ("Tevorlyn App Pack", boxes[0].caption);
  EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), boxes[0].type);
  EXPECT_EQ(registry, winsim::RegistryDump());
  EXPECT_EQ(files, FilesBelow("C:\\"));
  EXPECT_TRUE(winsim::PendingRenames().empty());
}

}  // namespace
