/// \file
/// RestrictDllSearch: later DLL loads come from System32 only, never from the download folder
/// beside the installer, where someone may have planted one.
#include "shell/shell.h"

typedef BOOL(WINAPI *SetDefaultDllDirectoriesProc)(DWORD flags);

void RestrictDllSearch(void) {
  // Looked up, not imported: Vista and 7 have the call only with an update, and an import the
  // loader cannot resolve would keep the installer from starting there at all.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  SetDefaultDllDirectoriesProc set_default_directories =
      kernel ? (SetDefaultDllDirectoriesProc)(void *)GetProcAddress(kernel, "SetDefaultDllDirectories") : NULL;
  if (set_default_directories && set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it, at least the current folder leaves the search order.
  SetDllDirectoryW(L"");
}
