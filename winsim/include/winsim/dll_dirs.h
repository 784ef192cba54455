/// \file
/// KERNEL32's process-wide DLL search path: SetDefaultDllDirectories and its flags, and the
/// test-control queries that tell whether, and how early, a program restricted the search.
#pragma once

#include "winsim/types.h"

#define LOAD_LIBRARY_SEARCH_APPLICATION_DIR 0x00000200
#define LOAD_LIBRARY_SEARCH_USER_DIRS 0x00000400
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#define LOAD_LIBRARY_SEARCH_DEFAULT_DIRS 0x00001000

// Sets the folders the process's later DLL loads search. Any combination of the four flags
// above; 0 or any other bit fails with ERROR_INVALID_PARAMETER and changes nothing.
WINSIM_EXTERN_C BOOL WINAPI SetDefaultDllDirectories(DWORD flags);
// An empty string takes the current folder out of the search order; null puts it back.
WINSIM_EXTERN_C BOOL WINAPI SetDllDirectoryW(LPCWSTR path);

typedef INT_PTR(WINAPI *FARPROC)(void);
// Exports by name: kernel32's SetDefaultDllDirectories (unless the system is set to predate it).
WINSIM_EXTERN_C FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);

#ifdef __cplusplus
namespace winsim {

// --- Test control (never called by product code) -------------------------------------------
// The default search flags in force since the last Reset (0: the platform's standard order,
// which looks beside the program first).
DWORD DllSearchFlags();
// True when later loads search System32 and nothing else.
bool DllSearchRestricted();
// Calls of `op` counted before the first successful SetDefaultDllDirectories since Reset; with
// op null, of every counted operation together. 0 when the search was never set.
unsigned CallsBeforeDllSearchSet(const char *op);
// A system without SetDefaultDllDirectories (Vista or 7 without its update): GetProcAddress
// does not find it.
void SetSystemWithoutDefaultDllDirectories(bool without);
// True once SetDllDirectoryW(L"") took the current folder out of the search.
bool CurrentFolderLeftDllSearch();

}  // namespace winsim
#endif
