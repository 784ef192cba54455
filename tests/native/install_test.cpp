// Installations through the real WinMain: the details list, files with their bytes and times,
// links, registry entries, progress, results, failures, and the folders kept intact per step.
#include <gtest/gtest.h>

#include "common/lnk_reader.h"
#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace {

using namespace scenario;
using testing_support::U8;

const char *kNames[] = {"Zirvex", "PanelTwine", "CloakBeacon", "Tumbly", "MicroChime", "QuietQuill", "LockQZV", "Frostbin"};
const std::string kFolder = "C:\\Program Files\\Tevorlyn\\";
const std::string kMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tevorlyn\\";
const char kFailed[] = "ERROR: Write failed.";

struct Watch {
  std::vector<int> progress;          // every new position of the bar
  std::vector<std::string> details;   // the list at the end
  std::string status;
  DWORD run_state = 0;
  DWORD error_count = 0;
  bool folders_kept = true;           // install_dir and shortcut_dir between steps
  std::vector<uint8_t> image;
  SetupState copy;                    // entries and required_bytes as they were
};

// Installs with the given moves on the Components page, watching between the steps.
Watch Install(std::vector<Step> on_components = {}, std::vector<Step> on_destination = {}) {
  Watch w;
  w.image = testing_support::LoadFile(TEVORLYN_FIXTURE_IMAGE);
  std::string install_dir, shortcut_dir;
  std::vector<Step> steps = {Click(PAGE_LICENSE, IDC_NEXT)};
  steps.insert(steps.end(), on_components.begin(), on_components.end());
  steps.push_back(Click(PAGE_COMPONENTS, IDC_NEXT));
  steps.insert(steps.end(), on_destination.begin(), on_destination.end());
  steps.push_back(Do([&] {
    install_dir = U8(State().install_dir);
    shortcut_dir = U8(State().shortcut_dir);
  }));
  steps.push_back(Click(PAGE_DESTINATION, IDC_NEXT));
  steps.push_back(WaitFor([&] {
    int pos = winsim::ProgressPos(Item(PAGE_PROGRESS, IDC_PROGRESS_BAR));
    if (w.progress.empty() ? pos != 0 : pos != w.progress.back()) w.progress.push_back(pos);
    if (U8(State().install_dir) != install_dir || U8(State().shortcut_dir) != shortcut_dir) w.folders_kept = false;
    return State().run_state == RUN_FINISHED;
  }));
  steps.push_back(Do([&] {
    w.details = winsim::ListBoxLines(State().details_list);
    w.status = ItemText(PAGE_PROGRESS, IDC_STATUS);
    w.run_state = State().run_state;
    w.error_count = State().error_count;
    w.copy = State();
  }));
  steps.push_back(Click(PAGE_PROGRESS, IDC_NEXT));
  ExpectCleanEnd(RunSetup(steps));
  return w;
}

std::vector<uint8_t> EntryBytes(const Watch &w, int row) {
  const PayloadEntry &e = w.copy.entries[row];
  return std::vector<uint8_t>(w.image.begin() + e.offset, w.image.begin() + e.offset + e.size);
}

uint64_t EntryTime(const Watch &w, int row) {
  const FILETIME &t = w.copy.entries[row].mtime;
  return ((uint64_t)t.dwHighDateTime << 32) | t.dwLowDateTime;
}

std::string LinkTarget(const std::string &path) {
  std::vector<uint8_t> bytes;
  std::string target;
  if (!winsim::ReadWholeFile(path, &bytes) || !testing_support::ReadLinkTarget(bytes, &target)) return "(unreadable)";
  return target;
}

std::string Sz(const std::string &key, const std::string &name, DWORD *bytes = nullptr) {
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!winsim::RegistryValue(key, name, &type, &data)) return "(missing)";
  if (bytes) *bytes = (DWORD)data.size();
  if (type != REG_SZ) return "(not REG_SZ)";
  std::vector<WCHAR> text(data.size() / 2 + 1, 0);
  memcpy(text.data(), data.data(), data.size() / 2 * 2);
  return U8(text.data());
}

DWORD Dword(const std::string &key, const std::string &name) {
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!winsim::RegistryValue(key, name, &type, &data) || type != REG_DWORD || data.size() != 4) return 0xFFFFFFFF;
  return data[0] | data[1] << 8 | data[2] << 16 | (DWORD)data[3] << 24;
}

