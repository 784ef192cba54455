/// \file
/// The wizard: the four pages, navigation, the details list, the destination folder picker
/// and the disk-space display.
#pragma once
#include <windows.h>

#include "shell/setup_state.h"

BOOL BuildWizard(HWND main_window);
void ShowPage(SetupState *state, DWORD index);
INT_PTR CALLBACK PageDialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
void ShowDetails(void);
void InsetEditRect(HWND edit, int dx, int dy);

// Places the frame centred on the work area (signed arithmetic, not clamped).
void CentreWindow(HWND window);

void UpdateSpaceInfo(SetupState *state);
int FormatUnsigned(char *destination, const char *format, DWORD value);

// What the folder picker is given, and what it passes to its callback.
struct BrowseRequest {
  HWND owner;
  DWORD flags;       // extra BIF_ flags, ORed into BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE
  LPCWSTR caption;   // replaces the picker's caption when given
  LPCWSTR prompt;    // shown above the folder tree
  LPCWSTR ok_text;   // replaces the OK button's text when given
  LPWSTR path;       // at least MAX_PATH units: start selection in, picked folder out
};

void BrowseForDestination(void);
BOOL BrowseForFolder(BrowseRequest *request);
int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM lParam, LPARAM data);

// Colours of the details list: green on dark green.
#define DETAILS_BACKGROUND RGB(2, 38, 9)
#define DETAILS_TEXT RGB(6, 176, 37)
