/// \file
/// RemoveRegistryEntries: the plan's registry entries under HKEY_LOCAL_MACHINE, each in its
/// way. A key or value that is not there is no failure; the keys above ours always stay.
#include "uninstall/uninstall.h"

// ProgIDs are at most 39 units; anything longer is not ours.
const DWORD PROG_ID_UNITS = 64;

// Deletes the key when nothing is left in it: no values, no subkeys.
static LONG DeleteKeyIfEmpty(HKEY key, LPCWSTR key_path) {
  DWORD sub_keys = 0, values = 0;
  LONG result = RegQueryInfoKeyW(key, NULL, NULL, NULL, &sub_keys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
  if (result != ERROR_SUCCESS) return result;
  if (sub_keys || values) return ERROR_SUCCESS;
  return RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_path);
}

// Whether the key's default value is the text `prog_id` (compared as ProgIDs are, ignoring case).
static BOOL NamesProgId(HKEY key, LPCWSTR prog_id) {
  WCHAR data[PROG_ID_UNITS];
  ZeroMemory(data, sizeof data);
  DWORD type = REG_NONE;
  DWORD bytes = sizeof data - sizeof(WCHAR);  // the last unit stays a terminator
  if (RegQueryValueExW(key, NULL, NULL, &type, (LPBYTE)data, &bytes) != ERROR_SUCCESS) return FALSE;
  return type == REG_SZ && lstrcmpiW(data, prog_id) == 0;
}

// The default value while it names our ProgID; another program's association stays whole.
static LONG RemoveExtension(const RegistryRemoval *entry) {
  HKEY key;
  LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, entry->key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  if (result != ERROR_SUCCESS) return result;
  if (NamesProgId(key, entry->detail)) {
    result = RegDeleteValueW(key, NULL);
    if (result == ERROR_SUCCESS) result = DeleteKeyIfEmpty(key, entry->key);
  }
  RegCloseKey(key);
  return result;
}

static LONG RemoveValue(const RegistryRemoval *entry) {
  HKEY key;
  LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, entry->key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  if (result != ERROR_SUCCESS) return result;
  result = RegDeleteValueW(key, entry->detail);
  if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) result = DeleteKeyIfEmpty(key, entry->key);
  RegCloseKey(key);
  return result;
}

static LONG RemoveEntry(const RegistryRemoval *entry) {
  switch (entry->kind) {
    case REMOVE_KEY_TREE:
      return DeleteKeyTree(HKEY_LOCAL_MACHINE, entry->key);
    case REMOVE_EXTENSION_IF_OURS:
      return RemoveExtension(entry);
    case REMOVE_VALUE:
      return RemoveValue(entry);
  }
  return ERROR_INVALID_PARAMETER;
}

void RemoveRegistryEntries(Uninstaller *uninstaller) {
  for (DWORD i = 0; i < UNINSTALL_REGISTRY_ENTRY_COUNT; ++i) {
    const RegistryRemoval *entry = &UNINSTALL_REGISTRY_ENTRIES[i];
    LONG result = RemoveEntry(entry);
    if (result == ERROR_SUCCESS || IsAlreadyGone((DWORD)result)) continue;
    // "HKEY_LOCAL_MACHINE\<key>", for a value followed by ", value <name>".
    BOOL is_value = entry->kind == REMOVE_VALUE;
    if (JoinPath(uninstaller->path, UNINSTALL_PATH_UNITS, L"HKEY_LOCAL_MACHINE\\", entry->key,
                 is_value ? L", value " : NULL))
      ReportFailure(&uninstaller->report, uninstaller->path, is_value ? entry->detail : NULL);
    else
      ReportFailure(&uninstaller->report, entry->key, NULL);
  }
}
