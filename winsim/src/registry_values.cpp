/// \file
/// Registry value calls: RegSetValueExW, RegQueryValueExW, RegDeleteValueW, RegEnumValueW.
/// Data is kept exactly as given: no terminator is added to strings, none is required.
#include "registry_tree.h"

#include <winsim_test.h>

using namespace winsim;

namespace {

// The key a value call works on; HKEY_CLASSES_ROOT itself stands for HKLM\Software\Classes,
// which a write creates.
LONG ValueKey(HKEY handle, REGSAM need, bool create, RegKeyPtr *key) {
  KeyRef ref;
  LONG error = LookupKey(handle, &ref);
  if (error) return error;
  if (!(ref.access & need)) return ERROR_ACCESS_DENIED;
  *key = WalkKeys(ref.key, ref.prefix, create, nullptr);
  return ERROR_SUCCESS;
}

// The platform's rule for a data buffer: a null buffer asks for the size; one too small
// gets ERROR_MORE_DATA and the size, and its contents are not to be relied on.
LONG CopyData(const RegValue &v, LPDWORD type, LPBYTE data, LPDWORD count) {
  if (type) *type = v.type;
  if (!count) return ERROR_SUCCESS;
  DWORD have = *count;
  *count = (DWORD)v.data.size();
  if (!data) return ERROR_SUCCESS;
  if (have < v.data.size()) return ERROR_MORE_DATA;
  if (!v.data.empty()) memcpy(data, v.data.data(), v.data.size());
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" LSTATUS WINAPI RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE *data, DWORD count) {
  LONG error;
  if (RegistryInjected("RegSetValueExW", name, &error)) return error;
  RegKeyPtr k;
  if ((error = ValueKey(key, KEY_SET_VALUE, true, &k))) return error;
  if (!data && count) return ERROR_NOACCESS;
  std::vector<uint8_t> bytes(data, data + (data ? count : 0));
  std::string value_name = Utf8(name);
  if (RegValue *v = FindValue(k.get(), value_name)) {
    v->type = type;
    v->data = bytes;
  } else {
    k->values.push_back(RegValue{value_name, type, bytes});
  }
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD count) {
  LONG error;
  if (RegistryInjected("RegQueryValueExW", name, &error)) return error;
  if (data && !count) return ERROR_INVALID_PARAMETER;
  RegKeyPtr k;
  if ((error = ValueKey(key, KEY_QUERY_VALUE, false, &k))) return error;
  RegValue *v = k ? FindValue(k.get(), Utf8(name)) : nullptr;
  if (!v) return ERROR_FILE_NOT_FOUND;
  return CopyData(*v, type, data, count);
}

extern "C" LSTATUS WINAPI RegDeleteValueW(HKEY key, LPCWSTR name) {
  LONG error;
  if (RegistryInjected("RegDeleteValueW", name, &error)) return error;
  RegKeyPtr k;
  if ((error = ValueKey(key, KEY_SET_VALUE, false, &k))) return error;
  RegValue *v = k ? FindValue(k.get(), Utf8(name)) : nullptr;
  if (!v) return ERROR_FILE_NOT_FOUND;
  k->values.erase(k->values.begin() + (v - k->values.data()));
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_chars, LPDWORD,
                                        LPDWORD type, LPBYTE data, LPDWORD count) {
  RegKeyPtr k;
  LONG error = ValueKey(key, KEY_QUERY_VALUE, false, &k);
  if (error) return error;
  if (!k || index >= k->values.size()) return ERROR_NO_MORE_ITEMS;
  if (!name || !name_chars) return ERROR_INVALID_PARAMETER;
  if (data && !count) return ERROR_INVALID_PARAMETER;
  const RegValue &v = k->values[index];
  std::vector<WCHAR> w = Wide(v.name);
  if (w.size() > *name_chars) return ERROR_MORE_DATA;
  for (size_t i = 0; i < w.size(); ++i) name[i] = w[i];
  *name_chars = (DWORD)(w.size() - 1);
  return CopyData(v, type, data, count);
}
