/// \file
/// FindOwnLocation: this program's path and its folder, which is the installation folder.
/// JoinPath: bounded path building.
#include "uninstall/uninstall.h"

BOOL JoinPath(LPWSTR out, DWORD units, LPCWSTR first, LPCWSTR second, LPCWSTR third) {
  LPCWSTR parts[3] = {first, second, third};
  DWORD used = 0;
  for (LPCWSTR part : parts) {
    if (!part) continue;
    DWORD length = (DWORD)lstrlenW(part);
    if (used + length >= units) {
      out[0] = 0;
      return FALSE;
    }
    CopyMemory(out + used, part, length * sizeof(WCHAR));
    used += length;
  }
  out[used] = 0;
  return TRUE;
}

BOOL FindOwnLocation(Uninstaller *uninstaller, HMODULE module) {
  DWORD length = GetModuleFileNameW(module, uninstaller->program, UNINSTALL_PATH_UNITS);
  // A result of the buffer's size means the path was cut short.
  if (length == 0 || length >= UNINSTALL_PATH_UNITS) return FALSE;
  lstrcpyW(uninstaller->folder, uninstaller->program);
  int cut = lstrlenW(uninstaller->folder);
  while (cut > 0 && uninstaller->folder[cut - 1] != L'\\' && uninstaller->folder[cut - 1] != L'/') --cut;
  uninstaller->folder[cut] = 0;
  return cut > 0;
}
