/// \file
/// winsim's <shlobj.h>: special folder paths (CSIDL), the folder picker (SHBrowseForFolderW and
/// its callback messages) and item-list helpers.
#pragma once

#include <objbase.h>
#include <shobjidl.h>

#define CSIDL_PROGRAMS 0x0002
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_COMMON_PROGRAMS 0x0017
#define CSIDL_COMMON_DESKTOPDIRECTORY 0x0019
#define CSIDL_APPDATA 0x001a
#define CSIDL_COMMON_APPDATA 0x0023
#define CSIDL_PROGRAM_FILES 0x0026
#define CSIDL_FLAG_CREATE 0x8000
#define CSIDL_FLAG_MASK 0xff00

#define SHGFP_TYPE_CURRENT 0
#define SHGFP_TYPE_DEFAULT 1

WINSIM_EXTERN_C HRESULT WINAPI SHGetFolderPathW(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path);

typedef int(CALLBACK *BFFCALLBACK)(HWND window, UINT message, LPARAM lparam, LPARAM data);

typedef struct _browseinfoW {
  HWND hwndOwner;
  PCIDLIST_ABSOLUTE pidlRoot;
  LPWSTR pszDisplayName;  // receives the chosen item's display name; MAX_PATH characters
  LPCWSTR lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
} BROWSEINFOW, *PBROWSEINFOW, *LPBROWSEINFOW;

#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_DONTGOBELOWDOMAIN 0x00000002
#define BIF_STATUSTEXT 0x00000004
#define BIF_EDITBOX 0x00000010
#define BIF_VALIDATE 0x00000020
#define BIF_NEWDIALOGSTYLE 0x00000040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
#define BIF_NONEWFOLDERBUTTON 0x00000200

// Messages from the picker to the callback.
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2
#define BFFM_VALIDATEFAILEDW 4
// Messages the callback sends to the picker window (WM_USER + n).
#define BFFM_ENABLEOK (0x0400 + 101)
#define BFFM_SETSELECTIONW (0x0400 + 103)
#define BFFM_SETSTATUSTEXTW (0x0400 + 104)
#define BFFM_SETOKTEXT (0x0400 + 105)
#define BFFM_SETEXPANDED (0x0400 + 106)

WINSIM_EXTERN_C PIDLIST_ABSOLUTE WINAPI SHBrowseForFolderW(LPBROWSEINFOW info);
WINSIM_EXTERN_C BOOL WINAPI SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR path);
WINSIM_EXTERN_C void WINAPI ILFree(PIDLIST_ABSOLUTE pidl);
