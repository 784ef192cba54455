/// \file
/// KERNEL32 resource subset: the module's resources, read from the .res that windres makes
/// out of resources/ and that the test executable embeds.
#pragma once

#include "winsim/types.h"

#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)
#define RT_VERSION MAKEINTRESOURCEW(16)
#define RT_MANIFEST MAKEINTRESOURCEW(24)

WINSIM_EXTERN_C HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
WINSIM_EXTERN_C DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
WINSIM_EXTERN_C HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
WINSIM_EXTERN_C LPVOID WINAPI LockResource(HGLOBAL data);
