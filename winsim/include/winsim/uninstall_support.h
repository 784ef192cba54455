/// \file
/// KERNEL32 calls the uninstaller needs beyond the installer's subset: its own module path,
/// moves and removals scheduled for the next restart, and folder listing.
#pragma once

#include "winsim/types.h"

#define MOVEFILE_REPLACE_EXISTING 0x1
#define MOVEFILE_COPY_ALLOWED 0x2
#define MOVEFILE_DELAY_UNTIL_REBOOT 0x4
#define MOVEFILE_WRITE_THROUGH 0x8

#ifndef ERROR_NO_MORE_FILES
#define ERROR_NO_MORE_FILES 18L
#endif
#ifndef ERROR_NOT_SAME_DEVICE
#define ERROR_NOT_SAME_DEVICE 17L
#endif
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122L
#endif

typedef struct _WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  WCHAR cFileName[MAX_PATH];
  WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;

// The path of the running program (winsim: what the test set, see winsim::SetModulePath).
WINSIM_EXTERN_C DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR file_name, DWORD size);
// With MOVEFILE_DELAY_UNTIL_REBOOT the operation is only recorded (a null new name: removal).
WINSIM_EXTERN_C BOOL WINAPI MoveFileExW(LPCWSTR existing, LPCWSTR new_name, DWORD flags);
WINSIM_EXTERN_C HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data);
WINSIM_EXTERN_C BOOL WINAPI FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data);
WINSIM_EXTERN_C BOOL WINAPI FindClose(HANDLE find);
