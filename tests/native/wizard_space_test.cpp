// The Destination page: the space texts and the Install rule for the free-space table, the
// required space following the boxes, and the folder picker.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace {

using namespace scenario;

const uint64_t kAllRequired = 2196480;  // eight components and the uninstaller of the fixture

struct SpaceSeen {
  std::string required, available;
  bool install_enabled = false;
};

SpaceSeen LookAtDestination(std::vector<Step> before = {}) {
  SpaceSeen seen;
  std::vector<Step> steps = {Click(PAGE_LICENSE, IDC_NEXT)};
  steps.insert(steps.end(), before.begin(), before.end());
  steps.push_back(Click(PAGE_COMPONENTS, IDC_NEXT));
  steps.push_back(Do([&] {
    seen.required = ItemText(PAGE_DESTINATION, IDC_SPACE_REQUIRED);
    seen.available = ItemText(PAGE_DESTINATION, IDC_SPACE_AVAILABLE);
    seen.install_enabled = winsim::Enabled(Item(PAGE_DESTINATION, IDC_NEXT));
  }));
  steps.push_back(Key(VK_RETURN));  // Install when enabled; nothing when not
  steps.push_back(Do([] {
    if (State().run_state == RUN_INSTALLING) return;
    EXPECT_EQ(PAGE_DESTINATION, State().current_page) << "Enter did nothing with Install disabled";
  }));
  steps.push_back(WaitFor([] { return State().run_state != RUN_INSTALLING; }));
  steps.push_back(Do([] { PostMessageW(State().main_window, WM_CLOSE, 0, 0); }));
  ExpectCleanEnd(RunSetup(steps));
  return seen;
}

