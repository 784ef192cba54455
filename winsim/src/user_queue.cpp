/// \file
/// The thread's message queue: posted messages first-in first-out, then WM_QUIT, then the
/// scripted user, then timers on the virtual clock; a loop that can never receive anything
/// again is ended with a diagnostic instead of hanging the test.
#include "user_state.h"

#include <cstdio>

namespace winsim {
namespace {

const unsigned kScriptTurnLimit = 10000;

bool InRange(UINT message, UINT lo, UINT hi) {
  return (lo == 0 && hi == 0) || (message >= lo && message <= hi);
}

bool TakePosted(HWND filter, UINT lo, UINT hi, bool remove, MSG *out) {
  auto &q = User().queue;
  for (auto it = q.begin(); it != q.end(); ++it) {
    if (!FilterTakes(filter, it->hwnd) || !InRange(it->message, lo, hi)) continue;
    *out = *it;
    if (remove) q.erase(it);
    return true;
  }
  return false;
}

bool TakeQuit(bool remove, MSG *out) {
  UserWorld &u = User();
  if (!u.quit) return false;
  *out = MSG{nullptr, WM_QUIT, (WPARAM)u.quit_code, 0, (DWORD)u.now_ms, POINT{0, 0}};
  if (remove) u.quit = false;
  return true;
}

BOOL Stall(MSG *out, const std::string &why) {
  UserWorld &u = User();
  if (!u.stalled)
    fprintf(stderr, "winsim: GetMessageW stalls at %llu ms virtual time: %s; returning 0 to end the loop\n",
            (unsigned long long)u.now_ms, why.c_str());
  u.stalled = true;
  *out = MSG{nullptr, WM_QUIT, 0, 0, (DWORD)u.now_ms, POINT{0, 0}};
  return 0;
}

}  // namespace

void SetIdleScript(std::function<void()> script) {
  EnsureReady();
  User().script = std::move(script);
}

void ClearIdleScript() {
  EnsureReady();
  User().script = nullptr;
}

void SetStallLimitMs(uint64_t limit_ms) {
  EnsureReady();
  User().stall_limit_ms = limit_ms;
}

bool LoopStalled() {
  EnsureReady();
  return User().stalled;
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI PostMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  EnsureReady();
  if (hwnd && !Win(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  User().queue.push_back(MSG{hwnd, message, wparam, lparam, (DWORD)User().now_ms, POINT{0, 0}});
  return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int exit_code) {
  EnsureReady();
  User().quit = true;
  User().quit_code = exit_code;
}

extern "C" BOOL WINAPI GetMessageW(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  EnsureReady();
  UserWorld &u = User();
  if (!msg || (hwnd && hwnd != (HWND)-1 && !Win(hwnd))) {
    SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (u.stalled) return Stall(msg, "stalled before");
  bool script_ran = false;
  for (;;) {
    if (TakePosted(hwnd, filter_min, filter_max, true, msg)) return msg->message != WM_QUIT;
    if (TakeQuit(true, msg)) return 0;
    if (u.script && !script_ran) {
      script_ran = true;
      // A script that acts on every idle turn starves the timers and the clock never moves:
      // without this the test would spin for ever.
      if (++u.script_turns > kScriptTurnLimit)
        return Stall(msg, "the idle script acted " + std::to_string(kScriptTurnLimit) +
                              " times in a row without letting a timer fire");
      // A copy: the script may replace or clear itself while it runs.
      std::function<void()> script = u.script;
      script();
      continue;
    }
    if (hwnd && hwnd != (HWND)-1 && !Win(hwnd)) return Stall(msg, "the filter window was destroyed");
    if (!InRange(WM_TIMER, filter_min, filter_max)) return Stall(msg, "nothing in the filter's range can arrive");
    switch (NextTimer(hwnd, true, true, msg)) {
      case TimerResult::kFired:
        u.script_turns = 0;
        return TRUE;
      case TimerResult::kPastLimit:
        return Stall(msg, "the next timer is due after the limit of " + std::to_string(u.stall_limit_ms) + " ms");
      case TimerResult::kNone:
        break;
    }
    return Stall(msg, u.script ? "the idle script did nothing and no timer is set"
                                : "the queue is empty, no timer is set and no idle script acts");
  }
}

// Never runs the idle script and never moves the clock: only what is already there.
extern "C" BOOL WINAPI PeekMessageW(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max,
                                    UINT remove) {
  EnsureReady();
  if (!msg) return FALSE;
  bool take = (remove & PM_REMOVE) != 0;
  if (TakePosted(hwnd, filter_min, filter_max, take, msg)) return TRUE;
  if (TakeQuit(take, msg)) return TRUE;
  if (InRange(WM_TIMER, filter_min, filter_max) && NextTimer(hwnd, false, take, msg) == TimerResult::kFired)
    return TRUE;
  return FALSE;
}

// Character translation is not modelled: no WM_CHAR is generated.
extern "C" BOOL WINAPI TranslateMessage(const MSG *msg) {
  return msg && msg->message == WM_KEYDOWN;
}

extern "C" LRESULT WINAPI DispatchMessageW(const MSG *msg) {
  EnsureReady();
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    ((TIMERPROC)msg->lParam)(msg->hwnd, WM_TIMER, (UINT_PTR)msg->wParam, msg->time);
    return 0;
  }
  if (!Win(msg->hwnd)) return 0;
  return WindowProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
