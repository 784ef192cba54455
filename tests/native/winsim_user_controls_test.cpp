// winsim's built-in controls: button clicks and check boxes, list-box lines, the progress
// bar's range and position, edit formatting rectangles, and window text in both widths.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;
using testing_support::W;

TEST(WinsimButtons, ClickReportsToTheParentOnlyWhenAPersonCouldClick) {
  struct Row {
    const char *name;
    int id;
    void (*prepare)(const Wizard &);
    bool command;
    int check_after;
  } rows[] = {
      {"enabled push button", kNext, nullptr, true, BST_UNCHECKED},
      {"disabled push button", kBack, nullptr, false, BST_UNCHECKED},
      {"hidden push button", kHiddenButton, nullptr, false, BST_UNCHECKED},
      {"auto check box toggles on", kOptionA, nullptr, true, BST_CHECKED},
      {"auto check box toggles off", kOptionA,
       [](const Wizard &w) { CheckDlgButton(w.page, kOptionA, BST_CHECKED); }, true, BST_UNCHECKED},
      {"disabled auto check box", kOptionB, nullptr, false, BST_UNCHECKED},
      {"plain check box reports but does not toggle", kPlainCheck, nullptr, true, BST_UNCHECKED},
      {"group box", kGroup, nullptr, false, BST_UNCHECKED},
      {"button on a disabled page", kNext, [](const Wizard &w) { EnableWindow(w.page, FALSE); }, false,
       BST_UNCHECKED},
      {"button on a hidden page", kNext, [](const Wizard &w) { ShowWindow(w.page, SW_HIDE); }, false,
       BST_UNCHECKED},
  };
  for (const Row &r : rows) {
    Fresh();
    Wizard w = MakeWizard();
    if (r.prepare) r.prepare(w);
    Events().clear();
    HWND button = GetDlgItem(w.page, r.id);
    EXPECT_EQ(0, SendMessageW(button, BM_CLICK, 0, 0)) << r.name;
    std::vector<Event> commands = EventsOf(WM_COMMAND);
    ASSERT_EQ(r.command ? 1u : 0u, commands.size()) << r.name;
    if (r.command) {
      EXPECT_EQ(w.page, commands[0].hwnd) << r.name;
      EXPECT_EQ(MAKEWPARAM(r.id, BN_CLICKED), commands[0].wparam) << r.name;
      EXPECT_EQ((LPARAM)button, commands[0].lparam) << r.name;
      EXPECT_EQ(button, GetFocus()) << r.name << ": a click focuses the button";
    }
    EXPECT_EQ((UINT)r.check_after, IsDlgButtonChecked(w.page, r.id)) << r.name;
  }
}

TEST(WinsimButtons, CheckStateIsKeptOnlyByCheckBoxes) {
  Fresh();
  Wizard w = MakeWizard();
  EXPECT_TRUE(CheckDlgButton(w.page, kPlainCheck, BST_CHECKED));
  EXPECT_EQ((UINT)BST_CHECKED, IsDlgButtonChecked(w.page, kPlainCheck));
  EXPECT_EQ(BST_CHECKED, SendDlgItemMessageW(w.page, kPlainCheck, BM_GETCHECK, 0, 0));
  CheckDlgButton(w.page, kNext, BST_CHECKED);
  EXPECT_EQ((UINT)BST_UNCHECKED, IsDlgButtonChecked(w.page, kNext));
  EXPECT_FALSE(CheckDlgButton(w.page, 4242, BST_CHECKED));
}

TEST(WinsimListBox, LinesTopIndexAndHorizontalExtent) {
  Fresh();
  Wizard w = MakeWizard();
  HWND list = GetDlgItem(w.page, kList);
  const char *lines[] = {"Created folder C:\\Program Files\\Tevorlyn", "Extracted app1.exe", "Résumé ✓"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(i, SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)W(lines[i]).data()));
  EXPECT_EQ(3, SendMessageW(list, LB_GETCOUNT, 0, 0));
  EXPECT_EQ((LRESULT)W(lines[2]).size() - 1, SendMessageW(list, LB_GETTEXTLEN, 2, 0));
  WCHAR buffer[64];
  EXPECT_EQ(18, SendMessageW(list, LB_GETTEXT, 1, (LPARAM)buffer));
  EXPECT_EQ("Extracted app1.exe", testing_support::U8(buffer));
  EXPECT_EQ(LB_ERR, SendMessageW(list, LB_GETTEXT, 3, (LPARAM)buffer));
  EXPECT_EQ(LB_ERR, SendMessageW(list, LB_GETTEXTLEN, 3, 0));
  EXPECT_EQ(0, SendMessageW(list, LB_SETTOPINDEX, 2, 0));
  EXPECT_EQ(LB_ERR, SendMessageW(list, LB_SETTOPINDEX, 3, 0));
  EXPECT_EQ(2, winsim::ListBoxTopIndex(list));
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 640, 0);
  EXPECT_EQ(640, SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
  EXPECT_EQ(std::vector<std::string>(lines, lines + 3), winsim::ListBoxLines(list));
}

