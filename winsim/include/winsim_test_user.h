/// \file
/// The window, dialog and message side of winsim's test-control interface: a scripted user,
/// inspection of windows and controls, message-box answers, the virtual clock and the screen.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace winsim {

// Clears every window, the queue, timers, the clock, message boxes and their answers, the
// idle script and the stall flag; screen 1920x1080, work area {0,0,1920,1040}.
void ResetUser();

// --- The scripted user -------------------------------------------------------------------
// Called each time GetMessageW finds the queue empty, before any timer fires: the script acts
// as a person would while the window waits for input (usually by Click or PressKey).
void SetIdleScript(std::function<void()> script);
void ClearIdleScript();
// Posts BM_CLICK to the button, as a person's click arrives through the queue.
void Click(HWND button);
// Posts WM_KEYDOWN to the focus window, or to the active top-level window if none has focus.
void PressKey(UINT vk);
// The first live top-level window whose text is exactly this, or null.
HWND FindWindowByTitle(const std::string &title);
// The control with this id among the dialog's children, else among its descendants.
HWND Control(HWND dialog, int id);

// --- Inspection (reads state directly; no message reaches a window procedure) ------------
std::string Text(HWND hwnd);
bool Visible(HWND hwnd);  // the window and all its ancestors have WS_VISIBLE
bool Enabled(HWND hwnd);  // the window's own WS_DISABLED is clear
int Checked(HWND hwnd);   // BST_*; -1 if the handle is not a window
HWND Focus();
std::string ClassName(HWND hwnd);
DWORD Style(HWND hwnd);
DWORD ExStyle(HWND hwnd);
RECT WindowRect(HWND hwnd);          // screen coordinates
WORD TitleOrdinal(HWND hwnd);        // a template's ordinal title (icon id of SS_ICON), else 0
size_t WindowCount();                // live windows
std::vector<std::string> ListBoxLines(HWND listbox);
int ListBoxTopIndex(HWND listbox);
int ListBoxHorizontalExtent(HWND listbox);
int ProgressPos(HWND progress);      // -1 if not a progress bar
RECT EditFormattingRect(HWND edit);
HICON SmallIcon(HWND hwnd);
HICON BigIcon(HWND hwnd);

// --- Message boxes -----------------------------------------------------------------------
struct MessageBoxRecord {
  HWND owner;
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
  UINT type;
};
std::vector<MessageBoxRecord> MessageBoxes();
// Answers are used first-in first-out; without one a box answers as Enter would: its
// default button (IDOK for MB_OK, IDYES for MB_YESNO unless MB_DEFBUTTON2).
void AnswerNextMessageBox(int answer);

// --- Virtual clock, timers, the stall guard ----------------------------------------------
uint64_t VirtualTimeMs();
bool TimerActive(HWND hwnd, UINT_PTR id);
UINT TimerPeriod(HWND hwnd, UINT_PTR id);  // 0 if no such timer
// GetMessageW gives up (diagnostic on stderr, returns 0 with WM_QUIT and wParam 0) when
// nothing can ever arrive, when the idle script has acted 10000 times in a row without a timer
// firing, or when the clock would pass this limit; the default is one virtual hour.
void SetStallLimitMs(uint64_t limit_ms);
bool LoopStalled();

// --- Colours -----------------------------------------------------------------------------
struct ControlColors {
  COLORREF background, text, brush;  // what the handler set on the device context
  HGDIOBJ result;                    // what the parent's procedure returned
};
// Sends WM_CTLCOLORLISTBOX to the list box's parent with a fresh device context.
ControlColors QueryListBoxColors(HWND listbox);

// --- Screen ------------------------------------------------------------------------------
void SetScreen(int cx, int cy);
void SetWorkArea(RECT area);

}  // namespace winsim
