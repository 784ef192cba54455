// The wizard's pages through the real WinMain: texts, buttons and keys, Cancel and Escape on
// every page, closing refused while installing, Show Details, the licence, DPI changes.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace {

using namespace scenario;

std::function<bool()> OnPage(DWORD page) {
  return [page] { return State().current_page == page && winsim::Visible(Page(page)); };
}

TEST(Wizard, PagesCarryTheirTextsAndBoxes) {
  testing_support::NewTestFolder();
  Outcome outcome = RunSetup(Concat({
      {Do([] {
         EXPECT_EQ("Tevorlyn App Pack (32-bit)", winsim::Text(State().main_window));
         EXPECT_EQ("I &Agree", ItemText(PAGE_LICENSE, IDC_NEXT));
         EXPECT_EQ("Cancel", ItemText(PAGE_LICENSE, IDC_CANCEL));
         EXPECT_EQ(0u, ItemText(PAGE_LICENSE, IDC_LICENSE_HEADER).find("Please review the license agreement"));
         EXPECT_EQ("&Next >", ItemText(PAGE_COMPONENTS, IDC_NEXT));
         EXPECT_EQ("< &Back", ItemText(PAGE_COMPONENTS, IDC_BACK));
         const char *names[] = {"Zirvex", "PanelTwine", "CloakBeacon", "Tumbly",
                                "MicroChime", "QuietQuill", "LockQZV", "Frostbin"};
         for (int k = 0; k < 8; ++k) {
           EXPECT_EQ(names[k], ItemText(PAGE_COMPONENTS, IDC_COMPONENT_FIRST + k));
           EXPECT_EQ(BST_CHECKED, winsim::Checked(Item(PAGE_COMPONENTS, IDC_COMPONENT_FIRST + k)));
         }
         HWND spare = Item(PAGE_COMPONENTS, IDC_COMPONENT_SPARE);
         EXPECT_FALSE(winsim::Visible(spare));
         EXPECT_FALSE(winsim::Enabled(spare));
         EXPECT_EQ("", winsim::Text(spare));
         EXPECT_EQ("Start Menu Shortcuts", ItemText(PAGE_COMPONENTS, IDC_SHORTCUTS));
         EXPECT_EQ(BST_CHECKED, winsim::Checked(Item(PAGE_COMPONENTS, IDC_SHORTCUTS)));
         EXPECT_EQ("&Install", ItemText(PAGE_DESTINATION, IDC_NEXT));
         EXPECT_EQ("B&rowse...", ItemText(PAGE_DESTINATION, IDC_BROWSE));
         EXPECT_EQ("Destination Folder", ItemText(PAGE_DESTINATION, IDC_DESTINATION_GROUP));
         EXPECT_EQ("&Close", ItemText(PAGE_PROGRESS, IDC_NEXT));
         EXPECT_EQ("Show &Details", ItemText(PAGE_PROGRESS, IDC_SHOW_DETAILS));
       })},
      ToDestination(),
      {Do([] {
         EXPECT_EQ("Space required:  3 MB", ItemText(PAGE_DESTINATION, IDC_SPACE_REQUIRED));
         EXPECT_EQ("Space available: 102400 MB", ItemText(PAGE_DESTINATION, IDC_SPACE_AVAILABLE));
         EXPECT_TRUE(winsim::Enabled(Item(PAGE_DESTINATION, IDC_NEXT)));
         EXPECT_EQ(2196480u, State().required_bytes);
       }),
       Click(PAGE_DESTINATION, IDC_CANCEL)},
  }));
  ExpectCleanEnd(outcome);
}

TEST(Wizard, ButtonsAndKeysMoveBetweenPages) {
  testing_support::NewTestFolder();
  Outcome outcome = RunSetup({
      Key(VK_RETURN), WaitFor(OnPage(PAGE_COMPONENTS)),                  // Enter: I Agree
      Do([] { EXPECT_EQ(Item(PAGE_COMPONENTS, IDC_NEXT), winsim::Focus()); }),
      Click(PAGE_COMPONENTS, IDC_BACK), WaitFor(OnPage(PAGE_LICENSE)),
      Click(PAGE_LICENSE, IDC_NEXT), WaitFor(OnPage(PAGE_COMPONENTS)),
      Key(VK_RETURN), WaitFor(OnPage(PAGE_DESTINATION)),
      Key(VK_TAB), Do([] { EXPECT_NE(Item(PAGE_DESTINATION, IDC_NEXT), winsim::Focus()); }),
      Click(PAGE_DESTINATION, IDC_BACK), WaitFor(OnPage(PAGE_COMPONENTS)),
      Click(PAGE_COMPONENTS, IDC_CANCEL),
  });
  ExpectCleanEnd(outcome);
}

