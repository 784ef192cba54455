/// \file
/// SetTimer/KillTimer on the virtual clock. A timer produces WM_TIMER only when the queue
/// has nothing else, at most one per period: the clock jumps to its due time, never beyond.
#include "user_state.h"

#include <algorithm>

namespace winsim {
namespace {

Timer *FindTimer(HWND hwnd, UINT_PTR id) {
  for (Timer &t : User().timers)
    if (t.hwnd == hwnd && t.id == id) return &t;
  return nullptr;
}

}  // namespace

bool FilterTakes(HWND filter, HWND target) {
  if (!filter) return true;
  if (filter == (HWND)-1) return target == nullptr;
  return target && IsDescendant(filter, target);
}

TimerResult NextTimer(HWND filter, bool advance, bool remove, MSG *out) {
  UserWorld &u = User();
  Timer *best = nullptr;
  for (Timer &t : u.timers)
    if (FilterTakes(filter, t.hwnd) && (!best || t.due < best->due)) best = &t;
  if (!best || (!advance && best->due > u.now_ms)) return TimerResult::kNone;
  if (best->due > u.stall_limit_ms) return TimerResult::kPastLimit;
  uint64_t at = std::max(u.now_ms, best->due);
  *out = MSG{best->hwnd, WM_TIMER, best->id, (LPARAM)best->proc, (DWORD)at, POINT{0, 0}};
  if (remove) {
    u.now_ms = at;
    best->due = at + best->period;
  }
  return TimerResult::kFired;
}

uint64_t VirtualTimeMs() {
  EnsureReady();
  return User().now_ms;
}

bool TimerActive(HWND hwnd, UINT_PTR id) {
  EnsureReady();
  return FindTimer(hwnd, id) != nullptr;
}

UINT TimerPeriod(HWND hwnd, UINT_PTR id) {
  EnsureReady();
  Timer *t = FindTimer(hwnd, id);
  return t ? t->period : 0;
}

}  // namespace winsim

using namespace winsim;

extern "C" UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  EnsureReady();
  if (Injected("SetTimer", nullptr)) return 0;
  if (hwnd && !Win(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (elapse_ms < USER_TIMER_MINIMUM) elapse_ms = USER_TIMER_MINIMUM;
  UserWorld &u = User();
  // Without a window the id is the platform's choice unless it names an existing timer.
  if (!hwnd && !FindTimer(nullptr, id)) {
    static UINT_PTR next_thread_timer = 0x7F00;
    id = ++next_thread_timer;
  }
  Timer *t = FindTimer(hwnd, id);
  if (!t) {
    u.timers.push_back(Timer{hwnd, id, 0, 0, nullptr});
    t = &u.timers.back();
  }
  t->period = elapse_ms;
  t->due = u.now_ms + elapse_ms;
  t->proc = proc;
  return id ? id : 1;
}

extern "C" BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  EnsureReady();
  auto &timers = User().timers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer &t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  timers.erase(it);
  return TRUE;
}
