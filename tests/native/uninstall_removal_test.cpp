// The uninstaller after installations through the real installer: what it removes, what it
// leaves (other programs' and a person's things), the question answered No, and installing
// again afterwards.
#include <gtest/gtest.h>

#include "native/uninstall_fixture.h"

namespace {

using namespace uninstall_fixture;
using scenario::Untick;

const std::string kSessionManager = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager";

// The REG_MULTI_SZ data of removals scheduled for these paths.
std::vector<uint8_t> PendingData(const std::vector<std::string> &paths) {
  std::vector<uint8_t> data;
  for (const std::string &path : paths) {
    for (const std::string &text : {"\\??\\" + path, std::string()}) {
      std::vector<uint8_t> bytes = winsim::SzBytes(text);
      data.insert(data.end(), bytes.begin(), bytes.end());
    }
  }
  data.push_back(0);
  data.push_back(0);
  return data;
}

std::vector<std::string> PendingPaths() {
  std::vector<std::string> paths;
  for (const winsim::PendingRename &rename : winsim::PendingRenames()) {
    EXPECT_EQ("", rename.to) << rename.from;
    paths.push_back(rename.from);
  }
  return paths;
}

void ExpectQuestionThen(const std::vector<winsim::MessageBoxRecord> &boxes, const std::string &text, UINT icon) {
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(kQuestion, boxes[0].text);
  EXPECT_EQ("Tevorlyn App Pack", boxes[0].caption);
  EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes[0].type);
  EXPECT_EQ(text, boxes[1].text);
  EXPECT_EQ("Tevorlyn App Pack", boxes[1].caption);
  EXPECT_EQ((UINT)(MB_OK | icon), boxes[1].type);
}

TEST(Uninstall, RemovesAFullInstallationAndSchedulesItselfAndTheFolder) {
  FreshMachine();
  const std::string before = RegistrySoftware();
  Install();
  ASSERT_EQ(9u, FilesBelow(kFolder).size());
  ASSERT_EQ(8u, FilesBelow(kMenu).size());

  ExpectQuestionThen(Uninstall({IDYES}), kRemoved, MB_ICONINFORMATION);

  EXPECT_EQ(std::vector<std::string>{kProgram}, FilesBelow(kFolder)) << "only the running uninstaller is left";
  EXPECT_FALSE(winsim::FolderExists(kMenu));
  EXPECT_TRUE(winsim::FolderExists("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"));
  EXPECT_EQ(before, RegistrySoftware());
  EXPECT_EQ((std::vector<std::string>{kProgram, "C:\\Program Files\\Tevorlyn"}), PendingPaths());
  DWORD type = 0;
  std::vector<uint8_t> data;
  ASSERT_TRUE(winsim::RegistryValue(kSessionManager, "PendingFileRenameOperations", &type, &data));
  EXPECT_EQ((DWORD)REG_MULTI_SZ, type);
  EXPECT_TRUE(PendingData({kProgram, "C:\\Program Files\\Tevorlyn"}) == data);

  Restart();
  EXPECT_FALSE(winsim::FolderExists(kFolder)) << "at restart the uninstaller and then its folder go";
  EXPECT_TRUE(winsim::FolderExists("C:\\Program Files"));
}

TEST(Uninstall, AnsweredNoChangesNothing) {
  FreshMachine();
  Install();
  const std::string registry = winsim::RegistryDump();
  const std::vector<std::string> files = FilesBelow("C:\\");

  std::vector<winsim::MessageBoxRecord> boxes = Uninstall({IDNO});
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(kQuestion, boxes[0].text);
  EXPECT_EQ(registry, winsim::RegistryDump());
  EXPECT_EQ(files, FilesBelow("C:\\"));
  EXPECT_TRUE(winsim::PendingRenames().empty());
}

