// winsim's message queue: sent versus posted, first-in first-out, the quit rule, filters,
// the scripted user on an idle queue, and the stall guard that ends a loop going nowhere.
#include <gtest/gtest.h>

#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;

const UINT kPing = WM_APP + 1;

TEST(WinsimQueue, SentMessagesArriveAtOncePostedOnesWhenDispatched) {
  Fresh();
  HWND frame = MakeWizard().frame;
  Events().clear();
  SendMessageW(frame, kPing, 1, 0);
  ASSERT_EQ(1u, EventsOf(kPing).size());
  ASSERT_TRUE(PostMessageW(frame, kPing, 2, 0));
  ASSERT_TRUE(PostMessageW(frame, kPing, 3, 0));
  EXPECT_EQ(1u, EventsOf(kPing).size()) << "a posted message waits in the queue";
  MSG msg;
  for (WPARAM expected : {2, 3}) {
    ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(frame, msg.hwnd);
    EXPECT_EQ(expected, msg.wParam) << "posted messages come out first-in first-out";
    DispatchMessageW(&msg);
  }
  std::vector<Event> pings = EventsOf(kPing);
  ASSERT_EQ(3u, pings.size());
  EXPECT_EQ(3u, pings[2].wparam);
}

TEST(WinsimQueue, QuitComesAfterThePostedMessagesAndOnlyOnce) {
  Fresh();
  HWND frame = MakeWizard().frame;
  PostMessageW(frame, kPing, 1, 0);
  PostQuitMessage(7);
  PostMessageW(nullptr, kPing, 2, 0);  // a thread message
  MSG msg;
  ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(1u, msg.wParam);
  ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(nullptr, msg.hwnd);
  EXPECT_EQ(2u, msg.wParam);
  EXPECT_EQ(0, GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ((UINT)WM_QUIT, msg.message);
  EXPECT_EQ(7u, msg.wParam);
  EXPECT_FALSE(winsim::LoopStalled());
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "WM_QUIT is retrieved once";
}

TEST(WinsimQueue, FiltersTakeAWindowAndItsChildrenOrThreadMessages) {
  Fresh();
  Wizard w = MakeWizard();
  HWND next = GetDlgItem(w.page, kNext);
  HWND other = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  PostMessageW(other, kPing, 1, 0);
  PostMessageW(nullptr, kPing, 2, 0);
  PostMessageW(next, kPing, 3, 0);
  MSG msg;
  ASSERT_GT(GetMessageW(&msg, w.frame, 0, 0), 0);
  EXPECT_EQ(3u, msg.wParam) << "a control of the frame's page";
  ASSERT_TRUE(PeekMessageW(&msg, (HWND)-1, 0, 0, PM_REMOVE));
  EXPECT_EQ(2u, msg.wParam) << "-1 takes thread messages";
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, kPing, kPing, PM_NOREMOVE));
  EXPECT_EQ(1u, msg.wParam);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "PM_NOREMOVE left it there";
  EXPECT_EQ(1u, msg.wParam);
}

TEST(WinsimQueue, AnInvalidFilterWindowIsAnError) {
  Fresh();
  HWND frame = MakeWizard().frame;
  DestroyWindow(frame);
  MSG msg;
  EXPECT_EQ(-1, GetMessageW(&msg, frame, 0, 0));
  EXPECT_EQ((DWORD)ERROR_INVALID_WINDOW_HANDLE, GetLastError());
}

