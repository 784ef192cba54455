// CreateDirectoryChain against winsim on arbitrary UTF-16 paths: drive, rooted, relative and
// UNC forms, with both separators. Afterwards every folder the chain reports as made exists.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <winsim_test.h>

#include "install/install.h"

namespace {

void Require(bool ok, const char *what, const std::string &path) {
  if (ok) return;
  std::fprintf(stderr, "fuzz_directory_chain: %s: %s\n", what, path.c_str());
  std::abort();
}

void FreshWorld() {
  winsim::Reset();
  winsim::AddDrive('D', 1ull << 30);
  winsim::AddShare("server", "share", 1ull << 30);
  winsim::SetCurrentFolder("C:\\Work");
  CreateDirectoryW(L"C:\\Work", nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // Units up to the first zero, at most MAX_PATH + 8 of them so the length limit is crossed.
  std::vector<WCHAR> path;
  for (size_t i = 0; i + 1 < size && path.size() < MAX_PATH + 8; i += 2) {
    WCHAR unit = (WCHAR)(data[i] | data[i + 1] << 8);
    if (!unit) break;
    path.push_back(unit);
  }
  path.push_back(0);

  static unsigned runs = 0;
  if (runs++ % 64 == 0) FreshWorld();  // the sandbox fills up with folders otherwise
  BOOL made = CreateDirectoryChain(path.data());
  Require(winsim::OpenHandleCount() == 0, "handles left", winsim::Utf8(path.data()));
  if (!made) return 0;
  // Success means the path up to its last separator is a folder now (an empty prefix or a
  // drive or share root is not made, and needs not be checked).
  std::string text = winsim::Utf8(path.data());
  size_t last = text.find_last_of("\\/");
  if (last == std::string::npos || last < 3) return 0;
  std::string folder = text.substr(0, last + 1);
  DWORD attributes = GetFileAttributesW(winsim::Wide(folder).data());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;  // names the platform rejects as a whole
  Require((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, "reported made but is not a folder", folder);
  return 0;
}
