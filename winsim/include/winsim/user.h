/// \file
/// USER32 subset: windows made from dialog templates, the message queue, timers, message
/// boxes, icons and screen metrics. Values follow the platform's documented ones.
#pragma once

#include "winsim/types.h"

typedef struct tagRECT {
  LONG left, top, right, bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT *LPCRECT;

typedef struct tagPOINT {
  LONG x, y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *LPMSG;

typedef INT_PTR(CALLBACK *DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK *TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

#define MAKEWORD(lo, hi) ((WORD)(((BYTE)((DWORD_PTR)(lo) & 0xff)) | ((WORD)((BYTE)((DWORD_PTR)(hi) & 0xff))) << 8))
#define MAKELONG(lo, hi) ((LONG)(((WORD)((DWORD_PTR)(lo) & 0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(hi) & 0xffff))) << 16))
#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELRESULT(lo, hi) ((LRESULT)(DWORD)MAKELONG(lo, hi))

/* Window messages */
#define WM_NULL 0x0000
#define WM_DESTROY 0x0002
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_NEXTDLGCTL 0x0028
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_SETICON 0x0080
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define WM_DPICHANGED 0x02E0
#define WM_USER 0x0400
#define WM_APP 0x8000

/* Dialog messages */
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B

/* Buttons */
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_CLICK 0x00F5
#define BN_CLICKED 0
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define BS_PUSHBUTTON 0x0
#define BS_DEFPUSHBUTTON 0x1
#define BS_CHECKBOX 0x2
#define BS_AUTOCHECKBOX 0x3
#define BS_GROUPBOX 0x7
#define BS_TYPEMASK 0xF

/* Edit controls */
#define EM_GETRECT 0x00B2
#define EM_SETRECT 0x00B3
#define ES_MULTILINE 0x4
#define ES_AUTOHSCROLL 0x80
#define ES_READONLY 0x800

/* Static controls */
#define SS_LEFT 0x0
#define SS_ICON 0x3
#define SS_REALSIZECONTROL 0x40

/* List boxes */
#define LB_ERR (-1)
#define LB_ADDSTRING 0x0180
#define LB_RESETCONTENT 0x0184
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_GETTOPINDEX 0x018E
#define LB_GETHORIZONTALEXTENT 0x0193
#define LB_SETHORIZONTALEXTENT 0x0194
#define LB_SETTOPINDEX 0x0197
#define LBS_NOTIFY 0x1
#define LBS_SORT 0x2
#define LBS_NOINTEGRALHEIGHT 0x100

/* Window styles */
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_GROUP 0x00020000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L
#define DS_SETFONT 0x40L
#define DS_CONTROL 0x400L

/* ShowWindow, SetWindowPos */
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010

/* Message boxes */
#define MB_OK 0x0L
#define MB_OKCANCEL 0x1L
#define MB_ABORTRETRYIGNORE 0x2L
#define MB_YESNOCANCEL 0x3L
#define MB_YESNO 0x4L
#define MB_RETRYCANCEL 0x5L
#define MB_ICONERROR 0x10L
#define MB_ICONQUESTION 0x20L
#define MB_ICONWARNING 0x30L
#define MB_ICONINFORMATION 0x40L
#define MB_DEFBUTTON2 0x100L
#define MB_DEFBUTTON3 0x200L
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

/* Icons, metrics, keys, queue */
#define ICON_SMALL 0
#define ICON_BIG 1
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SPI_GETWORKAREA 48
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define USER_TIMER_MINIMUM 0x0000000A

#ifndef ERROR_INVALID_WINDOW_HANDLE
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#endif
#ifndef ERROR_CANNOT_FIND_WND_CLASS
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#endif
#ifndef ERROR_CONTROL_ID_NOT_FOUND
#define ERROR_CONTROL_ID_NOT_FOUND 1421L
#endif

/* Windows and dialogs */
WINSIM_EXTERN_C HWND WINAPI CreateDialogParamW(HINSTANCE instance, LPCWSTR template_name,
                                               HWND parent, DLGPROC dialog_proc, LPARAM init_param);
WINSIM_EXTERN_C BOOL WINAPI DestroyWindow(HWND hwnd);
WINSIM_EXTERN_C BOOL WINAPI IsWindow(HWND hwnd);
WINSIM_EXTERN_C BOOL WINAPI ShowWindow(HWND hwnd, int command);
WINSIM_EXTERN_C BOOL WINAPI IsWindowVisible(HWND hwnd);
WINSIM_EXTERN_C BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable);
WINSIM_EXTERN_C BOOL WINAPI IsWindowEnabled(HWND hwnd);
WINSIM_EXTERN_C HWND WINAPI GetDlgItem(HWND dialog, int id);
WINSIM_EXTERN_C int WINAPI GetDlgCtrlID(HWND hwnd);
WINSIM_EXTERN_C HWND WINAPI GetParent(HWND hwnd);
WINSIM_EXTERN_C HWND WINAPI SetFocus(HWND hwnd);
WINSIM_EXTERN_C HWND WINAPI GetFocus(void);

/* Text and buttons */
WINSIM_EXTERN_C BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text);
WINSIM_EXTERN_C int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int max_count);
WINSIM_EXTERN_C int WINAPI GetWindowTextLengthW(HWND hwnd);
WINSIM_EXTERN_C BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
WINSIM_EXTERN_C BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
WINSIM_EXTERN_C UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int max_count);
WINSIM_EXTERN_C BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
WINSIM_EXTERN_C UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);

/* Messages */
WINSIM_EXTERN_C LRESULT WINAPI SendMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
WINSIM_EXTERN_C LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message,
                                                   WPARAM wparam, LPARAM lparam);
WINSIM_EXTERN_C BOOL WINAPI PostMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
WINSIM_EXTERN_C void WINAPI PostQuitMessage(int exit_code);
WINSIM_EXTERN_C BOOL WINAPI GetMessageW(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max);
WINSIM_EXTERN_C BOOL WINAPI PeekMessageW(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max,
                                         UINT remove);
WINSIM_EXTERN_C BOOL WINAPI TranslateMessage(const MSG *msg);
WINSIM_EXTERN_C LRESULT WINAPI DispatchMessageW(const MSG *msg);
WINSIM_EXTERN_C BOOL WINAPI IsDialogMessageW(HWND dialog, LPMSG msg);
WINSIM_EXTERN_C UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
WINSIM_EXTERN_C BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id);

/* Message boxes, icons, geometry, metrics */
WINSIM_EXTERN_C int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
WINSIM_EXTERN_C int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
WINSIM_EXTERN_C HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name);
WINSIM_EXTERN_C BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect);
WINSIM_EXTERN_C BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect);
WINSIM_EXTERN_C BOOL WINAPI SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy,
                                         UINT flags);
WINSIM_EXTERN_C BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
WINSIM_EXTERN_C BOOL WINAPI SystemParametersInfoW(UINT action, UINT uparam, PVOID pvparam, UINT winini);
WINSIM_EXTERN_C int WINAPI GetSystemMetrics(int index);
