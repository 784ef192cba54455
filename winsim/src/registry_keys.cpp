/// \file
/// Registry key calls: RegOpenKeyExW, RegCreateKeyExW, RegCloseKey, RegDeleteKeyW,
/// RegEnumKeyExW and RegQueryInfoKeyW over the in-memory tree.
#include "registry_tree.h"

#include <winsim_test.h>

#include <algorithm>
#include <iterator>

using namespace winsim;

namespace {

// The key `sub_key` names below `handle`'s key, with the parts relative to the real root.
LONG Locate(HKEY handle, LPCWSTR sub_key, KeyRef *base, std::vector<std::string> *parts) {
  LONG error = LookupKey(handle, base);
  if (error) return error;
  std::vector<std::string> below;
  if ((error = SplitKeyPath(sub_key, &below))) return error;
  *parts = base->prefix;
  parts->insert(parts->end(), below.begin(), below.end());
  return ERROR_SUCCESS;
}

// Copies a name for the enumeration calls; *chars holds the buffer size in characters,
// terminator included, and receives the length without it.
LONG CopyName(const std::string &utf8, LPWSTR out, LPDWORD chars) {
  if (!out || !chars) return ERROR_INVALID_PARAMETER;
  std::vector<WCHAR> w = Wide(utf8);
  if (w.size() > *chars) return ERROR_MORE_DATA;
  for (size_t i = 0; i < w.size(); ++i) out[i] = w[i];
  *chars = (DWORD)(w.size() - 1);
  return ERROR_SUCCESS;
}

DWORD Chars(const std::string &utf8) { return (DWORD)(Wide(utf8).size() - 1); }

}  // namespace

extern "C" LSTATUS WINAPI RegOpenKeyExW(HKEY key, LPCWSTR sub_key, DWORD, REGSAM desired, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  LONG error;
  if (RegistryInjected("RegOpenKeyExW", sub_key, &error)) return error;
  KeyRef base;
  std::vector<std::string> parts;
  if ((error = Locate(key, sub_key, &base, &parts))) return error;
  RegKeyPtr found = WalkKeys(base.key, parts, false, nullptr);
  if (!found) return ERROR_FILE_NOT_FOUND;
  *result = OpenHandle(found, desired);
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCreateKeyExW(HKEY key, LPCWSTR sub_key, DWORD, LPWSTR, DWORD, REGSAM desired,
                                          const LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  LONG error;
  if (RegistryInjected("RegCreateKeyExW", sub_key, &error)) return error;
  if (!sub_key) return ERROR_INVALID_PARAMETER;
  KeyRef base;
  std::vector<std::string> parts;
  if ((error = Locate(key, sub_key, &base, &parts))) return error;
  bool missing = WalkKeys(base.key, parts, false, nullptr) == nullptr;
  // Making a key needs the right to create sub-keys on the handle it is made under.
  if (missing && !(base.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
  bool created = false;
  RegKeyPtr found = WalkKeys(base.key, parts, true, &created);
  *result = OpenHandle(found, desired);
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY key) {
  LONG error;
  if (RegistryInjected("RegCloseKey", nullptr, &error)) return error;
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT) return ERROR_SUCCESS;
  return CloseHandleOfKey(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

extern "C" LSTATUS WINAPI RegDeleteKeyW(HKEY key, LPCWSTR sub_key) {
  LONG error;
  if (RegistryInjected("RegDeleteKeyW", sub_key, &error)) return error;
  if (!sub_key) return ERROR_INVALID_PARAMETER;
  KeyRef base;
  std::vector<std::string> parts;
  if ((error = Locate(key, sub_key, &base, &parts))) return error;
  if (parts.empty()) return ERROR_ACCESS_DENIED;  // a root cannot go
  std::string leaf = parts.back();
  parts.pop_back();
  RegKeyPtr parent = WalkKeys(base.key, parts, false, nullptr);
  if (!parent) return ERROR_FILE_NOT_FOUND;
  auto it = parent->subkeys.find(Lower(leaf));
  if (it == parent->subkeys.end()) return ERROR_FILE_NOT_FOUND;
  // Documented: a key with sub-keys is not deleted; the caller deletes bottom-up.
  if (!it->second->subkeys.empty()) return ERROR_ACCESS_DENIED;
  it->second->deleted = true;
  parent->subkeys.erase(it);
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_chars, LPDWORD,
                                        LPWSTR key_class, LPDWORD class_chars, PFILETIME last_write) {
  KeyRef ref;
  LONG error = LookupKey(key, &ref);
  if (error) return error;
  if (!(ref.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  RegKeyPtr k = WalkKeys(ref.key, ref.prefix, false, nullptr);
  if (!k || index >= k->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  auto it = k->subkeys.begin();
  std::advance(it, index);
  if ((error = CopyName(it->second->name, name, name_chars))) return error;
  if (key_class && class_chars && *class_chars) key_class[0] = 0;
  if (class_chars) *class_chars = 0;
  if (last_write) *last_write = FILETIME{0, 0};
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegQueryInfoKeyW(HKEY key, LPWSTR key_class, LPDWORD class_chars, LPDWORD,
                                           LPDWORD sub_keys, LPDWORD max_sub_key_chars, LPDWORD max_class_chars,
                                           LPDWORD values, LPDWORD max_value_name_chars,
                                           LPDWORD max_value_bytes, LPDWORD security_descriptor_bytes,
                                           PFILETIME last_write) {
  KeyRef ref;
  LONG error = LookupKey(key, &ref);
  if (error) return error;
  if (!(ref.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  RegKeyPtr k = WalkKeys(ref.key, ref.prefix, false, nullptr);
  RegKey empty;
  const RegKey &info = k ? *k : empty;
  DWORD longest_key = 0, longest_name = 0, largest = 0;
  for (auto &entry : info.subkeys) longest_key = std::max(longest_key, Chars(entry.second->name));
  for (const RegValue &v : info.values) {
    longest_name = std::max(longest_name, Chars(v.name));
    largest = std::max(largest, (DWORD)v.data.size());
  }
  if (key_class && class_chars && *class_chars) key_class[0] = 0;
  if (class_chars) *class_chars = 0;
  if (sub_keys) *sub_keys = (DWORD)info.subkeys.size();
  if (max_sub_key_chars) *max_sub_key_chars = longest_key;
  if (max_class_chars) *max_class_chars = 0;
  if (values) *values = (DWORD)info.values.size();
  if (max_value_name_chars) *max_value_name_chars = longest_name;
  if (max_value_bytes) *max_value_bytes = largest;
  if (security_descriptor_bytes) *security_descriptor_bytes = 0;
  if (last_write) *last_write = FILETIME{0, 0};
  return ERROR_SUCCESS;
}
