/// \file
/// The registry's state: the HKLM and HKCU trees, key handles, path walking, and the parsing
/// of test-control paths.
#include "registry_tree.h"

#include <winsim_test.h>

namespace winsim {
namespace {

struct Registry {
  RegKeyPtr machine = std::make_shared<RegKey>();
  RegKeyPtr user = std::make_shared<RegKey>();
  std::map<uintptr_t, KeyRef> handles;
  uintptr_t next_handle = 0x2000;
};

Registry &TheRegistry() {
  static Registry registry;
  return registry;
}

const std::vector<std::string> kClassesPrefix = {"Software", "Classes"};

}  // namespace

void ResetRegistry() { TheRegistry() = Registry(); }

LONG LookupKey(HKEY handle, KeyRef *ref) {
  Registry &r = TheRegistry();
  *ref = KeyRef();
  if (handle == HKEY_LOCAL_MACHINE || handle == HKEY_CURRENT_USER || handle == HKEY_CLASSES_ROOT) {
    ref->key = handle == HKEY_CURRENT_USER ? r.user : r.machine;
    ref->access = KEY_ALL_ACCESS;
    if (handle == HKEY_CLASSES_ROOT) ref->prefix = kClassesPrefix;
    return ERROR_SUCCESS;
  }
  auto it = r.handles.find((uintptr_t)handle);
  if (it == r.handles.end()) return ERROR_INVALID_HANDLE;
  // A handle outlives the deletion of its key; every use of it then fails.
  if (it->second.key->deleted) return ERROR_KEY_DELETED;
  *ref = it->second;
  return ERROR_SUCCESS;
}

LONG SplitKeyPath(LPCWSTR sub_key, std::vector<std::string> *parts) {
  parts->clear();
  std::string path = Utf8(sub_key);
  if (!path.empty() && path[0] == '\\') return ERROR_BAD_PATHNAME;
  std::string cur;
  for (char c : path) {
    if (c != '\\') {
      cur += c;
      continue;
    }
    if (cur.empty()) return ERROR_BAD_PATHNAME;
    parts->push_back(cur);
    cur.clear();
  }
  if (!cur.empty()) parts->push_back(cur);
  return ERROR_SUCCESS;
}

RegKeyPtr WalkKeys(const RegKeyPtr &from, const std::vector<std::string> &parts, bool create, bool *created) {
  if (created) *created = false;
  RegKeyPtr key = from;
  for (const std::string &part : parts) {
    auto it = key->subkeys.find(Lower(part));
    if (it != key->subkeys.end()) {
      key = it->second;
      continue;
    }
    if (!create) return nullptr;
    auto child = std::make_shared<RegKey>();
    child->name = part;
    key->subkeys[Lower(part)] = child;
    key = child;
    if (created) *created = true;
  }
  return key;
}

RegValue *FindValue(RegKey *key, const std::string &name) {
  std::string want = Lower(name);
  for (RegValue &v : key->values)
    if (Lower(v.name) == want) return &v;
  return nullptr;
}

HKEY OpenHandle(const RegKeyPtr &key, REGSAM access) {
  Registry &r = TheRegistry();
  uintptr_t h = r.next_handle;
  r.next_handle += 4;
  KeyRef ref;
  ref.key = key;
  ref.access = access;
  r.handles[h] = ref;
  return (HKEY)h;
}

bool CloseHandleOfKey(HKEY handle) { return TheRegistry().handles.erase((uintptr_t)handle) == 1; }

size_t OpenKeyCount() {
  EnsureReady();
  return TheRegistry().handles.size();
}

bool ParseTestPath(const std::string &path, RegKeyPtr *root, std::vector<std::string> *parts,
                   std::string *root_name) {
  EnsureReady();
  Registry &r = TheRegistry();
  size_t cut = path.find('\\');
  std::string head = Lower(path.substr(0, cut));
  parts->clear();
  if (head == "hklm" || head == "hkey_local_machine") {
    *root = r.machine;
    *root_name = "HKLM";
  } else if (head == "hkcu" || head == "hkey_current_user") {
    *root = r.user;
    *root_name = "HKCU";
  } else if (head == "hkcr" || head == "hkey_classes_root") {
    *root = r.machine;
    *root_name = "HKLM";
    *parts = kClassesPrefix;
  } else {
    return false;
  }
  std::string cur;
  std::string rest = cut == std::string::npos ? std::string() : path.substr(cut + 1);
  for (char c : rest + "\\") {
    if (c != '\\') {
      cur += c;
    } else if (!cur.empty()) {
      parts->push_back(cur);
      cur.clear();
    }
  }
  return true;
}

bool RegistryInjected(const char *op, LPCWSTR name, LONG *error) {
  DWORD saved = GetLastError();
  bool hit = Injected(op, name);
  *error = (LONG)GetLastError();
  SetLastError(saved);
  return hit;
}

}  // namespace winsim
