/// \file
/// winsim's internal window records and the USER32 state shared by the user_*, comctl and
/// gdi source files: windows, the posted-message queue, timers, the virtual clock.
#pragma once

#include "sim.h"

#include <commctrl.h>
#include <winsim_test_user.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace winsim {

enum class Kind { kDialog, kButton, kEdit, kStatic, kListBox, kProgress, kOther };

struct Window {
  HWND handle = nullptr;
  HWND parent = nullptr;  // WS_CHILD windows
  HWND owner = nullptr;   // top-level windows created with a parent
  std::vector<HWND> children;  // creation (template) order
  Kind kind = Kind::kOther;
  std::string class_name;
  int id = 0;
  DWORD style = 0, ex_style = 0;
  std::u16string text;
  WORD title_ordinal = 0;
  RECT pos{};    // window rectangle: in the parent's client coordinates, else the screen's
  RECT frame{};  // non-client widths: left, top, right, bottom
  bool destroying = false;
  DLGPROC dialog_proc = nullptr;
  HFONT font = nullptr;
  HICON icons[2] = {nullptr, nullptr};
  int check = BST_UNCHECKED;
  std::vector<std::u16string> items;
  int top_index = 0, horizontal_extent = 0;
  int range_min = 0, range_max = 100, progress = 0, step = 10;
  RECT format_rect{};
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT period;
  uint64_t due;
  TIMERPROC proc;
};

struct UserWorld {
  std::map<HWND, Window> windows;
  std::deque<MSG> queue;
  bool quit = false;
  int quit_code = 0;
  std::vector<Timer> timers;  // order of SetTimer: ties fire in that order
  uint64_t now_ms = 0, stall_limit_ms = 3600ull * 1000;
  bool stalled = false;
  unsigned script_turns = 0;  // idle-script runs in a row with no timer firing in between
  std::function<void()> script;
  HWND focus = nullptr;
  std::vector<MessageBoxRecord> boxes;
  std::deque<int> answers;
  int screen_cx = 1920, screen_cy = 1080;
  RECT work_area{0, 0, 1920, 1040};
  DWORD common_controls = 0;  // ICC_* classes registered by InitCommonControlsEx
};

UserWorld &User();
// The live window of this handle, or null. Never hold the pointer across a call into a
// window procedure: the procedure may destroy windows.
Window *Win(HWND hwnd);
HWND NewHandle();
bool IsDescendant(HWND ancestor, HWND hwnd);  // hwnd is ancestor or below it
bool VisibleChain(HWND hwnd);                 // the IsWindowVisible rule
bool EnabledChain(HWND hwnd);                 // neither it nor an ancestor is disabled
RECT ClientOriginRect(HWND hwnd);             // the client area in screen coordinates

// Text held by windows is UTF-16 in a u16string (WCHAR and char16_t have the same width).
std::u16string ToU16(LPCWSTR text);
std::string ToUtf8(const std::u16string &text);
// WM_GETTEXT's copy: at most max_count - 1 units and a terminator; returns units copied.
int CopyOut(const std::u16string &text, LPWSTR buffer, WPARAM max_count);
// 8-bit text of the *A calls, read as Windows-1252 (the ANSI code page of a U.S. system).
std::vector<WCHAR> FromAnsi(LPCSTR text);

// Window procedures of the built-in classes (user_controls.cpp, comctl_progress.cpp) and
// the default processing every window shares (user_procs.cpp).
LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT DefaultProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT DialogDefault(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT ButtonProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT EditProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT ListBoxProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT ProgressProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Dialog navigation (user_dialog_nav.cpp): the dialog's controls in tab order, descending
// into WS_EX_CONTROLPARENT children.
std::vector<HWND> DialogControls(HWND dialog);
HWND FirstTabStop(HWND dialog);
HWND NextTabStop(HWND dialog, HWND from, bool previous);
HWND DefaultButton(HWND dialog);

// Timers on the virtual clock (user_timers.cpp). A message filter of (HWND)-1 means
// thread messages only; any other non-null filter takes the window and its descendants.
bool FilterTakes(HWND filter, HWND target);
enum class TimerResult { kNone, kFired, kPastLimit };
// The earliest timer for the filter: with `advance` the clock moves on to it, else only a
// timer already due counts. With `remove` the timer is rescheduled one period on.
TimerResult NextTimer(HWND filter, bool advance, bool remove, MSG *out);

// Fake device contexts (gdi.cpp).
struct DcColors {
  COLORREF background, text, brush;
};
HDC NewDeviceContext();
DcColors DeviceContextColors(HDC dc);
void ResetGdi();

}  // namespace winsim
