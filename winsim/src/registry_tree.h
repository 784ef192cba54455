/// \file
/// The in-memory registry shared by the registry calls, the dump and the test control: one
/// key tree per root, and the table of open key handles.
#pragma once

#include "sim.h"

#include <memory>

namespace winsim {

struct RegValue {
  std::string name;  // as first stored
  DWORD type = REG_NONE;
  std::vector<uint8_t> data;
};

struct RegKey {
  std::string name;  // as created
  bool deleted = false;
  std::map<std::string, std::shared_ptr<RegKey>> subkeys;  // by lower-case name
  std::vector<RegValue> values;                           // in the order they were first set
};
using RegKeyPtr = std::shared_ptr<RegKey>;

// The key a handle stands for, with the rights it was opened with. Predefined roots have every
// right. HKEY_CLASSES_ROOT is HKLM\Software\Classes: `prefix` receives the path below the real
// root that a sub-key path must be appended to ("Software", "Classes"), and `key` that root.
struct KeyRef {
  RegKeyPtr key;
  REGSAM access = 0;
  std::vector<std::string> prefix;
};
LONG LookupKey(HKEY handle, KeyRef *ref);

// Splits a sub-key path at backslashes. A leading backslash is an error (ERROR_BAD_PATHNAME);
// a trailing one is ignored.
LONG SplitKeyPath(LPCWSTR sub_key, std::vector<std::string> *parts);

// Walks `parts` down from `from`. With `create`, missing keys are made (and *created is set
// when at least one was). Returns null when a key is missing and not created.
RegKeyPtr WalkKeys(const RegKeyPtr &from, const std::vector<std::string> &parts, bool create, bool *created);

RegValue *FindValue(RegKey *key, const std::string &name);
HKEY OpenHandle(const RegKeyPtr &key, REGSAM access);
bool CloseHandleOfKey(HKEY handle);

// Test-control paths ("HKLM\\Software\\X"): the root's key and the parts below it; the
// canonical spelling of the root ("HKLM", "HKCU") for printing.
bool ParseTestPath(const std::string &path, RegKeyPtr *root, std::vector<std::string> *parts,
                   std::string *root_name);

// Registry calls report their failures by return value only; an injected fault is read from
// the last error, which the call then restores.
bool RegistryInjected(const char *op, LPCWSTR name, LONG *error);

}  // namespace winsim
