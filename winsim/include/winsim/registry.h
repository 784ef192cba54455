/// \file
/// ADVAPI32 registry subset: predefined roots, opening and creating keys, typed values,
/// enumeration and deletion, as the installer's registration and uninstall entries use them.
#pragma once

#include "winsim/types.h"

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000UL)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001UL)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002UL)

typedef DWORD ACCESS_MASK;
typedef ACCESS_MASK REGSAM;
typedef LONG LSTATUS;
typedef HKEY *PHKEY;

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE KEY_READ
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0x0
#define REG_OPTION_VOLATILE 0x1

#define REG_CREATED_NEW_KEY 0x1
#define REG_OPENED_EXISTING_KEY 0x2

// winerror.h codes only the registry calls report.
#ifndef ERROR_NO_MORE_ITEMS
#define ERROR_NO_MORE_ITEMS 259L
#endif
#ifndef ERROR_NOACCESS
#define ERROR_NOACCESS 998L
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif

WINSIM_EXTERN_C LSTATUS WINAPI RegOpenKeyExW(HKEY key, LPCWSTR sub_key, DWORD options, REGSAM desired,
                                             PHKEY result);
WINSIM_EXTERN_C LSTATUS WINAPI RegCreateKeyExW(HKEY key, LPCWSTR sub_key, DWORD reserved, LPWSTR key_class,
                                               DWORD options, REGSAM desired,
                                               const LPSECURITY_ATTRIBUTES security, PHKEY result,
                                               LPDWORD disposition);
WINSIM_EXTERN_C LSTATUS WINAPI RegCloseKey(HKEY key);
WINSIM_EXTERN_C LSTATUS WINAPI RegDeleteKeyW(HKEY key, LPCWSTR sub_key);
WINSIM_EXTERN_C LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type,
                                                LPBYTE data, LPDWORD count);
WINSIM_EXTERN_C LSTATUS WINAPI RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type,
                                              const BYTE *data, DWORD count);
WINSIM_EXTERN_C LSTATUS WINAPI RegDeleteValueW(HKEY key, LPCWSTR name);
WINSIM_EXTERN_C LSTATUS WINAPI RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_chars,
                                             LPDWORD reserved, LPWSTR key_class, LPDWORD class_chars,
                                             PFILETIME last_write);
WINSIM_EXTERN_C LSTATUS WINAPI RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_chars,
                                             LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD count);
WINSIM_EXTERN_C LSTATUS WINAPI RegQueryInfoKeyW(HKEY key, LPWSTR key_class, LPDWORD class_chars,
                                                LPDWORD reserved, LPDWORD sub_keys, LPDWORD max_sub_key_chars,
                                                LPDWORD max_class_chars, LPDWORD values,
                                                LPDWORD max_value_name_chars, LPDWORD max_value_bytes,
                                                LPDWORD security_descriptor_bytes, PFILETIME last_write);
