/// \file
/// RegistryDump: the registry below a key as sorted, deterministic text for comparisons
/// (the format is described in winsim_test_system.h).
#include "registry_tree.h"

#include <winsim_test.h>

#include <algorithm>

namespace winsim {
namespace {

std::string TypeName(DWORD type) {
  switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
    default: return "type(" + std::to_string(type) + ")";
  }
}

std::string Hex(const std::vector<uint8_t> &data) {
  std::string out = "hex:";
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    snprintf(byte, sizeof byte, "%02x", data[i]);
    out += (i ? "," : "") + std::string(byte);
  }
  return out;
}

std::string Text(const std::vector<uint8_t> &data) {
  std::vector<WCHAR> w;
  bool terminated = false;
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    WCHAR c = (WCHAR)(data[i] | data[i + 1] << 8);
    if (!c) {
      terminated = true;
      break;
    }
    w.push_back(c);
  }
  w.push_back(0);
  return "\"" + Utf8(w.data()) + "\"" + (terminated ? "" : " [no terminator]");
}

std::string ValueLine(const RegValue &v) {
  std::string line = "  " + (v.name.empty() ? std::string("@") : "\"" + v.name + "\"") + " " + TypeName(v.type) + " ";
  if (v.type == REG_SZ || v.type == REG_EXPAND_SZ) {
    line += Text(v.data);
  } else if (v.type == REG_DWORD && v.data.size() == 4) {
    char hex[16];
    snprintf(hex, sizeof hex, "0x%x", (unsigned)(v.data[0] | v.data[1] << 8 | v.data[2] << 16 | (uint32_t)v.data[3] << 24));
    line += hex;
  } else {
    line += Hex(v.data);
  }
  return line + " (" + std::to_string(v.data.size()) + " bytes)\n";
}

void DumpKey(const RegKey &key, const std::string &path, std::string *out) {
  *out += path + "\n";
  std::vector<const RegValue *> values;
  for (const RegValue &v : key.values) values.push_back(&v);
  std::sort(values.begin(), values.end(),
            [](const RegValue *a, const RegValue *b) { return Lower(a->name) < Lower(b->name); });
  for (const RegValue *v : values) *out += ValueLine(*v);
  // Sub-keys are held by lower-case name, so the map's order is the case-blind order.
  for (auto &entry : key.subkeys) DumpKey(*entry.second, path + "\\" + entry.second->name, out);
}

}  // namespace

std::string RegistryDump(const std::string &key_path) {
  RegKeyPtr root;
  std::vector<std::string> parts;
  std::string path;
  if (!ParseTestPath(key_path, &root, &parts, &path)) return std::string();
  RegKeyPtr key = root;
  for (const std::string &part : parts) {
    auto it = key->subkeys.find(Lower(part));
    if (it == key->subkeys.end()) return std::string();
    key = it->second;
    path += "\\" + key->name;
  }
  std::string out;
  DumpKey(*key, path, &out);
  return out;
}

}  // namespace winsim
