/// \file
/// DeleteKeyTree: a registry key with all its subkeys, deepest first, since RegDeleteKeyW
/// deletes only a key without subkeys.
#include "uninstall/uninstall.h"

// Key names are at most 255 units.
const DWORD KEY_NAME_UNITS = 256;

LONG DeleteKeyTree(HKEY parent, LPCWSTR sub_key) {
  HKEY key;
  LONG result = RegOpenKeyExW(parent, sub_key, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &key);
  if (result != ERROR_SUCCESS) return result;
  LONG first_failure = ERROR_SUCCESS;
  // Each deleted subkey shifts the ones behind it down; one that stays is stepped over.
  DWORD index = 0;
  for (;;) {
    WCHAR name[KEY_NAME_UNITS];
    DWORD name_units = KEY_NAME_UNITS;
    LONG enumerated = RegEnumKeyExW(key, index, name, &name_units, NULL, NULL, NULL, NULL);
    if (enumerated == ERROR_NO_MORE_ITEMS) break;
    if (enumerated != ERROR_SUCCESS) {
      first_failure = enumerated;
      break;
    }
    LONG deleted = DeleteKeyTree(key, name);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
      if (first_failure == ERROR_SUCCESS) first_failure = deleted;
      ++index;
    }
  }
  RegCloseKey(key);
  if (first_failure != ERROR_SUCCESS) return first_failure;
  return RegDeleteKeyW(parent, sub_key);
}
