// winsim's CreateDialogParamW: extended templates become windows with the template's ids,
// classes, styles and texts, laid out in pixels; WM_SETFONT and WM_INITDIALOG as documented.
#include <gtest/gtest.h>

#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;

TEST(WinsimDialogTemplate, ControlsCarryTheTemplatesIdsClassesStylesAndTexts) {
  Fresh();
  Wizard w = MakeWizard();
  ASSERT_NE(nullptr, w.page);
  struct Row {
    int id;
    const char *class_name;
    DWORD style_bits;
    const char *text;
    WORD ordinal;
  } rows[] = {
      {kStatus, "Static", SS_LEFT, "Ready to install.", 0},
      {kIcon, "Static", SS_ICON | SS_REALSIZECONTROL, "", 101},
      {kEditId, "Edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "C:\\Program Files\\Tevorlyn", 0},
      {kOptionA, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "Option &A", 0},
      {kOptionB, "Button", BS_AUTOCHECKBOX | WS_DISABLED, "Option &B", 0},
      {kGroup, "Button", BS_GROUPBOX, "Options", 0},
      {kList, "ListBox", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, "", 0},
      {kProgress, "msctls_progress32", WS_BORDER, "", 0},
      {kNext, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, "&Next >", 0},
      {kCancel, "Button", WS_TABSTOP, "Cancel", 0},
  };
  for (const Row &r : rows) {
    HWND c = GetDlgItem(w.page, r.id);
    ASSERT_NE(nullptr, c) << "control " << r.id;
    EXPECT_EQ(r.id, GetDlgCtrlID(c)) << "control " << r.id;
    EXPECT_EQ(w.page, GetParent(c)) << "control " << r.id;
    EXPECT_EQ(r.class_name, winsim::ClassName(c)) << "control " << r.id;
    EXPECT_EQ(r.style_bits | WS_CHILD, winsim::Style(c) & (r.style_bits | WS_CHILD)) << "control " << r.id;
    EXPECT_EQ(r.text, winsim::Text(c)) << "control " << r.id;
    EXPECT_EQ(r.ordinal, winsim::TitleOrdinal(c)) << "control " << r.id;
  }
  EXPECT_EQ((DWORD)WS_EX_CLIENTEDGE, winsim::ExStyle(GetDlgItem(w.page, kEditId)));
  EXPECT_EQ("#32770", winsim::ClassName(w.frame));
  EXPECT_EQ("Tevorlyn Test Setup", winsim::Text(w.frame));
  EXPECT_EQ(w.frame, winsim::FindWindowByTitle("Tevorlyn Test Setup"));
  // DS_CONTROL makes the page a control parent, so the frame's keyboard interface enters it.
  EXPECT_TRUE(winsim::ExStyle(w.page) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(2u + Page().items.size(), winsim::WindowCount());
}

TEST(WinsimDialogTemplate, DialogUnitsBecomePixelsAndTheFrameAddsItsCaptionAndBorders) {
  Fresh();
  Wizard w = MakeWizard();
  // 320 x 200 DLU at base units 7 x 15: 560 x 375 pixels of client area.
  RECT client;
  ASSERT_TRUE(GetClientRect(w.frame, &client));
  EXPECT_EQ(560, client.right);
  EXPECT_EQ(375, client.bottom);
  RECT frame;
  ASSERT_TRUE(GetWindowRect(w.frame, &frame));
  EXPECT_EQ(18, frame.left);   // x 10 DLU
  EXPECT_EQ(38, frame.top);    // y 20 DLU (37.5 rounds up)
  EXPECT_EQ(560 + 2 * 3, frame.right - frame.left);
  EXPECT_EQ(375 + 23 + 2 * 3, frame.bottom - frame.top);
  // A control sits in its page's client area, which is the frame's client area.
  RECT next = winsim::WindowRect(GetDlgItem(w.page, kNext));
  EXPECT_EQ(frame.left + 3 + 357, next.left);  // 204 DLU
  EXPECT_EQ(frame.top + 26 + 334, next.top);   // 178 DLU
  EXPECT_EQ(88, next.right - next.left);       // 50 DLU (87.5)
  EXPECT_EQ(26, next.bottom - next.top);       // 14 DLU (26.25)
  // Border, client edge and scroll bars come out of a control's client area.
  RECT list_client;
  GetClientRect(GetDlgItem(w.page, kList), &list_client);
  EXPECT_EQ(350 - 2 - 17, list_client.right);
  EXPECT_EQ(113 - 2 - 17, list_client.bottom);  // 60 DLU is 112.5
}

TEST(WinsimDialogTemplate, FontThenInitDialogWithTheFirstTabStopAndTheCallersParameter) {
  Fresh();
  HWND page_seen = nullptr;
  Handler() = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) page_seen = hwnd;
    return message == WM_INITDIALOG;
  };
  HWND frame = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  Events().clear();
  HWND page = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kPageId), frame, RecordingProc, 0x5150);
  ASSERT_NE(nullptr, page);
  ASSERT_GE(Events().size(), 2u);
  EXPECT_EQ((UINT)WM_SETFONT, Events()[0].message);
  std::vector<Event> init = EventsOf(WM_INITDIALOG);
  ASSERT_EQ(1u, init.size());
  EXPECT_EQ(page, page_seen);
  EXPECT_EQ((LPARAM)0x5150, init[0].lparam);
  // The edit is the first visible, enabled WS_TABSTOP control; returning TRUE focuses it.
  EXPECT_EQ((WPARAM)GetDlgItem(page, kEditId), init[0].wparam);
  EXPECT_EQ(GetDlgItem(page, kEditId), GetFocus());
}

