// winsim's window tree: visibility through parents, enabling, DestroyWindow of a parent with
// its children and owned windows, parents and owners, positions, and the screen.
#include <gtest/gtest.h>

#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;

TEST(WinsimWindows, AWindowIsVisibleOnlyIfItAndAllItsAncestorsAre) {
  struct Row {
    const char *name;
    bool frame, page, control;
    bool visible;
  } rows[] = {
      {"all shown", true, true, true, true},
      {"control hidden", true, true, false, false},
      {"page hidden", true, false, true, false},
      {"frame hidden", false, true, true, false},
  };
  for (const Row &r : rows) {
    Fresh();
    Wizard w = MakeWizard();
    HWND next = GetDlgItem(w.page, kNext);
    ShowWindow(w.frame, r.frame ? SW_SHOW : SW_HIDE);
    ShowWindow(w.page, r.page ? SW_SHOW : SW_HIDE);
    ShowWindow(next, r.control ? SW_SHOW : SW_HIDE);
    EXPECT_EQ(r.visible, IsWindowVisible(next) != 0) << r.name;
    EXPECT_EQ(r.visible, winsim::Visible(next)) << r.name;
    EXPECT_EQ(r.control, (winsim::Style(next) & WS_VISIBLE) != 0) << r.name << ": own style kept";
  }
}

TEST(WinsimWindows, ShowAndEnableReportThePreviousState) {
  Fresh();
  Wizard w = MakeWizard();
  HWND next = GetDlgItem(w.page, kNext);
  EXPECT_TRUE(ShowWindow(next, SW_HIDE));
  EXPECT_FALSE(ShowWindow(next, SW_HIDE));
  EXPECT_FALSE(ShowWindow(next, SW_SHOWNORMAL));
  EXPECT_FALSE(EnableWindow(next, FALSE)) << "was enabled";
  EXPECT_TRUE(EnableWindow(next, FALSE)) << "was disabled";
  EXPECT_FALSE(IsWindowEnabled(next));
  EXPECT_TRUE(EnableWindow(next, TRUE));
  EXPECT_TRUE(IsWindowEnabled(next));
  EnableWindow(w.page, FALSE);
  EXPECT_TRUE(IsWindowEnabled(next)) << "children of a disabled window keep their own state";
}

TEST(WinsimWindows, DestroyingAParentSendsItWmDestroyFirstAndTakesEveryDescendant) {
  Fresh();
  Wizard w = MakeWizard();
  HWND popup = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), w.frame, RecordingProc, 0);
  ASSERT_NE(nullptr, popup);
  HWND edit = GetDlgItem(w.page, kEditId);
  ASSERT_EQ(edit, GetFocus());
  SetTimer(w.page, 1, 100, nullptr);
  bool controls_alive_in_destroy = false;
  Handler() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
    if (message == WM_DESTROY && hwnd == w.frame) controls_alive_in_destroy = IsWindow(edit) != 0;
    return message == WM_INITDIALOG;
  };
  Events().clear();
  ASSERT_TRUE(DestroyWindow(w.frame));
  std::vector<Event> destroys = EventsOf(WM_DESTROY);
  ASSERT_EQ(3u, destroys.size()) << "dialog procedures of the owned popup, the frame, the page";
  EXPECT_EQ(popup, destroys[0].hwnd) << "owned windows go first";
  EXPECT_EQ(w.frame, destroys[1].hwnd) << "the parent hears of it before its children";
  EXPECT_EQ(w.page, destroys[2].hwnd);
  EXPECT_TRUE(controls_alive_in_destroy);
  for (HWND h : {w.frame, w.page, edit, popup}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(0u, winsim::WindowCount());
  EXPECT_EQ(nullptr, GetFocus());
  EXPECT_FALSE(winsim::TimerActive(w.page, 1));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(DestroyWindow(w.frame));
  EXPECT_EQ((DWORD)ERROR_INVALID_WINDOW_HANDLE, GetLastError());
}

TEST(WinsimWindows, DestroyingAChildLeavesItsParentAndSiblings) {
  Fresh();
  Wizard w = MakeWizard();
  size_t before = winsim::WindowCount();
  ASSERT_TRUE(DestroyWindow(GetDlgItem(w.page, kCancel)));
  EXPECT_EQ(before - 1, winsim::WindowCount());
  EXPECT_EQ(nullptr, GetDlgItem(w.page, kCancel));
  EXPECT_NE(nullptr, GetDlgItem(w.page, kNext));
}

TEST(WinsimWindows, ParentsOwnersAndIds) {
  Fresh();
  Wizard w = MakeWizard();
  HWND popup = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), w.frame, RecordingProc, 0);
  EXPECT_EQ(w.page, GetParent(GetDlgItem(w.page, kNext)));
  EXPECT_EQ(w.frame, GetParent(w.page));
  EXPECT_EQ(w.frame, GetParent(popup)) << "a WS_POPUP reports its owner";
  EXPECT_EQ(nullptr, GetParent(w.frame));
  EXPECT_EQ(nullptr, GetDlgItem(w.frame, kNext)) << "GetDlgItem looks at direct children only";
  EXPECT_EQ(GetDlgItem(w.page, kNext), winsim::Control(w.frame, kNext)) << "the test helper looks deeper";
}

TEST(WinsimWindows, SetWindowPosMovesTheWindowAndItsChildren) {
  Fresh();
  Wizard w = MakeWizard();
  RECT before = winsim::WindowRect(w.frame), next_before = winsim::WindowRect(GetDlgItem(w.page, kNext));
  ASSERT_TRUE(SetWindowPos(w.frame, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  RECT after = winsim::WindowRect(w.frame), next_after = winsim::WindowRect(GetDlgItem(w.page, kNext));
  EXPECT_EQ(100, after.left);
  EXPECT_EQ(50, after.top);
  EXPECT_EQ(before.right - before.left, after.right - after.left) << "SWP_NOSIZE";
  EXPECT_EQ(before.bottom - before.top, after.bottom - after.top) << "SWP_NOSIZE";
  EXPECT_EQ(next_before.left + 100 - before.left, next_after.left);
  EXPECT_EQ(next_before.top + 50 - before.top, next_after.top);
  ASSERT_TRUE(MoveWindow(w.frame, 0, 0, 400, 300, TRUE));
  RECT client;
  GetClientRect(w.frame, &client);
  EXPECT_EQ(400 - 6, client.right);
  EXPECT_EQ(300 - 29, client.bottom);
}

TEST(WinsimWindows, ScreenAndWorkAreaAreWhatTheTestConfigures) {
  winsim::Reset();
  RECT area;
  EXPECT_EQ(1920, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(1080, GetSystemMetrics(SM_CYSCREEN));
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_EQ(1040, area.bottom);
  winsim::SetScreen(1280, 720);
  winsim::SetWorkArea(RECT{0, 40, 1280, 720});
  EXPECT_EQ(1280, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(720, GetSystemMetrics(SM_CYSCREEN));
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_EQ(40, area.top);
  winsim::Reset();
  EXPECT_EQ(1920, GetSystemMetrics(SM_CXSCREEN)) << "Reset restores the default screen";
}

}  // namespace
