// The uninstaller's scenario fixture: the machine, installations and uninstaller runs.
#include "native/uninstall_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

#include "uninstall/uninstall.h"

namespace uninstall_fixture {

using namespace scenario;

const char *const kNames[8] = {"Zirvex", "PanelTwine", "CloakBeacon", "Tumbly",
                               "MicroChime", "QuietQuill", "LockQZV", "Frostbin"};
const std::string kFolder = "C:\\Program Files\\Tevorlyn\\";
const std::string kMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tevorlyn\\";
const std::string kProgram = kFolder + "uninstall.exe";
const std::string kQuestion = "Remove Tevorlyn App Pack and all of its components?";
const std::string kRemoved = "Tevorlyn App Pack was removed from your computer.";
const std::string kFailedIntro = "These items of Tevorlyn App Pack could not be removed:";

void FreshMachine() {
  winsim::Reset();
  const std::string classes = "HKLM\\Software\\Classes\\";
  winsim::SetRegistryValue(classes + "Directory\\shell\\find", "", REG_SZ, winsim::SzBytes("Search..."));
  winsim::SetRegistryValue(classes + "SystemFileAssociations\\audio\\shell\\Enqueue", "", REG_SZ,
                           winsim::SzBytes("Add to playlist"));
  winsim::SetRegistryValue(classes + ".txt", "", REG_SZ, winsim::SzBytes("txtfile"));
  winsim::SetRegistryValue(classes + "txtfile\\shell\\open\\command", "", REG_SZ, winsim::SzBytes("notepad.exe %1"));
  winsim::SetRegistryValue("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other", "DisplayName",
                           REG_SZ, winsim::SzBytes("Another Program"));
}

void Install(std::vector<Step> on_components) {
  std::vector<Step> steps = {Click(PAGE_LICENSE, IDC_NEXT)};
  steps.insert(steps.end(), on_components.begin(), on_components.end());
  steps.push_back(Click(PAGE_COMPONENTS, IDC_NEXT));
  std::vector<Step> rest = InstallAndClose();
  steps.insert(steps.end(), rest.begin(), rest.end());
  ExpectCleanEnd(RunSetup(steps));
}

std::vector<winsim::MessageBoxRecord> Uninstall(std::vector<int> answers) {
  winsim::SetModulePath(kProgram);
  for (int answer : answers) winsim::AnswerNextMessageBox(answer);
  size_t before = winsim::MessageBoxes().size();
  size_t handles = winsim::OpenHandleCount();  // a test may hold a file open
  EXPECT_EQ(0, RunUninstaller((HINSTANCE)GetModuleHandleW(nullptr)));
  EXPECT_EQ(handles, winsim::OpenHandleCount()) << "files left open";
  EXPECT_EQ(0u, winsim::OpenKeyCount()) << "registry keys left open";
  EXPECT_EQ(0u, winsim::OpenFindCount()) << "folder listings left open";
  EXPECT_EQ(0u, winsim::LiveSids());
  std::vector<winsim::MessageBoxRecord> all = winsim::MessageBoxes();
  return std::vector<winsim::MessageBoxRecord>(all.begin() + before, all.end());
}

void Restart() {
  for (const winsim::PendingRename &rename : winsim::PendingRenames()) {
    ASSERT_TRUE(rename.to.empty()) << "only removals are scheduled: " << rename.from;
    if (winsim::FolderExists(rename.from))
      RemoveDirectoryW(winsim::Wide(rename.from).data());  // only an empty one goes
    else
      DeleteFileW(winsim::Wide(rename.from).data());
  }
}

static void Collect(const std::string &host, const std::string &windows, std::vector<std::string> *out) {
  DIR *dir = opendir(host.c_str());
  if (!dir) return;
  while (struct dirent *entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    std::string child = host + "/" + name;
    if (stat(child.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      Collect(child, windows + name + "\\", out);
    else
      out->push_back(windows + name);
  }
  closedir(dir);
}

std::vector<std::string> FilesBelow(const std::string &folder) {
  std::vector<std::string> files;
  if (winsim::FolderExists(folder)) Collect(winsim::HostPath(folder), folder, &files);
  std::sort(files.begin(), files.end());
  return files;
}

std::string RegistrySoftware() { return winsim::RegistryDump("HKLM\\Software"); }

std::string SzValue(const std::string &key, const std::string &name) {
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!winsim::RegistryValue(key, name, &type, &data)) return "(missing)";
  std::vector<WCHAR> text(data.size() / 2 + 1, 0);
  memcpy(text.data(), data.data(), data.size() / 2 * 2);
  return winsim::Utf8(text.data());
}

}  // namespace uninstall_fixture