TEST(Wizard, CancelAndEscapeCloseEveryPageBeforeInstalling) {
  struct Case {
    DWORD page;
    bool escape;
  } cases[] = {{PAGE_LICENSE, false}, {PAGE_LICENSE, true},       {PAGE_COMPONENTS, false},
               {PAGE_COMPONENTS, true}, {PAGE_DESTINATION, false}, {PAGE_DESTINATION, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page << (c.escape ? " Escape" : " Cancel"));
    testing_support::NewTestFolder();
    std::vector<Step> steps = {Click(PAGE_LICENSE, IDC_NEXT), Click(PAGE_COMPONENTS, IDC_NEXT)};
    steps.resize(c.page);
    steps.push_back(WaitFor(OnPage(c.page)));
    steps.push_back(c.escape ? Key(VK_ESCAPE) : Click(c.page, IDC_CANCEL));
    Outcome outcome = RunSetup(steps);
    ExpectCleanEnd(outcome);
    EXPECT_TRUE(winsim::MessageBoxes().empty()) << "closes without a question";
    EXPECT_FALSE(winsim::FileExists("C:\\Program Files\\Tevorlyn\\Zirvex.exe"));
  }
}

TEST(Wizard, ClosingIsRefusedWhileInstallingAndAcceptedAfter) {
  testing_support::NewTestFolder();
  bool closed_early = false;
  Outcome outcome = RunSetup(Concat({
      ToDestination(),
      {Click(PAGE_DESTINATION, IDC_NEXT), Key(VK_ESCAPE), Click(PAGE_PROGRESS, IDC_NEXT), Key(VK_RETURN),
       Do([&] {
         PostMessageW(State().main_window, WM_CLOSE, 0, 0);  // the system menu's close
       }),
       Do([&] { closed_early = !IsWindow(State().main_window) || State().run_state != RUN_INSTALLING; }),
       WaitFor([] { return State().run_state == RUN_FINISHED; }),
       Do([] { EXPECT_EQ("Installation completed successfully.", ItemText(PAGE_PROGRESS, IDC_STATUS)); }),
       Key(VK_RETURN)},  // Close, now accepted
  }));
  ExpectCleanEnd(outcome);
  EXPECT_FALSE(closed_early);
}

TEST(Wizard, ShowDetailsRevealsTheGreenList) {
  testing_support::NewTestFolder();
  winsim::SetScreen(1366, 768);
  Outcome outcome = RunSetup(Concat({
      ToDestination(),
      {Click(PAGE_DESTINATION, IDC_NEXT), Click(PAGE_PROGRESS, IDC_SHOW_DETAILS), Do([] {
         HWND list = State().details_list;
         EXPECT_FALSE(winsim::Visible(Item(PAGE_PROGRESS, IDC_SHOW_DETAILS)));
         EXPECT_TRUE(winsim::Visible(list));
         EXPECT_EQ(list, winsim::Focus());
         EXPECT_EQ(683, winsim::ListBoxHorizontalExtent(list));
         winsim::ControlColors colours = winsim::QueryListBoxColors(list);
         EXPECT_EQ(RGB(2, 38, 9), colours.background);
         EXPECT_EQ(RGB(2, 38, 9), colours.brush);
         EXPECT_EQ(RGB(6, 176, 37), colours.text);
         EXPECT_EQ((LRESULT)GetStockObject(DC_BRUSH), (LRESULT)colours.result);
         // Any other list box keeps the default colours.
         EXPECT_EQ(0, (LRESULT)winsim::QueryListBoxColors(Item(PAGE_PROGRESS, IDC_SHOW_DETAILS)).result);
       }),
       WaitFor([] { return State().run_state == RUN_FINISHED; }), Click(PAGE_PROGRESS, IDC_NEXT)},
  }));
  ExpectCleanEnd(outcome);
}

TEST(Wizard, StrayArmStepNumbersAreIgnored) {
  testing_support::NewTestFolder();
  Outcome outcome = RunSetup({
      Do([] {
        PostMessageW(State().main_window, WM_APP, 9, 0);
        PostMessageW(State().main_window, WM_APP, 0xFFFFFFFF, 0);
      }),
      WaitFor([] { return winsim::VirtualTimeMs() > 1000; }),
      Do([] { EXPECT_EQ(0u, State().pending_step); }),
      Click(PAGE_LICENSE, IDC_CANCEL),
  });
  ExpectCleanEnd(outcome);
}

}  // namespace
