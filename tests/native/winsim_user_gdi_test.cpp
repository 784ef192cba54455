// winsim's message boxes (recorded, answered by the test), WM_CTLCOLORLISTBOX colours set on
// a device context, the stock DC brush, and icons loaded from the module's resources.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;

TEST(WinsimMessageBoxes, BoxesAreRecordedAndAnsweredInOrder) {
  Fresh();
  HWND frame = MakeWizard().frame;
  winsim::AnswerNextMessageBox(IDNO);
  EXPECT_EQ(IDNO, MessageBoxW(frame, testing_support::W("Cancel setup?").data(),
                              testing_support::W("Tevorlyn Setup").data(), MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Setup initialization failed.", "Error", MB_OK | MB_ICONERROR));
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Caf\xE9", nullptr, MB_OK));
  std::vector<winsim::MessageBoxRecord> boxes = winsim::MessageBoxes();
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ(frame, boxes[0].owner);
  EXPECT_EQ("Cancel setup?", boxes[0].text);
  EXPECT_EQ("Tevorlyn Setup", boxes[0].caption);
  EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes[0].type);
  EXPECT_EQ("Setup initialization failed.", boxes[1].text);
  EXPECT_EQ("Café", boxes[2].text) << "8-bit text is Windows-1252";
  EXPECT_EQ("Error", boxes[2].caption) << "a null caption reads Error";
}

TEST(WinsimMessageBoxes, WithoutAnAnswerABoxTakesItsDefaultButton) {
  struct Row {
    UINT type;
    int answer;
  } rows[] = {
      {MB_OK | MB_ICONINFORMATION, IDOK}, {MB_OKCANCEL, IDOK},   {MB_YESNO | MB_ICONWARNING, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},   {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_RETRYCANCEL, IDRETRY},
  };
  winsim::Reset();
  for (const Row &r : rows) EXPECT_EQ(r.answer, MessageBoxA(nullptr, "?", "?", r.type)) << "type 0x" << std::hex << r.type;
}

TEST(WinsimColors, ListBoxColoursAreWhatTheParentSetsAndReturns) {
  Fresh();
  HGDIOBJ dc_brush = GetStockObject(DC_BRUSH);
  ASSERT_NE(nullptr, dc_brush);
  EXPECT_EQ(dc_brush, GetStockObject(DC_BRUSH));
  Handler() = [&](HWND, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
    if (message != WM_CTLCOLORLISTBOX) return message == WM_INITDIALOG;
    HDC dc = (HDC)wparam;
    EXPECT_EQ(RGB(255, 255, 255), SetBkColor(dc, RGB(0, 0, 0)));
    EXPECT_EQ(RGB(0, 0, 0), SetTextColor(dc, RGB(192, 192, 192)));
    SetDCBrushColor(dc, RGB(0, 0, 0));
    return (INT_PTR)dc_brush;  // a brush, not a handled flag
  };
  Wizard w = MakeWizard();
  winsim::ControlColors colors = winsim::QueryListBoxColors(GetDlgItem(w.page, kList));
  EXPECT_EQ(RGB(0, 0, 0), colors.background);
  EXPECT_EQ(RGB(192, 192, 192), colors.text);
  EXPECT_EQ(RGB(0, 0, 0), colors.brush);
  EXPECT_EQ(dc_brush, colors.result);
  EXPECT_EQ(192, GetRValue(colors.text));
  std::vector<Event> asked = EventsOf(WM_CTLCOLORLISTBOX);
  ASSERT_EQ(1u, asked.size());
  EXPECT_EQ((LPARAM)GetDlgItem(w.page, kList), asked[0].lparam);
}

TEST(WinsimColors, AParentThatIgnoresTheMessageLeavesTheDefaults) {
  Fresh();
  Wizard w = MakeWizard();
  winsim::ControlColors colors = winsim::QueryListBoxColors(GetDlgItem(w.page, kList));
  EXPECT_EQ(RGB(255, 255, 255), colors.background);
  EXPECT_EQ(RGB(0, 0, 0), colors.text);
  EXPECT_EQ(nullptr, colors.result);
  EXPECT_EQ(CLR_INVALID, SetBkColor((HDC)(uintptr_t)0x99, 0)) << "not a device context";
}

TEST(WinsimIcons, LoadIconFindsTheModulesIconGroups) {
  winsim::Reset();
  const uint8_t group[] = {0, 0, 1, 0, 0, 0};  // an empty icon directory is enough to exist
  winsim::SetResource(RT_GROUP_ICON, 101, group, sizeof group);
  HINSTANCE module = GetModuleHandleW(nullptr);
  HICON icon = LoadIconW(module, MAKEINTRESOURCEW(101));
  EXPECT_NE(nullptr, icon);
  EXPECT_EQ(icon, LoadIconW(module, MAKEINTRESOURCEW(101)));
  EXPECT_EQ(nullptr, LoadIconW(module, MAKEINTRESOURCEW(102)));
}

}  // namespace
