/// \file
/// GetModuleFileNameW: the running program's path, as the test set it with SetModulePath.
#include "sim.h"

#include <winsim_test.h>

namespace winsim {
namespace {

const char kDefaultModulePath[] = "C:\\winsim\\program.exe";
// Present in the call counters until the next Reset(), which clears them: a missing marker
// means the path set before belongs to an earlier world.
const char kResetMarker[] = "winsim:module-path";

std::string &ModulePath() {
  static std::string path;
  World &w = TheWorld();
  if (!w.calls.count(kResetMarker)) {
    path = kDefaultModulePath;
    w.calls[kResetMarker] = 0;
  }
  return path;
}

}  // namespace

void SetModulePath(const std::string &path) {
  EnsureReady();
  ModulePath() = path;
}

}  // namespace winsim

using namespace winsim;

extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR file_name, DWORD size) {
  if (Injected("GetModuleFileNameW", nullptr)) return 0;
  // Only the program itself is modelled: its handle is what GetModuleHandleW(NULL) gives.
  if (module && module != GetModuleHandleW(nullptr)) return SetLastError(126 /* ERROR_MOD_NOT_FOUND */), 0;
  if (!file_name || size == 0) return SetLastError(ERROR_INSUFFICIENT_BUFFER), 0;
  std::vector<WCHAR> path = Wide(ModulePath());
  DWORD length = (DWORD)(path.size() - 1);
  // Too small a buffer: the path is cut to size - 1 units and terminated, the result is the
  // buffer size and the last error says so.
  DWORD copied = length < size ? length : size - 1;
  for (DWORD i = 0; i < copied; ++i) file_name[i] = path[i];
  file_name[copied] = 0;
  if (copied < length) return SetLastError(ERROR_INSUFFICIENT_BUFFER), size;
  return length;
}