TEST(WinsimDialogTemplate, InitDialogReturningFalseLeavesTheFocusAlone) {
  Fresh();
  HWND frame = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  SetFocus(frame);
  Handler() = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
  CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kPageId), frame, RecordingProc, 0);
  EXPECT_EQ(frame, GetFocus());
}

TEST(WinsimDialogTemplate, AVisibleTemplateIsShownOnlyAfterInitDialog) {
  Fresh();
  HWND frame = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  std::vector<Event> init = EventsOf(WM_INITDIALOG);
  ASSERT_EQ(1u, init.size());
  EXPECT_FALSE(init[0].visible_then);
  EXPECT_TRUE(IsWindowVisible(frame));
  HWND page = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kPageId), frame, RecordingProc, 0);
  EXPECT_FALSE(IsWindowVisible(page)) << "the page template has no WS_VISIBLE";
}

TEST(WinsimDialogTemplate, CreationFailsWithoutAUsableTemplate) {
  Fresh();
  std::vector<uint8_t> good = TemplateBytes(Page());
  std::vector<uint8_t> truncated(good.begin(), good.begin() + (long)good.size() - 9);
  std::vector<uint8_t> old_style = good;
  old_style[2] = 0;  // not the 0xFFFF signature of an extended template
  old_style[3] = 0;
  struct Row {
    const char *name;
    std::vector<uint8_t> bytes;
    DWORD error;
  } rows[] = {
      {"truncated", truncated, ERROR_INVALID_PARAMETER},
      {"not extended", old_style, ERROR_INVALID_PARAMETER},
  };
  HWND frame = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  for (const Row &r : rows) {
    winsim::SetResource(RT_DIALOG, 300, r.bytes.data(), r.bytes.size());
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, CreateDialogParamW(nullptr, MAKEINTRESOURCEW(300), frame, RecordingProc, 0)) << r.name;
    EXPECT_EQ(r.error, GetLastError()) << r.name;
  }
  SetLastError(0xdeadbeef);
  EXPECT_EQ(nullptr, CreateDialogParamW(nullptr, MAKEINTRESOURCEW(399), frame, RecordingProc, 0));
  EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
  EXPECT_EQ(1u, winsim::WindowCount()) << "a failed creation leaves no window";
}

TEST(WinsimDialogTemplate, TheProgressBarNeedsInitCommonControlsEx) {
  winsim::Reset();
  RegisterDialog(kFrameId, Frame());
  RegisterDialog(kPageId, Page());
  HWND frame = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  EXPECT_EQ(nullptr, CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kPageId), frame, RecordingProc, 0));
  EXPECT_EQ((DWORD)ERROR_CANNOT_FIND_WND_CLASS, GetLastError());
  INITCOMMONCONTROLSEX wrong_size = {sizeof(INITCOMMONCONTROLSEX) + 4, ICC_WIN95_CLASSES};
  EXPECT_FALSE(InitCommonControlsEx(&wrong_size));
  winsim::FailCall("InitCommonControlsEx", 1, ERROR_OUTOFMEMORY);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  EXPECT_FALSE(InitCommonControlsEx(&icc));
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  HWND page = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kPageId), frame, RecordingProc, 0);
  ASSERT_NE(nullptr, page);
  EXPECT_EQ(0, winsim::ProgressPos(GetDlgItem(page, kProgress)));
}

TEST(WinsimDialogTemplate, AnInjectedFaultFailsExactlyTheNthCreation) {
  for (unsigned nth = 1; nth <= 5; ++nth) {
    Fresh();
    winsim::FailCall("CreateDialogParamW", nth, ERROR_OUTOFMEMORY);
    for (unsigned call = 1; call <= 5; ++call) {
      HWND dlg = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
      EXPECT_EQ(call == nth, dlg == nullptr) << "fault on call " << nth << ", call " << call;
    }
    EXPECT_EQ(4u, winsim::WindowCount()) << "fault on call " << nth;
  }
}

}  // namespace