TEST(Install, EverythingWithShortcuts) {
  testing_support::NewTestFolder();
  uint64_t before = testing_support::Now();
  Watch w = Install();

  std::vector<std::string> expected_lines;
  for (const char *name : kNames) {
    expected_lines.push_back(kFolder + name + ".exe");
    expected_lines.push_back(kMenu + name + ".lnk");
  }
  expected_lines.push_back(kFolder + "uninstall.exe");
  EXPECT_EQ(expected_lines, w.details);
  EXPECT_EQ((std::vector<int>{11, 22, 33, 44, 55, 66, 77, 88, 100}), w.progress);
  EXPECT_EQ("Installation completed successfully.", w.status);
  EXPECT_EQ(RUN_FINISHED, w.run_state);
  EXPECT_EQ(0u, w.error_count);
  EXPECT_TRUE(w.folders_kept);

  for (int i = 0; i < 8; ++i) {
    std::string file = kFolder + kNames[i] + ".exe";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(winsim::ReadWholeFile(file, &bytes)) << file;
    EXPECT_TRUE(bytes == EntryBytes(w, i + 1)) << file;
    EXPECT_EQ(EntryTime(w, i + 1), winsim::LastWriteTime(file)) << file;
    EXPECT_EQ(file, LinkTarget(kMenu + kNames[i] + ".lnk"));
  }
  std::vector<uint8_t> uninstaller;
  ASSERT_TRUE(winsim::ReadWholeFile(kFolder + "uninstall.exe", &uninstaller));
  EXPECT_TRUE(uninstaller == EntryBytes(w, 9));
  EXPECT_GE(winsim::LastWriteTime(kFolder + "uninstall.exe") + 20000000, before) << "keeps the time of writing";

  const std::string uninstall_key = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn";
  EXPECT_EQ(kFolder, Sz("HKLM\\Software\\Tevorlyn", "AppPath"));
  EXPECT_EQ(2145u, Dword(uninstall_key, "EstimatedSize"));
  EXPECT_EQ(1u, Dword(uninstall_key, "NoModify"));
  EXPECT_EQ(1u, Dword(uninstall_key, "NoRepair"));
  EXPECT_EQ("Tevorlyn App Pack (32-bit)", Sz(uninstall_key, "DisplayName"));
  EXPECT_EQ("2610", Sz(uninstall_key, "DisplayVersion"));
  EXPECT_EQ("Tevorlyn", Sz(uninstall_key, "Publisher"));
  EXPECT_EQ("\"" + kFolder + "uninstall.exe\"", Sz(uninstall_key, "UninstallString"));
  EXPECT_EQ(kFolder + "uninstall.exe,0", Sz(uninstall_key, "DisplayIcon"));
  EXPECT_EQ("Play with MicroChime", Sz("HKCR\\Directory\\shell\\MicroChime", ""));
  EXPECT_EQ("\"" + kFolder + "MicroChime.exe\" \"%1\"", Sz("HKCR\\SystemFileAssociations\\audio\\shell\\MicroChime\\command", ""));
  EXPECT_EQ("LockQZV.File", Sz("HKCR\\.qzv", ""));
  EXPECT_EQ("Frostbin Archive", Sz("HKCR\\Frostbin.File", ""));
  EXPECT_EQ("open", Sz("HKCR\\QuietQuill.Document\\shell", ""));
  EXPECT_FALSE(winsim::RegistryKeyExists("HKCR\\MicroChime.File"));
}

TEST(Install, RegistryDataAndByteCountsForDApps) {
  testing_support::NewTestFolder();
  winsim::AddDrive('D', 1ull << 30);
  CreateDirectoryW(L"D:\\Apps", nullptr);
  winsim::ScriptPicker({winsim::PickerKind::Folder, "D:\\Apps"});
  Watch w = Install({}, {Click(PAGE_DESTINATION, IDC_BROWSE)});
  EXPECT_EQ("Installation completed successfully.", w.status);
  struct Case {
    std::string key, name, data;
    DWORD bytes;
  } cases[] = {
      {"HKLM\\Software\\Classes\\QuietQuill.Document\\DefaultIcon", "", "D:\\Apps\\QuietQuill.exe,0", 50},
      {"HKLM\\Software\\Classes\\QuietQuill.Document\\shell\\open\\command", "", "\"D:\\Apps\\QuietQuill.exe\" \"%1\"", 60},
      {"HKLM\\Software\\Classes\\.qtxt", "", "QuietQuill.Document", 40},
      {"HKLM\\Software\\Classes\\QuietQuill.Document", "", "QuietQuill Document", 40},
      {"HKLM\\Software\\Classes\\.qzv", "", "LockQZV.File", 26},
      {"HKLM\\Software\\Classes\\LockQZV.File", "", "QZV Encrypted File", 38},
      {"HKLM\\Software\\Classes\\.fro", "", "Frostbin.File", 28},
      {"HKLM\\Software\\Classes\\Frostbin.File", "", "Frostbin Archive", 34},
      {"HKLM\\Software\\Classes\\Directory\\shell\\MicroChime", "", "Play with MicroChime", 42},
      {"HKLM\\Software\\Classes\\QuietQuill.Document\\shell", "", "open", 10},
      {"HKLM\\Software\\Tevorlyn", "AppPath", "D:\\Apps\\", 18},
      {"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", "DisplayIcon", "D:\\Apps\\uninstall.exe,0", 48},
      {"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", "UninstallString", "\"D:\\Apps\\uninstall.exe\"", 48},
      {"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", "DisplayName", "Tevorlyn App Pack (32-bit)", 54},
      {"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", "Publisher", "Tevorlyn", 18},
      {"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", "DisplayVersion", "2610", 10},
  };
  for (const Case &c : cases) {
    DWORD bytes = 0;
    EXPECT_EQ(c.data, Sz(c.key, c.name, &bytes)) << c.key << " " << c.name;
    EXPECT_EQ(c.bytes, bytes) << c.key << " " << c.name;
  }
  // Nothing else: the registry holds exactly these keys' values and no per-component extras.
  std::string dump = winsim::RegistryDump();
  EXPECT_EQ(std::string::npos, dump.find("Zirvex")) << dump;
}

