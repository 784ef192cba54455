/// \file
/// Inspection for tests: window and control state read straight from winsim's records, so
/// looking never sends a message to a window procedure.
#include "user_state.h"

namespace winsim {
namespace {

const Window *Look(HWND hwnd) {
  EnsureReady();
  return Win(hwnd);
}

}  // namespace

std::string Text(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? ToUtf8(w->text) : std::string();
}

bool Visible(HWND hwnd) { return Look(hwnd) && VisibleChain(hwnd); }

bool Enabled(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w && !(w->style & WS_DISABLED);
}

int Checked(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->check : -1;
}

HWND Focus() {
  EnsureReady();
  return User().focus;
}

std::string ClassName(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->class_name : std::string();
}

DWORD Style(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->style : 0;
}

DWORD ExStyle(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->ex_style : 0;
}

RECT WindowRect(HWND hwnd) {
  RECT r{0, 0, 0, 0};
  if (Look(hwnd)) GetWindowRect(hwnd, &r);
  return r;
}

WORD TitleOrdinal(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->title_ordinal : 0;
}

size_t WindowCount() {
  EnsureReady();
  return User().windows.size();
}

std::vector<std::string> ListBoxLines(HWND listbox) {
  std::vector<std::string> lines;
  if (const Window *w = Look(listbox))
    for (const std::u16string &item : w->items) lines.push_back(ToUtf8(item));
  return lines;
}

int ListBoxTopIndex(HWND listbox) {
  const Window *w = Look(listbox);
  return w ? w->top_index : -1;
}

int ListBoxHorizontalExtent(HWND listbox) {
  const Window *w = Look(listbox);
  return w ? w->horizontal_extent : -1;
}

int ProgressPos(HWND progress) {
  const Window *w = Look(progress);
  return w && w->kind == Kind::kProgress ? w->progress : -1;
}

RECT EditFormattingRect(HWND edit) {
  const Window *w = Look(edit);
  return w ? w->format_rect : RECT{0, 0, 0, 0};
}

HICON SmallIcon(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->icons[ICON_SMALL] : nullptr;
}

HICON BigIcon(HWND hwnd) {
  const Window *w = Look(hwnd);
  return w ? w->icons[ICON_BIG] : nullptr;
}

}  // namespace winsim
