/// \file
/// Registry helpers: key paths under "Software" built in the state's scratch area, and the
/// bounded read of the recorded installation folder.
#include "shell/shell.h"

LPWSTR BuildRegistryPath(SetupState *state, LPCWSTR name1, LPCWSTR name2, LPCWSTR name3, LPCWSTR name4,
                         LPCWSTR name5, LPCWSTR name6) {
  LPCWSTR names[6] = {name1, name2, name3, name4, name5, name6};
  LPWSTR path = state->scratch.wide;
  lstrcpyW(path, L"Software");
  // Names after the first null one are ignored; callers keep the whole within 255 units.
  for (int i = 0; i < 6 && names[i]; ++i) {
    lstrcatW(path, L"\\");
    lstrcatW(path, names[i]);
  }
  return path;
}

BOOL ReadAppPath(LPCWSTR key_path, LPWSTR destination) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return FALSE;
  // Straight into the zero-filled destination, bounded well inside it, so the text that lands
  // there is terminated even when the stored value is not.
  DWORD bytes = SETUP_APP_PATH_MAX_BYTES;
  LONG result = RegQueryValueExW(key, SETUP_APP_PATH_VALUE, NULL, NULL, (LPBYTE)destination, &bytes);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
