// WinMain's start-up: every failure path with its message box (or none), exit code 0 and
// nothing left behind; the order that verifies the payload before the administrator check.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace {

using namespace scenario;

const char kInitFailed[] = "Setup initialization failed.";
const char kAdminText[] = "You must be logged in as an administrator to install this software.";

struct FailureCase {
  const char *name;
  std::function<void()> arrange;
  const char *text;  // nullptr: no message box at all
  const char *caption;
  UINT icon;
};

TEST(StartUp, FailurePaths) {
  const FailureCase cases[] = {
      {"CoInitializeEx fails", [] { winsim::FailCall("CoInitializeEx", 1, 0x80004005); }, nullptr, "", 0},
      {"InitCommonControlsEx fails", [] { winsim::FailCall("InitCommonControlsEx", 1, ERROR_OUTOFMEMORY); },
       nullptr, "", 0},
      {"payload missing", [] { winsim::RemoveResource(RT_RCDATA, 102); }, kInitFailed, "Error", MB_ICONERROR},
      {"payload block unavailable", [] { winsim::FailAllocationsFrom(OUTPUT_BUFFER_CAPACITY); }, kInitFailed,
       "Error", MB_ICONERROR},
      {"Program Files folder unknown", [] { winsim::FailCall("SHGetFolderPathW", 1, 0x80004005); }, kInitFailed,
       "Error", MB_ICONERROR},
      {"Start Menu folder unknown", [] { winsim::FailCall("SHGetFolderPathW", 2, 0x80004005); }, kInitFailed,
       "Error", MB_ICONERROR},
      {"not an administrator", [] { winsim::SetAdministrator(false); }, kAdminText, "Tevorlyn App Pack",
       MB_ICONWARNING},
      {"membership test fails", [] { winsim::FailCall("CheckTokenMembership", 1, ERROR_NO_TOKEN); }, kAdminText,
       "Tevorlyn App Pack", MB_ICONWARNING},
      {"damaged payload, not an administrator",
       [] {
         winsim::SetAdministrator(false);
         std::vector<uint8_t> bytes = winsim::ResourceBytes(RT_RCDATA, 102);
         bytes[bytes.size() / 2] ^= 0xFF;
         winsim::SetResource(RT_RCDATA, 102, bytes.data(), bytes.size());
       },
       kInitFailed, "Error", MB_ICONERROR},
      {"main window cannot be created", [] { winsim::FailCall("CreateDialogParamW", 1, ERROR_OUTOFMEMORY); },
       kInitFailed, "Error", MB_ICONERROR},
      {"a page cannot be created", [] { winsim::FailCall("CreateDialogParamW", 4, ERROR_OUTOFMEMORY); },
       kInitFailed, "Error", MB_ICONERROR},
      {"the step timer cannot be started", [] { winsim::FailCall("SetTimer", 1, ERROR_OUTOFMEMORY); },
       kInitFailed, "Error", MB_ICONERROR},
  };
  for (const FailureCase &c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::NewTestFolder();
    c.arrange();
    Outcome outcome = RunSetup({});
    ExpectCleanEnd(outcome);
    std::vector<winsim::MessageBoxRecord> boxes = winsim::MessageBoxes();
    if (!c.text) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(c.text, boxes[0].text);
    EXPECT_EQ(c.caption, boxes[0].caption);
    EXPECT_EQ(c.icon | MB_OK, boxes[0].type);
    EXPECT_EQ(nullptr, boxes[0].owner) << "the box has no owner";
  }
}

TEST(StartUp, TheWizardOpensOnTheLicencePage) {
  testing_support::NewTestFolder();
  HWND frame = nullptr;
  Outcome outcome = RunSetup({
      Do([&] {
        frame = winsim::FindWindowByTitle("Tevorlyn App Pack (32-bit)");
        EXPECT_TRUE(winsim::Visible(frame));
        EXPECT_EQ(frame, State().main_window);
        EXPECT_EQ(PAGE_LICENSE, State().current_page);
        EXPECT_TRUE(winsim::Visible(Page(PAGE_LICENSE)));
        for (DWORD p = PAGE_COMPONENTS; p <= PAGE_PROGRESS; ++p) EXPECT_FALSE(winsim::Visible(Page(p))) << p;
        EXPECT_EQ(Item(PAGE_LICENSE, IDC_NEXT), winsim::Focus()) << "focus on I Agree";
        EXPECT_EQ(125u, winsim::TimerPeriod(frame, 1));
        EXPECT_NE(nullptr, winsim::SmallIcon(frame));
        EXPECT_EQ(winsim::SmallIcon(frame), winsim::BigIcon(frame));
        EXPECT_EQ(Item(PAGE_PROGRESS, IDC_DETAILS_LIST), State().details_list);
      }),
      Click(PAGE_LICENSE, IDC_CANCEL),
  });
  ExpectCleanEnd(outcome);
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

TEST(StartUp, FrameIsCentredOnTheWorkArea) {
  struct Case {
    RECT work;
  } cases[] = {{{0, 0, 1920, 1040}}, {{100, 50, 1101, 650}}, {{0, 0, 400, 300}}, {{-200, 10, 201, 211}}};
  for (const Case &c : cases) {
    testing_support::NewTestFolder();
    winsim::SetWorkArea(c.work);
    RECT placed = {};
    Outcome outcome = RunSetup({Do([&] { placed = winsim::WindowRect(State().main_window); }),
                                Click(PAGE_LICENSE, IDC_CANCEL)});
    ExpectCleanEnd(outcome);
    int width = placed.right - placed.left, height = placed.bottom - placed.top;
    // Signed, truncating toward zero: a frame larger than the work area gets a negative offset.
    EXPECT_EQ(c.work.left + ((c.work.right - c.work.left) - width) / 2, placed.left) << c.work.right;
    EXPECT_EQ(c.work.top + ((c.work.bottom - c.work.top) - height) / 2, placed.top) << c.work.bottom;
  }
}

}  // namespace