TEST(WinsimProgress, PositionStaysInsideTheRange) {
  Fresh();
  Wizard w = MakeWizard();
  HWND bar = GetDlgItem(w.page, kProgress);
  struct Row {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;
    int pos_after;
  } rows[] = {
      {PBM_GETPOS, 0, 0, 0, 0},
      {PBM_SETPOS, 40, 0, 0, 40},
      {PBM_SETPOS, 150, 0, 40, 100},         // clamped to the default range 0..100
      {PBM_SETRANGE, 0, MAKELPARAM(0, 10), MAKELRESULT(0, 100), 10},
      {PBM_SETPOS, 3, 0, 10, 3},
      {PBM_DELTAPOS, 4, 0, 3, 7},
      {PBM_GETPOS, 0, 0, 7, 7},
      {PBM_SETRANGE32, 20, 30, MAKELRESULT(0, 10), 20},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row &r = rows[i];
    EXPECT_EQ(r.result, SendMessageW(bar, r.message, r.wparam, r.lparam)) << "row " << i;
    EXPECT_EQ(r.pos_after, winsim::ProgressPos(bar)) << "row " << i;
  }
  EXPECT_EQ(-1, winsim::ProgressPos(GetDlgItem(w.page, kNext)));
}

TEST(WinsimEdit, FormattingRectangleStartsAsTheClientArea) {
  Fresh();
  Wizard w = MakeWizard();
  HWND edit = GetDlgItem(w.page, kEditId);
  RECT client, got;
  GetClientRect(edit, &client);
  EXPECT_EQ(350 - 2 * 3, client.right) << "WS_BORDER and WS_EX_CLIENTEDGE";
  SendMessageW(edit, EM_GETRECT, 0, (LPARAM)&got);
  EXPECT_EQ(0, memcmp(&client, &got, sizeof got));
  RECT inset = {4, 2, client.right - 4, client.bottom - 2};
  SendMessageW(edit, EM_SETRECT, 0, (LPARAM)&inset);
  RECT now = winsim::EditFormattingRect(edit);
  EXPECT_EQ(0, memcmp(&inset, &now, sizeof now));
  SendMessageW(edit, EM_SETRECT, 0, 0);
  now = winsim::EditFormattingRect(edit);
  EXPECT_EQ(0, memcmp(&client, &now, sizeof now)) << "a null rectangle restores the default";
}

TEST(WinsimText, WindowTextRoundTripsAndTruncatesLikeTheBufferSays) {
  Fresh();
  Wizard w = MakeWizard();
  ASSERT_TRUE(SetDlgItemTextW(w.page, kStatus, W("Installing… 3 of 9").data()));
  EXPECT_EQ("Installing… 3 of 9", winsim::Text(GetDlgItem(w.page, kStatus)));
  EXPECT_EQ(18, GetWindowTextLengthW(GetDlgItem(w.page, kStatus)));
  WCHAR buffer[8];
  memset(buffer, 0xff, sizeof buffer);
  EXPECT_EQ(7, GetWindowTextW(GetDlgItem(w.page, kStatus), buffer, 8));
  EXPECT_EQ("Install", testing_support::U8(buffer));
  EXPECT_EQ(0u, GetDlgItemTextW(w.page, 4242, buffer, 8));
  EXPECT_EQ(0, buffer[0]);
  EXPECT_TRUE(SetWindowTextW(w.frame, W("Tevorlyn Setup").data()));
  EXPECT_EQ(w.frame, winsim::FindWindowByTitle("Tevorlyn Setup"));
}

TEST(WinsimText, EightBitTextIsReadAsWindows1252) {
  struct Row {
    const char *bytes;
    const char *utf8;
  } rows[] = {
      {"plain", "plain"},
      {"\xE9t\xE9", "été"},
      {"\x80 5", "€ 5"},
      {"\x93quoted\x94", "“quoted”"},
      {"\x81\x9F", "\xC2\x81Ÿ"},
  };
  Fresh();
  Wizard w = MakeWizard();
  for (const Row &r : rows) {
    ASSERT_TRUE(SetDlgItemTextA(w.page, kStatus, r.bytes)) << r.utf8;
    EXPECT_EQ(r.utf8, winsim::Text(GetDlgItem(w.page, kStatus))) << r.utf8;
  }
}

TEST(WinsimText, IconsSetOnAWindowAreKeptPerSize) {
  Fresh();
  Wizard w = MakeWizard();
  HICON small_icon = (HICON)(uintptr_t)0x1234, big_icon = (HICON)(uintptr_t)0x5678;
  EXPECT_EQ(0, SendMessageW(w.frame, WM_SETICON, ICON_SMALL, (LPARAM)small_icon));
  EXPECT_EQ(0, SendMessageW(w.frame, WM_SETICON, ICON_BIG, (LPARAM)big_icon));
  EXPECT_EQ((LRESULT)small_icon, SendMessageW(w.frame, WM_SETICON, ICON_SMALL, (LPARAM)small_icon));
  EXPECT_EQ(small_icon, winsim::SmallIcon(w.frame));
  EXPECT_EQ(big_icon, winsim::BigIcon(w.frame));
}

}  // namespace
