// AppendSlash within its contract: a terminated path with room for one more unit. The result is
// the path without one trailing separator, followed by exactly one backslash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "shell/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<WCHAR> units;
  for (size_t i = 0; i + 1 < size; i += 2) {
    WCHAR unit = (WCHAR)(data[i] | data[i + 1] << 8);
    if (!unit) break;
    units.push_back(unit);
  }
  size_t n = units.size();
  // Exactly the room the contract promises, on the heap so a write past it is caught.
  WCHAR *path = new WCHAR[n + 2];
  for (size_t i = 0; i < n; ++i) path[i] = units[i];
  path[n] = 0;
  AppendSlash(path);

  size_t kept = n > 0 && (units[n - 1] == L'\\' || units[n - 1] == L'/') ? n - 1 : n;
  bool ok = path[kept] == L'\\' && path[kept + 1] == 0;
  for (size_t i = 0; ok && i < kept; ++i) ok = path[i] == units[i];
  delete[] path;
  if (!ok) {
    std::fprintf(stderr, "fuzz_append_slash: wrong result for %zu units\n", n);
    std::abort();
  }
  return 0;
}