TEST(WinsimQueue, PostingToADestroyedWindowFailsAndItsQueuedMessagesAreDropped) {
  Fresh();
  Wizard w = MakeWizard();
  PostMessageW(w.page, kPing, 1, 0);
  PostMessageW(w.frame, kPing, 2, 0);
  DestroyWindow(w.page);
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(PostMessageW(w.page, kPing, 3, 0));
  EXPECT_EQ((DWORD)ERROR_INVALID_WINDOW_HANDLE, GetLastError());
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(2u, msg.wParam);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(WinsimQueue, TheIdleScriptActsWhenTheQueueIsEmptyAndItsClicksComeThroughTheQueue) {
  Fresh();
  Wizard w = MakeWizard();
  int idle_calls = 0;
  winsim::SetIdleScript([&] {
    ++idle_calls;
    if (idle_calls == 1) winsim::Click(winsim::Control(w.frame, kNext));
    if (idle_calls == 2) PostQuitMessage(0);
  });
  std::vector<UINT> seen;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    seen.push_back(msg.message);
    if (!IsDialogMessageW(w.frame, &msg)) DispatchMessageW(&msg);
  }
  EXPECT_FALSE(winsim::LoopStalled());
  EXPECT_EQ(2, idle_calls);
  ASSERT_EQ(1u, seen.size());
  EXPECT_EQ((UINT)BM_CLICK, seen[0]);
  std::vector<Event> commands = EventsOf(WM_COMMAND);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(kNext, BN_CLICKED), commands[0].wparam);
  EXPECT_EQ(w.page, commands[0].hwnd) << "a button reports to its parent";
}

TEST(WinsimQueue, ALoopThatCanReceiveNothingMoreStallsInsteadOfHanging) {
  struct Row {
    const char *name;
    void (*arrange)(const Wizard &);
  } rows[] = {
      {"empty queue", [](const Wizard &) {}},
      {"idle script that does nothing", [](const Wizard &) { winsim::SetIdleScript([] {}); }},
      {"idle script clicking a disabled button for ever, a timer starved",
       [](const Wizard &w) {
         SetTimer(w.frame, 1, 100, nullptr);
         HWND back = GetDlgItem(w.page, kBack);
         winsim::SetIdleScript([back] { winsim::Click(back); });
       }},
  };
  for (const Row &r : rows) {
    Fresh();
    Wizard w = MakeWizard();
    r.arrange(w);
    testing::internal::CaptureStderr();
    MSG msg;
    int received = 0;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ++received;
      DispatchMessageW(&msg);
    }
    std::string diagnostic = testing::internal::GetCapturedStderr();
    EXPECT_EQ((UINT)WM_QUIT, msg.message) << r.name;
    EXPECT_EQ(0u, msg.wParam) << r.name;
    EXPECT_TRUE(winsim::LoopStalled()) << r.name;
    EXPECT_NE(std::string::npos, diagnostic.find("stalls")) << r.name << ": " << diagnostic;
    EXPECT_EQ(0u, winsim::VirtualTimeMs()) << r.name;
    EXPECT_TRUE(IsWindow(w.frame)) << r.name;
    EXPECT_EQ(0, GetMessageW(&msg, nullptr, 0, 0)) << r.name << ": a stalled loop stays stalled";
  }
}

TEST(WinsimQueue, TheStallGuardStopsTimersPastTheVirtualTimeLimit) {
  Fresh();
  HWND frame = MakeWizard().frame;
  winsim::SetStallLimitMs(1000);
  SetTimer(frame, 1, 300, nullptr);
  MSG msg;
  int timers = 0;
  testing::internal::CaptureStderr();
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ++timers;
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(3, timers);
  EXPECT_EQ(900u, winsim::VirtualTimeMs());
  EXPECT_TRUE(winsim::LoopStalled());
}

TEST(WinsimQueue, PeekNeitherRunsTheScriptNorMovesTheClock) {
  Fresh();
  HWND frame = MakeWizard().frame;
  bool ran = false;
  winsim::SetIdleScript([&] { ran = true; });
  SetTimer(frame, 1, 50, nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(ran);
  EXPECT_EQ(0u, winsim::VirtualTimeMs());
  EXPECT_TRUE(TranslateMessage(&(msg = MSG{frame, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}})));
  EXPECT_FALSE(TranslateMessage(&(msg = MSG{frame, WM_COMMAND, 0, 0, 0, {0, 0}})));
}

}  // namespace
