/// \file
/// Window rectangles: GetWindowRect (screen), GetClientRect, SetWindowPos and MoveWindow
/// (parent-client coordinates for children, screen coordinates for top-level windows).
#include "user_state.h"

using namespace winsim;

namespace {

bool Invalid(HWND hwnd) {
  EnsureReady();
  if (Win(hwnd)) return false;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return true;
}

}  // namespace

extern "C" BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  if (Invalid(hwnd) || !rect) return FALSE;
  Window *w = Win(hwnd);
  RECT client = ClientOriginRect(hwnd);
  rect->left = client.left - w->frame.left;
  rect->top = client.top - w->frame.top;
  rect->right = rect->left + (w->pos.right - w->pos.left);
  rect->bottom = rect->top + (w->pos.bottom - w->pos.top);
  return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  if (Invalid(hwnd) || !rect) return FALSE;
  RECT client = ClientOriginRect(hwnd);
  *rect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
  return TRUE;
}

// Z order and activation are not modelled, so SWP_NOZORDER and SWP_NOACTIVATE change nothing.
extern "C" BOOL WINAPI SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  if (Invalid(hwnd)) return FALSE;
  Window *w = Win(hwnd);
  LONG width = w->pos.right - w->pos.left, height = w->pos.bottom - w->pos.top;
  if (!(flags & SWP_NOSIZE)) {
    width = cx < 0 ? 0 : cx;
    height = cy < 0 ? 0 : cy;
  }
  if (!(flags & SWP_NOMOVE)) {
    w->pos.left = x;
    w->pos.top = y;
  }
  w->pos.right = w->pos.left + width;
  w->pos.bottom = w->pos.top + height;
  return TRUE;
}

extern "C" BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
