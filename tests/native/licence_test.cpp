// The licence page shows at most 511 bytes of the payload's licence text, and its margins
// follow DPI changes. Built against two fixtures: a 503-byte and a 600-byte licence.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace {

using namespace scenario;

TEST(Wizard, LicenceTextAndItsMargins) {
  testing_support::NewTestFolder();
  RECT start = {}, at96 = {}, at480 = {};
  std::vector<uint8_t> image = testing_support::LoadFile(TEVORLYN_FIXTURE_IMAGE);
  Outcome outcome = RunSetup({
      Do([&] {
        HWND edit = Item(PAGE_LICENSE, IDC_LICENSE_TEXT);
        std::string shown = winsim::Text(edit);
        const PayloadEntry &licence = State().entries[0];
        size_t expected = licence.size < 511 ? licence.size : 511;
        EXPECT_EQ(std::string(image.begin() + licence.offset, image.begin() + licence.offset + expected), shown);
        EXPECT_EQ(expected, shown.size());
        start = winsim::EditFormattingRect(edit);
        SendMessageW(State().main_window, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
        at96 = winsim::EditFormattingRect(edit);
        SendMessageW(State().main_window, WM_DPICHANGED, MAKEWPARAM(480, 480), 0);
        at480 = winsim::EditFormattingRect(edit);
      }),
      Click(PAGE_LICENSE, IDC_CANCEL),
  });
  ExpectCleanEnd(outcome);
  EXPECT_EQ(6, start.left);  // the initial inset from a client rectangle at 0, 0
  EXPECT_EQ(6, start.top);
  EXPECT_EQ(start.left + 5, at96.left);
  EXPECT_EQ(start.top + 5, at96.top);
  EXPECT_EQ(start.right, at96.right);
  EXPECT_EQ(start.bottom, at96.bottom);
  EXPECT_EQ(at96.left + 20, at480.left);
  EXPECT_EQ(at96.top + 20, at480.top);
}

}  // namespace
