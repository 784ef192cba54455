/// \file
/// Window lifetime and state: DestroyWindow, IsWindow, visibility, enabling, focus, and the
/// parent/child/id lookups.
#include "user_state.h"

#include <algorithm>

namespace winsim {
namespace {

void CollectPreOrder(HWND hwnd, std::vector<HWND> *out) {
  Window *w = Win(hwnd);
  if (!w) return;
  out->push_back(hwnd);
  std::vector<HWND> children = w->children;
  for (HWND c : children) CollectPreOrder(c, out);
}

void Forget(HWND hwnd) {
  UserWorld &u = User();
  auto &timers = u.timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer &t) { return t.hwnd == hwnd; }),
               timers.end());
  // Messages still queued for a destroyed window can never be delivered: drop them.
  auto &q = u.queue;
  q.erase(std::remove_if(q.begin(), q.end(), [&](const MSG &m) { return m.hwnd == hwnd; }), q.end());
  if (u.focus == hwnd) u.focus = nullptr;
  u.windows.erase(hwnd);
}

bool Invalid(HWND hwnd) {
  EnsureReady();
  if (Win(hwnd)) return false;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return true;
}

}  // namespace
}  // namespace winsim

using namespace winsim;

// Owned windows go first; then WM_DESTROY reaches the window before its children (parent
// first, depth first), and only then do the handles die, so a WM_DESTROY handler can still
// read its controls.
extern "C" BOOL WINAPI DestroyWindow(HWND hwnd) {
  if (Invalid(hwnd)) return FALSE;
  if (Win(hwnd)->destroying) return TRUE;
  std::vector<HWND> owned;
  for (auto &entry : User().windows)
    if (entry.second.owner == hwnd) owned.push_back(entry.first);
  for (HWND o : owned) DestroyWindow(o);
  if (!Win(hwnd)) return TRUE;

  std::vector<HWND> order;
  CollectPreOrder(hwnd, &order);
  for (HWND h : order) Win(h)->destroying = true;
  for (HWND h : order)
    if (Win(h)) SendMessageW(h, WM_DESTROY, 0, 0);
  if (!Win(hwnd)) return TRUE;
  order.clear();
  CollectPreOrder(hwnd, &order);
  if (Window *p = Win(Win(hwnd)->parent)) {
    auto &siblings = p->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  }
  for (HWND h : order) Forget(h);
  return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hwnd) {
  EnsureReady();
  return Win(hwnd) != nullptr;
}

extern "C" BOOL WINAPI ShowWindow(HWND hwnd, int command) {
  if (Invalid(hwnd)) return FALSE;
  Window *w = Win(hwnd);
  BOOL was_visible = (w->style & WS_VISIBLE) != 0;
  if (command == SW_HIDE) w->style &= ~(DWORD)WS_VISIBLE;
  else w->style |= WS_VISIBLE;
  return was_visible;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hwnd) {
  EnsureReady();
  return VisibleChain(hwnd);
}

extern "C" BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  if (Invalid(hwnd)) return FALSE;
  Window *w = Win(hwnd);
  BOOL was_disabled = (w->style & WS_DISABLED) != 0;
  if (enable) w->style &= ~(DWORD)WS_DISABLED;
  else w->style |= WS_DISABLED;
  if (was_disabled == !enable) return was_disabled;
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled;
}

// Only the window's own state: children of a disabled window are disabled implicitly, but
// IsWindowEnabled does not report it.
extern "C" BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  if (Invalid(hwnd)) return FALSE;
  return (Win(hwnd)->style & WS_DISABLED) == 0;
}

extern "C" HWND WINAPI GetDlgItem(HWND dialog, int id) {
  if (Invalid(dialog)) return nullptr;
  for (HWND c : Win(dialog)->children)
    if (Win(c)->id == id) return c;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

extern "C" int WINAPI GetDlgCtrlID(HWND hwnd) {
  if (Invalid(hwnd)) return 0;
  Window *w = Win(hwnd);
  return w->parent ? w->id : 0;
}

// A child's parent; a top-level window reports its owner only if it is a WS_POPUP.
extern "C" HWND WINAPI GetParent(HWND hwnd) {
  if (Invalid(hwnd)) return nullptr;
  Window *w = Win(hwnd);
  if (w->style & WS_CHILD) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

extern "C" HWND WINAPI SetFocus(HWND hwnd) {
  EnsureReady();
  if (hwnd && Invalid(hwnd)) return nullptr;
  HWND previous = User().focus;
  User().focus = hwnd;
  return previous;
}

extern "C" HWND WINAPI GetFocus(void) {
  EnsureReady();
  return User().focus;
}