// What a person or another program put next to ours stays, with the folders and keys holding
// it; ours goes around it.
TEST(Uninstall, LeavesWhatOthersAdded) {
  struct Case {
    const char *name;
    std::function<void()> add;
    std::function<void()> check;
    std::vector<std::string> scheduled;
  } cases[] = {
      {"a person's file in the installation folder",
       [] { winsim::WriteWholeFile(kFolder + "notes.txt", {'h', 'i'}); },
       [] { EXPECT_EQ((std::vector<std::string>{kFolder + "notes.txt", kProgram}), FilesBelow(kFolder)); },
       {kProgram}},
      {"a person's folder in the installation folder",
       [] { winsim::WriteWholeFile(kFolder + "Saves\\game.sav", {1}); },
       [] { EXPECT_EQ((std::vector<std::string>{kFolder + "Saves\\game.sav", kProgram}), FilesBelow(kFolder)); },
       {kProgram}},
      {"a person's link in the Start Menu folder",
       [] { winsim::WriteWholeFile(kMenu + "Manual.lnk", {1}); },
       [] { EXPECT_EQ(std::vector<std::string>{kMenu + "Manual.lnk"}, FilesBelow(kMenu)); },
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"another value under the vendor key",
       [] { winsim::SetRegistryValue("HKLM\\Software\\Tevorlyn", "Theme", REG_SZ, winsim::SzBytes("dark")); },
       [] {
         EXPECT_EQ("dark", SzValue("HKLM\\Software\\Tevorlyn", "Theme"));
         EXPECT_EQ("(missing)", SzValue("HKLM\\Software\\Tevorlyn", "AppPath"));
       },
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
      {"another program's subkey under the vendor key",
       [] { winsim::CreateRegistryKey("HKLM\\Software\\Tevorlyn\\Studio"); },
       [] {
         EXPECT_TRUE(winsim::RegistryKeyExists("HKLM\\Software\\Tevorlyn\\Studio"));
         EXPECT_EQ("(missing)", SzValue("HKLM\\Software\\Tevorlyn", "AppPath"));
       },
       {kProgram, "C:\\Program Files\\Tevorlyn"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    FreshMachine();
    Install();
    c.add();
    ExpectQuestionThen(Uninstall({IDYES}), kRemoved, MB_ICONINFORMATION);
    c.check();
    EXPECT_EQ(c.scheduled, PendingPaths());
    for (const char *name : kNames) {
      EXPECT_FALSE(winsim::FileExists(kFolder + name + ".exe")) << name;
      EXPECT_FALSE(winsim::FileExists(kMenu + name + ".lnk")) << name;
    }
    EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn"));
    EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Classes\\Frostbin.File"));
  }
}

// An extension key is shared: its default value names whichever program has the type now.
TEST(Uninstall, ExtensionsGoOnlyWhileTheyNameOurTypes) {
  struct Case {
    const char *name;
    std::string seed_value;   // default value of .qzv set after installing; "" keeps ours
    bool add_subkey;          // another program's OpenWithProgids below .qzv
    bool key_stays;
    std::string value_after;  // .qzv's default value afterwards
  } cases[] = {
      {"still ours", "", false, false, "(missing)"},
      {"ours, spelled in another case", "lockqzv.file", false, false, "(missing)"},
      {"taken over by another program", "OtherViewer.qzv", false, true, "OtherViewer.qzv"},
      {"a prefix of ours", "LockQZV", false, true, "LockQZV"},
      {"ours, with another program's subkey", "", true, true, "(missing)"},
      {"taken over, with a subkey", "OtherViewer.qzv", true, true, "OtherViewer.qzv"},
  };
  const std::string qzv = "HKLM\\Software\\Classes\\.qzv";
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    FreshMachine();
    Install();
    if (!c.seed_value.empty()) winsim::SetRegistryValue(qzv, "", REG_SZ, winsim::SzBytes(c.seed_value));
    if (c.add_subkey)
      winsim::SetRegistryValue(qzv + "\\OpenWithProgids", "OtherViewer.qzv", REG_NONE, {});
    ExpectQuestionThen(Uninstall({IDYES}), kRemoved, MB_ICONINFORMATION);
    EXPECT_EQ(c.key_stays, winsim::RegistryKeyExists(qzv));
    EXPECT_EQ(c.value_after, SzValue(qzv, ""));
    EXPECT_EQ(c.add_subkey, winsim::RegistryKeyExists(qzv + "\\OpenWithProgids"));
    EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Classes\\LockQZV.File")) << "our ProgID goes anyway";
    EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Classes\\.qtxt"));
    EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Classes\\.fro"));
    EXPECT_EQ("txtfile", SzValue("HKLM\\Software\\Classes\\.txt", ""));
  }
}

// Whatever part was installed goes, and what was never there is no failure.
TEST(Uninstall, PartialInstallations) {
  struct Case {
    const char *name;
    std::vector<scenario::Step> on_components;
  } cases[] = {
      {"no shortcuts", {Untick(IDC_SHORTCUTS)}},
      {"no MicroChime, no QuietQuill", {Untick(IDC_COMPONENT_FIRST + 4), Untick(IDC_COMPONENT_FIRST + 5)}},
      {"three programs, no shortcuts",
       {Untick(IDC_SHORTCUTS), Untick(IDC_COMPONENT_FIRST + 0), Untick(IDC_COMPONENT_FIRST + 1),
        Untick(IDC_COMPONENT_FIRST + 2), Untick(IDC_COMPONENT_FIRST + 3), Untick(IDC_COMPONENT_FIRST + 6)}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    FreshMachine();
    const std::string before = RegistrySoftware();
    Install(c.on_components);
    ExpectQuestionThen(Uninstall({IDYES}), kRemoved, MB_ICONINFORMATION);
    EXPECT_EQ(std::vector<std::string>{kProgram}, FilesBelow(kFolder));
    EXPECT_FALSE(winsim::FolderExists(kMenu));
    EXPECT_EQ(before, RegistrySoftware());
    EXPECT_EQ((std::vector<std::string>{kProgram, "C:\\Program Files\\Tevorlyn"}), PendingPaths());
  }
}

// Nothing of an installation is left that would stand in the way of the next one: installing
// again, before or after the restart, gives the same installation as the first time.
TEST(Uninstall, InstallingAgainGivesACompleteInstallation) {
  for (bool restarted : {false, true}) {
    SCOPED_TRACE(restarted ? "after the restart" : "before the restart");
    FreshMachine();
    Install();
    const std::string installed = RegistrySoftware();
    const std::vector<std::string> files = FilesBelow(kFolder);
    const std::vector<std::string> links = FilesBelow(kMenu);
    ExpectQuestionThen(Uninstall({IDYES}), kRemoved, MB_ICONINFORMATION);
    if (restarted) Restart();
    Install();
    EXPECT_EQ(installed, RegistrySoftware());
    EXPECT_EQ(files, FilesBelow(kFolder));
    EXPECT_EQ(links, FilesBelow(kMenu));
  }
}

}  // namespace
