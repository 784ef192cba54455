// winsim's dialog manager: IsDialogMessageW's Enter, Escape and Tab, the keys a focused
// button takes, and the defaults behind WM_NEXTDLGCTL, WM_CLOSE and DM_GETDEFID.
#include <gtest/gtest.h>

#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;

MSG Key(HWND target, UINT vk) { return MSG{target, WM_KEYDOWN, vk, 1, 0, {0, 0}}; }

// The WM_COMMANDs that reached `dialog` while IsDialogMessageW handled one key press.
std::vector<Event> CommandsFor(HWND dialog, HWND focus, UINT vk) {
  Events().clear();
  MSG msg = Key(focus, vk);
  EXPECT_TRUE(IsDialogMessageW(dialog, &msg));
  std::vector<Event> out;
  for (const Event &e : EventsOf(WM_COMMAND))
    if (e.hwnd == dialog) out.push_back(e);
  return out;
}

TEST(WinsimDialogKeys, EnterAndEscapeGiveTheirCommandsAsTheDialogStandsNow) {
  struct Row {
    const char *name;
    WORD page_id;
    UINT vk;
    bool disable_default;
    int expected_id;  // 0: no command at all
    int expected_control;  // id of the control whose handle comes in lParam, 0 for null
  } rows[] = {
      {"Enter gives the default button", kPageId, VK_RETURN, false, kNext, kNext},
      {"Enter on a disabled default button does nothing", kPageId, VK_RETURN, true, 0, 0},
      {"Enter without a default button gives IDOK", kNoDefaultPageId, VK_RETURN, false, IDOK, kNext},
      {"Escape gives Cancel", kPageId, VK_ESCAPE, false, IDCANCEL, kCancel},
      {"Escape gives IDCANCEL without a Cancel button", kNoCancelPageId, VK_ESCAPE, false, IDCANCEL, 0},
      {"Escape with the default button disabled still cancels", kPageId, VK_ESCAPE, true, IDCANCEL, kCancel},
  };
  for (const Row &r : rows) {
    Fresh();
    Wizard w = MakeWizard(r.page_id);
    if (r.disable_default) EnableWindow(GetDlgItem(w.page, kNext), FALSE);
    SetFocus(w.page);  // no push button has the focus, so none stands in for the default
    std::vector<Event> commands = CommandsFor(w.page, w.page, r.vk);
    if (!r.expected_id) {
      EXPECT_TRUE(commands.empty()) << r.name;
      continue;
    }
    ASSERT_EQ(1u, commands.size()) << r.name;
    EXPECT_EQ(MAKEWPARAM(r.expected_id, BN_CLICKED), commands[0].wparam) << r.name;
    HWND control = r.expected_control ? GetDlgItem(w.page, r.expected_control) : nullptr;
    EXPECT_EQ((LPARAM)control, commands[0].lparam) << r.name;
  }
}

TEST(WinsimDialogKeys, EnterPressesAFocusedPushButtonInsteadOfTheDefault) {
  struct Row {
    int focus;
    int expected_id;
  } rows[] = {{kCancel, kCancel}, {kNext, kNext}, {kOptionA, kNext}, {kEditId, kNext}};
  for (const Row &r : rows) {
    Fresh();
    Wizard w = MakeWizard();
    HWND focus = GetDlgItem(w.page, r.focus);
    SetFocus(focus);
    std::vector<Event> commands = CommandsFor(w.page, focus, VK_RETURN);
    ASSERT_EQ(1u, commands.size()) << "focus on " << r.focus;
    EXPECT_EQ(MAKEWPARAM(r.expected_id, BN_CLICKED), commands[0].wparam) << "focus on " << r.focus;
    EXPECT_EQ((LPARAM)GetDlgItem(w.page, r.expected_id), commands[0].lparam) << "focus on " << r.focus;
  }
}

TEST(WinsimDialogKeys, TheFramesKeyboardInterfaceReachesIntoAControlParentPage) {
  Fresh();
  Wizard w = MakeWizard();
  std::vector<Event> commands = CommandsFor(w.frame, GetDlgItem(w.page, kEditId), VK_RETURN);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(kNext, BN_CLICKED), commands[0].wparam);
  EXPECT_EQ((LPARAM)GetDlgItem(w.page, kNext), commands[0].lparam);
}

