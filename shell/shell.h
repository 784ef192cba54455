/// \file
/// The setup shell's operations: start-up, the main window procedure, and the small registry
/// and path helpers the other subsystems use.
#pragma once
#include <windows.h>

#include "shell/is_user_admin.h"
#include "shell/setup_state.h"

// Fixed texts of the shell.
#define SETUP_PRODUCT_TITLE L"Tevorlyn App Pack (32-bit)"
#define SETUP_VENDOR_KEY L"Tevorlyn"
#define SETUP_FOLDER_NAME L"Tevorlyn"
#define SETUP_APP_PATH_VALUE L"AppPath"
const DWORD SETUP_APP_PATH_MAX_BYTES = 472;  // 236 UTF-16 units, terminator included
const UINT_PTR SETUP_TIMER_ID = 1;
const UINT SETUP_TIMER_PERIOD_MS = 125;
const DWORD SETUP_LAST_STEP = 8;

void RestrictDllSearch(void);
void RunMessageLoop(SetupState *state, MSG *msg);
BOOL PrepareSetup(void);
void ReportInitFailure(void);
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LPWSTR BuildRegistryPath(SetupState *state, LPCWSTR name1, LPCWSTR name2, LPCWSTR name3, LPCWSTR name4,
                         LPCWSTR name5, LPCWSTR name6);
BOOL ReadAppPath(LPCWSTR key_path, LPWSTR destination);
void AppendSlash(LPWSTR path);

// DPI inset of the licence text: (dpi * 5) / 96 pixels, at most 20.
int DpiInset(UINT dpi);
