/// \file
/// The scripted user's hands: clicks and key presses arrive through the queue as a person's
/// would; windows are found by title and controls by id; a list box's colours are queried.
#include "user_state.h"

namespace winsim {
namespace {

HWND FindDescendant(HWND parent, int id) {
  Window *p = Win(parent);
  if (!p) return nullptr;
  for (HWND c : p->children)
    if (Win(c)->id == id) return c;
  for (HWND c : p->children)
    if (HWND found = FindDescendant(c, id)) return found;
  return nullptr;
}

}  // namespace

void Click(HWND button) {
  EnsureReady();
  PostMessageW(button, BM_CLICK, 0, 0);
}

// The active window is taken as the newest visible top-level window.
void PressKey(UINT vk) {
  EnsureReady();
  HWND target = User().focus;
  if (!target) {
    for (auto &entry : User().windows) {
      const Window &w = entry.second;
      if (!w.parent && (w.style & WS_VISIBLE)) target = entry.first;
    }
  }
  PostMessageW(target, WM_KEYDOWN, vk, 1);
}

HWND FindWindowByTitle(const std::string &title) {
  EnsureReady();
  for (auto &entry : User().windows)
    if (!entry.second.parent && ToUtf8(entry.second.text) == title) return entry.first;
  return nullptr;
}

HWND Control(HWND dialog, int id) {
  EnsureReady();
  return FindDescendant(dialog, id);
}

ControlColors QueryListBoxColors(HWND listbox) {
  EnsureReady();
  ControlColors out{CLR_INVALID, CLR_INVALID, CLR_INVALID, nullptr};
  Window *w = Win(listbox);
  if (!w || !w->parent) return out;
  HDC dc = NewDeviceContext();
  out.result = (HGDIOBJ)SendMessageW(w->parent, WM_CTLCOLORLISTBOX, (WPARAM)dc, (LPARAM)listbox);
  DcColors colors = DeviceContextColors(dc);
  out.background = colors.background;
  out.text = colors.text;
  out.brush = colors.brush;
  return out;
}

}  // namespace winsim
