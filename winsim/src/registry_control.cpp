/// \file
/// The registry's test control: seeding and inspecting the tree without counted calls or
/// faults, the open-handle count, and value data helpers.
#include "registry_tree.h"

#include <winsim_test.h>

#include <cstdio>
#include <cstdlib>

namespace winsim {

namespace {
RegKeyPtr TestKey(const std::string &path, bool create) {
  RegKeyPtr root;
  std::vector<std::string> parts;
  std::string root_name;
  if (!ParseTestPath(path, &root, &parts, &root_name)) {
    if (!create) return nullptr;
    fprintf(stderr, "winsim: unknown registry root in \"%s\"\n", path.c_str());
    abort();
  }
  return WalkKeys(root, parts, create, nullptr);
}
}  // namespace

bool RegistryKeyExists(const std::string &key_path) { return TestKey(key_path, false) != nullptr; }

bool RegistryValue(const std::string &key_path, const std::string &name, DWORD *type, std::vector<uint8_t> *bytes) {
  RegKeyPtr key = TestKey(key_path, false);
  RegValue *v = key ? FindValue(key.get(), name) : nullptr;
  if (!v) return false;
  if (type) *type = v->type;
  if (bytes) *bytes = v->data;
  return true;
}

void SetRegistryValue(const std::string &key_path, const std::string &name, DWORD type,
                      const std::vector<uint8_t> &bytes) {
  RegKeyPtr key = TestKey(key_path, true);
  if (RegValue *v = FindValue(key.get(), name)) {
    v->type = type;
    v->data = bytes;
    return;
  }
  key->values.push_back(RegValue{name, type, bytes});
}

void CreateRegistryKey(const std::string &key_path) { TestKey(key_path, true); }

std::vector<uint8_t> SzBytes(const std::string &utf8) {
  std::vector<WCHAR> w = Wide(utf8);
  std::vector<uint8_t> out;
  for (WCHAR c : w) {
    out.push_back((uint8_t)((uint16_t)c & 0xff));
    out.push_back((uint8_t)((uint16_t)c >> 8));
  }
  return out;
}

std::vector<uint8_t> DwordBytes(DWORD value) {
  return {(uint8_t)value, (uint8_t)(value >> 8), (uint8_t)(value >> 16), (uint8_t)(value >> 24)};
}

}  // namespace winsim
