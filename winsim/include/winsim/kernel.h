/// \file
/// KERNEL32 subset: last error, files and folders, free space, module handle, wide strings.
#pragma once

#include "winsim/types.h"

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

#define GENERIC_READ 0x80000000UL
#define GENERIC_WRITE 0x40000000UL
#define FILE_SHARE_READ 0x1
#define FILE_SHARE_WRITE 0x2
#define FILE_SHARE_DELETE 0x4

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x1
#define FILE_ATTRIBUTE_HIDDEN 0x2
#define FILE_ATTRIBUTE_SYSTEM 0x4
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_ARCHIVE 0x20
#define FILE_ATTRIBUTE_NORMAL 0x80

WINSIM_EXTERN_C DWORD WINAPI GetLastError(void);
WINSIM_EXTERN_C void WINAPI SetLastError(DWORD code);

WINSIM_EXTERN_C HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD share,
                                          LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                          DWORD flags, HANDLE template_file);
WINSIM_EXTERN_C BOOL WINAPI WriteFile(HANDLE file, LPCVOID data, DWORD count, LPDWORD written,
                                      LPOVERLAPPED overlapped);
WINSIM_EXTERN_C BOOL WINAPI ReadFile(HANDLE file, LPVOID data, DWORD count, LPDWORD read,
                                     LPOVERLAPPED overlapped);
WINSIM_EXTERN_C BOOL WINAPI SetFileTime(HANDLE file, const FILETIME *creation,
                                        const FILETIME *last_access, const FILETIME *last_write);
WINSIM_EXTERN_C BOOL WINAPI GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME last_access,
                                        LPFILETIME last_write);
WINSIM_EXTERN_C DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high);
WINSIM_EXTERN_C BOOL WINAPI CloseHandle(HANDLE object);
WINSIM_EXTERN_C BOOL WINAPI DeleteFileW(LPCWSTR name);

WINSIM_EXTERN_C DWORD WINAPI GetFileAttributesW(LPCWSTR name);
WINSIM_EXTERN_C BOOL WINAPI SetFileAttributesW(LPCWSTR name, DWORD attributes);
WINSIM_EXTERN_C BOOL WINAPI CreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES security);
WINSIM_EXTERN_C BOOL WINAPI RemoveDirectoryW(LPCWSTR name);
WINSIM_EXTERN_C BOOL WINAPI GetDiskFreeSpaceExW(LPCWSTR directory, PULARGE_INTEGER free_to_caller,
                                                PULARGE_INTEGER total, PULARGE_INTEGER total_free);
WINSIM_EXTERN_C DWORD WINAPI GetTempPathW(DWORD size, LPWSTR buffer);
WINSIM_EXTERN_C void WINAPI GetSystemTimeAsFileTime(LPFILETIME time);

WINSIM_EXTERN_C HMODULE WINAPI GetModuleHandleW(LPCWSTR name);

WINSIM_EXTERN_C int WINAPI lstrlenW(LPCWSTR s);
WINSIM_EXTERN_C LPWSTR WINAPI lstrcpyW(LPWSTR dst, LPCWSTR src);
WINSIM_EXTERN_C LPWSTR WINAPI lstrcpynW(LPWSTR dst, LPCWSTR src, int max);
WINSIM_EXTERN_C LPWSTR WINAPI lstrcatW(LPWSTR dst, LPCWSTR src);
WINSIM_EXTERN_C int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b);
WINSIM_EXTERN_C int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b);
WINSIM_EXTERN_C int WINAPI lstrlenA(LPCSTR s);

// The program's entry point, declared as the platform declares it (the product defines it).
WINSIM_EXTERN_C int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);
