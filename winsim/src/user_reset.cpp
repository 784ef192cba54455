/// \file
/// The USER32 state record, handle allocation, window lookups along the parent chain, and
/// ResetUser.
#include "user_state.h"

#include <winsim_test.h>

namespace winsim {

UserWorld &User() {
  static UserWorld world;
  return world;
}

Window *Win(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto &windows = User().windows;
  auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : &it->second;
}

// Handles are never reused, not even across Reset, so a stale handle kept by a test or by
// product code can never alias a newer window.
HWND NewHandle() {
  static uintptr_t next = 0x20000;
  next += 4;
  return (HWND)next;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
  for (Window *w = Win(hwnd); w; w = Win(w->parent))
    if (w->handle == ancestor) return true;
  return false;
}

bool VisibleChain(HWND hwnd) {
  Window *w = Win(hwnd);
  if (!w) return false;
  for (; w; w = Win(w->parent))
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

bool EnabledChain(HWND hwnd) {
  Window *w = Win(hwnd);
  if (!w) return false;
  for (; w; w = Win(w->parent))
    if (w->style & WS_DISABLED) return false;
  return true;
}

RECT ClientOriginRect(HWND hwnd) {
  RECT r{0, 0, 0, 0};
  Window *w = Win(hwnd);
  if (!w) return r;
  RECT outer = w->pos;
  if (Window *p = Win(w->parent)) {
    RECT pc = ClientOriginRect(p->handle);
    outer.left += pc.left;
    outer.right += pc.left;
    outer.top += pc.top;
    outer.bottom += pc.top;
  }
  r.left = outer.left + w->frame.left;
  r.top = outer.top + w->frame.top;
  r.right = outer.right - w->frame.right;
  r.bottom = outer.bottom - w->frame.bottom;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

std::u16string ToU16(LPCWSTR text) {
  std::u16string out;
  for (size_t i = 0; text && text[i]; ++i) out += (char16_t)text[i];
  return out;
}

std::string ToUtf8(const std::u16string &text) {
  std::vector<WCHAR> w(text.begin(), text.end());
  w.push_back(0);
  return Utf8(w.data());
}

int CopyOut(const std::u16string &text, LPWSTR buffer, WPARAM max_count) {
  if (!buffer || max_count == 0) return 0;
  size_t n = text.size() < max_count - 1 ? text.size() : max_count - 1;
  for (size_t i = 0; i < n; ++i) buffer[i] = (WCHAR)text[i];
  buffer[n] = 0;
  return (int)n;
}

void ResetUser() {
  User() = UserWorld();
  ResetGdi();
}

void SetScreen(int cx, int cy) {
  EnsureReady();
  User().screen_cx = cx;
  User().screen_cy = cy;
}

void SetWorkArea(RECT area) {
  EnsureReady();
  User().work_area = area;
}

}  // namespace winsim

using namespace winsim;

extern "C" int WINAPI GetSystemMetrics(int index) {
  EnsureReady();
  switch (index) {
    case SM_CXSCREEN: return User().screen_cx;
    case SM_CYSCREEN: return User().screen_cy;
    case SM_CXICON: case SM_CYICON: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    default: return 0;
  }
}

extern "C" BOOL WINAPI SystemParametersInfoW(UINT action, UINT, PVOID pvparam, UINT) {
  EnsureReady();
  if (action != SPI_GETWORKAREA || !pvparam) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *(RECT *)pvparam = User().work_area;
  return TRUE;
}
