// winsim's timers on the virtual clock: WM_TIMER once per period when the queue is idle,
// after posted messages, in due order; killed timers and timers of destroyed windows stop.
#include <gtest/gtest.h>

#include "native/winsim_user_fixture.h"

namespace {

using namespace user_fixture;

struct Tick {
  UINT_PTR id;
  uint64_t at;
};

// Runs the loop for `count` messages and notes each WM_TIMER with the clock at its arrival.
std::vector<Tick> Ticks(int count) {
  std::vector<Tick> out;
  MSG msg;
  for (int i = 0; i < count && GetMessageW(&msg, nullptr, 0, 0) > 0; ++i)
    if (msg.message == WM_TIMER) out.push_back(Tick{msg.wParam, winsim::VirtualTimeMs()});
  return out;
}

TEST(WinsimTimers, ATimerFiresOncePerPeriodOfVirtualTime) {
  Fresh();
  HWND frame = MakeWizard().frame;
  EXPECT_EQ((UINT_PTR)5, SetTimer(frame, 5, 250, nullptr));
  EXPECT_TRUE(winsim::TimerActive(frame, 5));
  EXPECT_EQ(250u, winsim::TimerPeriod(frame, 5));
  std::vector<Tick> ticks = Ticks(4);
  ASSERT_EQ(4u, ticks.size());
  for (size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ((UINT_PTR)5, ticks[i].id) << "tick " << i;
    EXPECT_EQ(250u * (i + 1), ticks[i].at) << "tick " << i << ": one per period, no burst";
  }
}

TEST(WinsimTimers, TimersInterleaveByDueTimeAndTiesGoInOrderOfSetting) {
  Fresh();
  HWND frame = MakeWizard().frame;
  SetTimer(frame, 1, 30, nullptr);
  SetTimer(frame, 2, 45, nullptr);
  struct Row {
    UINT_PTR id;
    uint64_t at;
  } expected[] = {{1, 30}, {2, 45}, {1, 60}, {1, 90}, {2, 90}, {1, 120}};
  std::vector<Tick> ticks = Ticks(6);
  ASSERT_EQ(6u, ticks.size());
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(expected[i].id, ticks[i].id) << "row " << i;
    EXPECT_EQ(expected[i].at, ticks[i].at) << "row " << i;
  }
}

TEST(WinsimTimers, PostedMessagesComeFirstAndTheClockWaitsForThem) {
  Fresh();
  HWND frame = MakeWizard().frame;
  SetTimer(frame, 1, 100, nullptr);
  PostMessageW(frame, WM_APP, 0, 0);
  PostMessageW(frame, WM_APP, 1, 0);
  MSG msg;
  for (int i = 0; i < 2; ++i) {
    ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ((UINT)WM_APP, msg.message) << "message " << i;
    EXPECT_EQ(0u, winsim::VirtualTimeMs()) << "message " << i;
  }
  ASSERT_GT(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ((UINT)WM_TIMER, msg.message);
  EXPECT_EQ(frame, msg.hwnd);
  EXPECT_EQ(100u, winsim::VirtualTimeMs());
}

TEST(WinsimTimers, KilledTimersAndTimersOfDestroyedWindowsStop) {
  Fresh();
  Wizard w = MakeWizard();
  SetTimer(w.frame, 1, 10, nullptr);
  SetTimer(w.page, 2, 20, nullptr);
  SetTimer(w.frame, 3, 40, nullptr);
  EXPECT_TRUE(KillTimer(w.frame, 1));
  EXPECT_FALSE(KillTimer(w.frame, 1)) << "already gone";
  DestroyWindow(w.page);
  EXPECT_FALSE(winsim::TimerActive(w.page, 2));
  std::vector<Tick> ticks = Ticks(2);
  ASSERT_EQ(2u, ticks.size());
  EXPECT_EQ((UINT_PTR)3, ticks[0].id);
  EXPECT_EQ(40u, ticks[0].at);
  EXPECT_EQ(80u, ticks[1].at);
}

TEST(WinsimTimers, SettingAgainReplacesAndShortPeriodsAreRaisedToTheMinimum) {
  Fresh();
  HWND frame = MakeWizard().frame;
  SetTimer(frame, 1, 1000, nullptr);
  SetTimer(frame, 1, 1, nullptr);
  EXPECT_EQ((UINT)USER_TIMER_MINIMUM, winsim::TimerPeriod(frame, 1));
  std::vector<Tick> ticks = Ticks(2);
  ASSERT_EQ(2u, ticks.size());
  EXPECT_EQ(10u, ticks[0].at);
  EXPECT_EQ(20u, ticks[1].at);
}

TEST(WinsimTimers, SetTimerFailsOnAnInjectedFaultOrAnInvalidWindow) {
  Fresh();
  Wizard w = MakeWizard();
  winsim::FailCall("SetTimer", 2, ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ((UINT_PTR)1, SetTimer(w.frame, 1, 100, nullptr));
  EXPECT_EQ((UINT_PTR)0, SetTimer(w.frame, 2, 100, nullptr));
  EXPECT_FALSE(winsim::TimerActive(w.frame, 2));
  DestroyWindow(w.page);
  EXPECT_EQ((UINT_PTR)0, SetTimer(w.page, 3, 100, nullptr));
  EXPECT_EQ((DWORD)ERROR_INVALID_WINDOW_HANDLE, GetLastError());
}

}  // namespace