TEST(WinsimDialogKeys, TabVisitsVisibleEnabledTabStopsInTemplateOrderAndWraps) {
  Fresh();
  Wizard w = MakeWizard();
  // Option B and Back are disabled, the hidden button is hidden, the group box is no stop.
  const int order[] = {kOptionA, kPlainCheck, kList, kNext, kCancel, kEditId, kOptionA};
  ASSERT_EQ(GetDlgItem(w.page, kEditId), GetFocus());
  for (int id : order) {
    MSG msg = Key(GetFocus(), VK_TAB);
    EXPECT_TRUE(IsDialogMessageW(w.frame, &msg));
    EXPECT_EQ(GetDlgItem(w.page, id), GetFocus()) << "expected control " << id;
  }
}

TEST(WinsimDialogKeys, SpaceClicksTheFocusedButton) {
  Fresh();
  Wizard w = MakeWizard();
  HWND option = GetDlgItem(w.page, kOptionA);
  SetFocus(option);
  MSG msg = Key(option, VK_SPACE);
  EXPECT_TRUE(IsDialogMessageW(w.frame, &msg));
  EXPECT_EQ(BST_CHECKED, winsim::Checked(option));
  std::vector<Event> commands = EventsOf(WM_COMMAND);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(kOptionA, BN_CLICKED), commands[0].wparam);
}

TEST(WinsimDialogKeys, MessagesOfOtherWindowsAreLeftToTheCaller) {
  Fresh();
  Wizard w = MakeWizard();
  HWND other = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  Events().clear();
  MSG msg = Key(other, VK_RETURN);
  EXPECT_FALSE(IsDialogMessageW(w.frame, &msg));
  msg = MSG{nullptr, WM_APP, 0, 0, 0, {0, 0}};
  EXPECT_FALSE(IsDialogMessageW(w.frame, &msg)) << "a thread message";
  EXPECT_TRUE(Events().empty());
  msg = MSG{w.page, WM_APP, 0, 0, 0, {0, 0}};
  EXPECT_TRUE(IsDialogMessageW(w.frame, &msg)) << "it dispatches its own windows' other messages";
  EXPECT_EQ(1u, EventsOf(WM_APP).size());
}

TEST(WinsimDialogKeys, NextDlgCtlFocusesTheNamedControlOrTheNextTabStop) {
  Fresh();
  Wizard w = MakeWizard();
  SendMessageW(w.page, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(w.page, kCancel), TRUE);
  EXPECT_EQ(GetDlgItem(w.page, kCancel), GetFocus());
  SendMessageW(w.page, WM_NEXTDLGCTL, 0, FALSE);
  EXPECT_EQ(GetDlgItem(w.page, kEditId), GetFocus()) << "wraps to the first tab stop";
  SendMessageW(w.page, WM_NEXTDLGCTL, 1, FALSE);
  EXPECT_EQ(GetDlgItem(w.page, kCancel), GetFocus()) << "wParam nonzero goes backwards";
}

TEST(WinsimDialogKeys, CloseBecomesAPostedCancelUnlessCancelIsDisabled) {
  Fresh();
  Wizard w = MakeWizard();
  SendMessageW(w.page, WM_CLOSE, 0, 0);
  EXPECT_TRUE(EventsOf(WM_COMMAND).empty()) << "posted, not sent";
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(w.page, msg.hwnd);
  EXPECT_EQ((UINT)WM_COMMAND, msg.message);
  EXPECT_EQ(MAKEWPARAM(IDCANCEL, BN_CLICKED), msg.wParam);
  EnableWindow(GetDlgItem(w.page, kCancel), FALSE);
  SendMessageW(w.page, WM_CLOSE, 0, 0);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(WinsimDialogKeys, GetDefIdNamesTheDefaultPushButton) {
  Fresh();
  Wizard w = MakeWizard();
  EXPECT_EQ(MAKELRESULT(kNext, DC_HASDEFID), SendMessageW(w.page, DM_GETDEFID, 0, 0));
  Wizard plain = MakeWizard(kNoDefaultPageId);
  EXPECT_EQ(0, SendMessageW(plain.page, DM_GETDEFID, 0, 0));
}

}  // namespace
