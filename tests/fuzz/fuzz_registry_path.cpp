// BuildRegistryPath within its contract: up to six names whose whole path stays within 255
// units. Names after the first missing one are ignored; the result is "Software" and each name
// behind a backslash, in the state's scratch area.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The input as UTF-16 units; unit 0 ends a name, and a name made of 0xFFFF alone is missing.
  std::vector<std::vector<WCHAR>> names(1);
  for (size_t i = 0; i + 1 < size && names.size() <= 6; i += 2) {
    WCHAR unit = (WCHAR)(data[i] | data[i + 1] << 8);
    if (unit) names.back().push_back(unit);
    else names.emplace_back();
  }
  if (names.size() > 6) names.resize(6);
  LPCWSTR given[6] = {};
  std::vector<WCHAR> expected = {'S', 'o', 'f', 't', 'w', 'a', 'r', 'e'};
  bool ended = false;
  for (size_t i = 0; i < names.size(); ++i) {
    bool missing = names[i].size() == 1 && names[i][0] == 0xFFFF;
    names[i].push_back(0);
    given[i] = missing ? nullptr : names[i].data();
    if (missing) ended = true;
    if (ended) continue;
    expected.push_back('\\');
    expected.insert(expected.end(), names[i].begin(), names[i].end() - 1);
  }
  if (expected.size() > 255) return -1;
  expected.push_back(0);

  static SetupState state;
  std::memset(&state.scratch, 0x55, sizeof state.scratch);
  LPWSTR path = BuildRegistryPath(&state, given[0], given[1], given[2], given[3], given[4], given[5]);
  bool ok = path == state.scratch.wide && std::memcmp(path, expected.data(), expected.size() * sizeof(WCHAR)) == 0;
  if (!ok) {
    std::fprintf(stderr, "fuzz_registry_path: wrong path for %zu names\n", names.size());
    std::abort();
  }
  return 0;
}