TEST(Install, UntickedComponentAndNoShortcuts) {
  testing_support::NewTestFolder();
  Watch w = Install({Untick(IDC_COMPONENT_FIRST + 5), Untick(IDC_SHORTCUTS)});
  std::vector<std::string> expected;
  for (int i = 0; i < 8; ++i)
    if (i != 5) expected.push_back(kFolder + kNames[i] + ".exe");
  expected.push_back(kFolder + "uninstall.exe");
  EXPECT_EQ(expected, w.details);
  EXPECT_EQ((std::vector<int>{11, 22, 33, 44, 55, 66, 77, 88, 100}), w.progress);
  EXPECT_FALSE(winsim::FileExists(kFolder + "QuietQuill.exe"));
  EXPECT_FALSE(winsim::FolderExists(kMenu)) << "the Start Menu folder is never made";
  EXPECT_FALSE(winsim::RegistryKeyExists("HKCR\\.qtxt"));
  EXPECT_FALSE(winsim::RegistryKeyExists("HKCR\\QuietQuill.Document"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKCR\\.qzv"));
  EXPECT_EQ(2196480u - 206336u, w.copy.required_bytes);
  EXPECT_EQ((2196480u - 206336u) >> 10,
            Dword("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", "EstimatedSize"));
}

TEST(Install, AFailedComponentWriteIsReportedAndTheRestGoesOn) {
  testing_support::NewTestFolder();
  winsim::FailPath("CreateFileW", kFolder + "QuietQuill.exe", ERROR_ACCESS_DENIED);
  Watch w = Install();
  auto at = std::find(w.details.begin(), w.details.end(), kFolder + "QuietQuill.exe");
  ASSERT_NE(w.details.end(), at);
  ASSERT_NE(w.details.end(), at + 1);
  EXPECT_EQ(kFailed, *(at + 1));
  EXPECT_EQ(kFolder + "LockQZV.exe", *(at + 2)) << "no link line for the failed component";
  EXPECT_EQ(17u, w.details.size());  // 16 + the error line - the missing link line
  EXPECT_FALSE(winsim::FileExists(kMenu + "QuietQuill.lnk"));
  EXPECT_FALSE(winsim::RegistryKeyExists("HKCR\\.qtxt"));
  EXPECT_TRUE(winsim::FileExists(kFolder + "Frostbin.exe"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKCR\\.fro"));
  EXPECT_EQ("Installation failed.", w.status);
  EXPECT_EQ(1u, w.error_count);
  EXPECT_EQ(kFolder, Sz("HKLM\\Software\\Tevorlyn", "AppPath"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn"));
}

TEST(Install, AFailedShortcutStillRegisters) {
  testing_support::NewTestFolder();
  winsim::FailPath("CreateFileW", kMenu + "Frostbin.lnk", ERROR_ACCESS_DENIED);
  Watch w = Install();
  auto at = std::find(w.details.begin(), w.details.end(), kMenu + "Frostbin.lnk");
  ASSERT_NE(w.details.end(), at);
  EXPECT_EQ(kFailed, *(at + 1));
  EXPECT_EQ("Frostbin.File", Sz("HKCR\\.fro", ""));
  EXPECT_EQ("Installation failed.", w.status);
}

TEST(Install, AFailedUninstallerLeavesNoUninstallEntry) {
  testing_support::NewTestFolder();
  winsim::FailPath("CreateFileW", kFolder + "uninstall.exe", ERROR_ACCESS_DENIED);
  Watch w = Install();
  EXPECT_EQ(kFolder + "uninstall.exe", w.details[w.details.size() - 2]);
  EXPECT_EQ(kFailed, w.details.back());
  EXPECT_EQ("Installation failed.", w.status);
  EXPECT_EQ(kFolder, Sz("HKLM\\Software\\Tevorlyn", "AppPath"));
  EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn"));
}

TEST(Install, ASecondInstallationReplacesEveryValue) {
  testing_support::NewTestFolder();
  Install();
  std::string first = winsim::RegistryDump();
  Watch again = Install();
  EXPECT_EQ("Installation completed successfully.", again.status);
  EXPECT_EQ(first, winsim::RegistryDump());
}

TEST(Install, RegistryFailuresAreNotReported) {
  testing_support::NewTestFolder();
  winsim::FailPath("RegCreateKeyExW", "Software\\Classes\\.fro", ERROR_ACCESS_DENIED);
  Watch w = Install();
  EXPECT_EQ("Installation completed successfully.", w.status);
  EXPECT_FALSE(winsim::RegistryKeyExists("HKCR\\.fro"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKCR\\Frostbin.File\\DefaultIcon")) << "the writes after it go on";
}

}  // namespace