TEST(SpaceInfo, FreeSpaceTable) {
  struct Case {
    const char *name;
    uint64_t free_bytes;
    bool fail_queries;
    const char *available;
    bool enabled;
  } cases[] = {
      {"nothing free", 0, false, "Space available: 0 MB", false},
      {"exactly required", kAllRequired, false, "Space available: 2 MB", false},
      {"one byte more", kAllRequired + 1, false, "Space available: 2 MB", true},
      {"500 GiB", 500ull << 30, false, "Space available: 512000 MB", true},
      {"2^52 - 1", (1ull << 52) - 1, false, "Space available: 4294967295 MB", true},
      {"2^52", 1ull << 52, false, "Space available: 4194304 GB", true},
      {"2^62", 1ull << 62, false, "Space available: 4194304 TB", true},
      {"both queries fail", 0, true, "Space available: ?", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::NewTestFolder();
    winsim::SetFreeSpace('C', c.free_bytes);
    if (c.fail_queries) {
      winsim::FailPath("GetDiskFreeSpaceExW", "C:\\", ERROR_ACCESS_DENIED);
      winsim::FailPath("GetDiskFreeSpaceExW", "C:\\Program Files\\Tevorlyn\\", ERROR_ACCESS_DENIED);
    }
    SpaceSeen seen = LookAtDestination();
    EXPECT_EQ("Space required:  3 MB", seen.required);
    EXPECT_EQ(c.available, seen.available);
    EXPECT_EQ(c.enabled, seen.install_enabled);
  }
}

TEST(SpaceInfo, RequiredFollowsTheBoxes) {
  struct Case {
    const char *name;
    std::vector<int> untick;
    const char *required;
    bool enabled;
  } cases[] = {
      {"only Zirvex", {1007, 1008, 1009, 1010, 1011, 1012, 1013}, "Space required:  1 MB", true},
      {"nothing", {1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013}, "Space required:  0 MB", false},
      {"shortcuts do not count", {1015}, "Space required:  3 MB", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::NewTestFolder();
    std::vector<Step> untick;
    for (int id : c.untick) untick.push_back(Untick(id));
    SpaceSeen seen = LookAtDestination(untick);
    EXPECT_EQ(c.required, seen.required);
    EXPECT_EQ(c.enabled, seen.install_enabled);
  }
}

TEST(SpaceInfo, RecomputedEachTimeTheDestinationIsShown) {
  testing_support::NewTestFolder();
  std::vector<std::string> seen;
  auto look = Do([&] { seen.push_back(ItemText(PAGE_DESTINATION, IDC_SPACE_REQUIRED)); });
  Outcome outcome = RunSetup({
      Click(PAGE_LICENSE, IDC_NEXT), Click(PAGE_COMPONENTS, IDC_NEXT), look,
      Click(PAGE_DESTINATION, IDC_BACK), Untick(1007), Untick(1008), Untick(1009), Untick(1010), Untick(1011),
      Untick(1012), Untick(1013),
      look,  // back on Components: not recomputed
      Click(PAGE_COMPONENTS, IDC_NEXT), look,
      Do([] { EXPECT_EQ(154624u + 79872u, State().required_bytes); }),
      Click(PAGE_DESTINATION, IDC_CANCEL),
  });
  ExpectCleanEnd(outcome);
  std::vector<std::string> expected = {"Space required:  3 MB", "Space required:  3 MB", "Space required:  1 MB"};
  EXPECT_EQ(expected, seen);
}

TEST(Picker, CancelAndNonFolderItemsChangeNothing) {
  for (winsim::PickerKind kind : {winsim::PickerKind::Cancel, winsim::PickerKind::NonFileSystemItem}) {
    testing_support::NewTestFolder();
    winsim::ScriptPicker({kind, "Network"});
    std::string before, after, browse_after;
    Outcome outcome = RunSetup(Concat({ToDestination(),
                                       {Do([&] { before = ItemText(PAGE_DESTINATION, IDC_DESTINATION_EDIT); }),
                                        Click(PAGE_DESTINATION, IDC_BROWSE), Do([&] {
                                          after = ItemText(PAGE_DESTINATION, IDC_DESTINATION_EDIT);
                                          browse_after = testing_support::U8(State().browse_path);
                                        }),
                                        Click(PAGE_DESTINATION, IDC_CANCEL)}}));
    ExpectCleanEnd(outcome);
    EXPECT_EQ("C:\\Program Files\\Tevorlyn\\", before);
    EXPECT_EQ(before, after);
    EXPECT_EQ("C:\\Program Files\\", browse_after);
    ASSERT_EQ(1u, winsim::Pickers().size());
  }
}

TEST(Picker, PickedFoldersBecomeTheDestination) {
  testing_support::NewTestFolder();
  winsim::AddDrive('D', 1000);  // too small for the pack
  CreateDirectoryW(L"D:\\Apps", nullptr);
  winsim::ScriptPicker({winsim::PickerKind::Folder, "D:\\Apps"});
  winsim::ScriptPicker({winsim::PickerKind::Folder, "D:\\"});
  std::vector<std::string> edits, availables;
  auto look = Do([&] {
    edits.push_back(ItemText(PAGE_DESTINATION, IDC_DESTINATION_EDIT));
    availables.push_back(ItemText(PAGE_DESTINATION, IDC_SPACE_AVAILABLE));
  });
  Outcome outcome = RunSetup(Concat({ToDestination(),
                                     {Click(PAGE_DESTINATION, IDC_BROWSE), look, Click(PAGE_DESTINATION, IDC_BROWSE),
                                      look, Do([] {
                                        EXPECT_FALSE(winsim::Enabled(Item(PAGE_DESTINATION, IDC_NEXT)));
                                      }),
                                      Click(PAGE_DESTINATION, IDC_CANCEL)}}));
  ExpectCleanEnd(outcome);
  EXPECT_EQ((std::vector<std::string>{"D:\\Apps\\", "D:\\"}), edits);
  EXPECT_EQ((std::vector<std::string>{"Space available: 0 MB", "Space available: 0 MB"}), availables);
  std::vector<winsim::PickerRecord> pickers = winsim::Pickers();
  ASSERT_EQ(2u, pickers.size());
  EXPECT_EQ("Select a destination folder for Tevorlyn App Pack.", pickers[0].title);
  EXPECT_EQ(0x41u, pickers[0].flags);  // BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE
  EXPECT_TRUE(pickers[0].callback_given);
  EXPECT_FALSE(pickers[0].caption_set);
  EXPECT_FALSE(pickers[0].ok_text_set);
  EXPECT_EQ("C:\\Program Files\\", pickers[0].selection);  // Program Files itself
  EXPECT_TRUE(pickers[0].selection_wparam);
  EXPECT_EQ("D:\\Apps", pickers[1].selection);  // the folder picked last, without the added backslash
}

TEST(Picker, AFolderTooLongForTheFileNamesKeepsInstallDisabled) {
  testing_support::NewTestFolder();
  std::string deep = "C:\\" + std::string(240, 'd') + "x";  // 244 characters, then the backslash
  CreateDirectoryW(testing_support::W(deep).data(), nullptr);
  winsim::ScriptPicker({winsim::PickerKind::Folder, deep});
  bool enabled = true;
  Outcome outcome = RunSetup(Concat({ToDestination(),
                                     {Click(PAGE_DESTINATION, IDC_BROWSE),
                                      Do([&] { enabled = winsim::Enabled(Item(PAGE_DESTINATION, IDC_NEXT)); }),
                                      Click(PAGE_DESTINATION, IDC_NEXT),  // a click on it does nothing
                                      Do([] { EXPECT_EQ(PAGE_DESTINATION, State().current_page); }),
                                      Click(PAGE_DESTINATION, IDC_CANCEL)}}));
  ExpectCleanEnd(outcome);
  EXPECT_FALSE(enabled);
}

}  // namespace
