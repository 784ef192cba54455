/// \file
/// SHGetFolderPathW over a table of special folders that tests may change; Reset creates the
/// default folders in the sandbox.
#include "com_internal.h"
#include "paths.h"

#include <shlobj.h>
#include <winsim_test.h>

#include <sys/stat.h>

namespace winsim {
namespace {

std::map<int, std::string> &Folders() {
  static std::map<int, std::string> folders;
  return folders;
}

// Creates the folder and its parents directly, so neither set-up nor CSIDL_FLAG_CREATE counts
// as a CreateDirectoryW call or meets its faults.
void MakeFolders(const std::string &path) {
  std::vector<WCHAR> w = Wide(path);
  for (size_t i = 3; i < w.size(); ++i) {
    if (w[i] != '\\' && w[i] != '/' && w[i] != 0) continue;
    WCHAR keep = w[i];
    w[i] = 0;
    Resolved prefix = Resolve(w.data());
    if (!prefix.error && prefix.parent_exists && !prefix.exists) mkdir(prefix.host.c_str(), 0755);
    w[i] = keep;
  }
}

}  // namespace

void ResetShellFolders() {
  Folders() = {
      {CSIDL_PROGRAM_FILES, "C:\\Program Files"},
      {CSIDL_COMMON_PROGRAMS, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {CSIDL_PROGRAMS, "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {CSIDL_APPDATA, "C:\\Users\\User\\AppData\\Roaming"},
      {CSIDL_COMMON_APPDATA, "C:\\ProgramData"},
      {CSIDL_DESKTOPDIRECTORY, "C:\\Users\\User\\Desktop"},
      {CSIDL_COMMON_DESKTOPDIRECTORY, "C:\\Users\\Public\\Desktop"},
  };
  for (auto &entry : Folders()) MakeFolders(entry.second);
}

void SetShellFolder(int csidl, const std::string &path) {
  EnsureReady();
  Folders()[csidl & ~CSIDL_FLAG_MASK] = path;
}

}  // namespace winsim

using namespace winsim;

extern "C" HRESULT WINAPI SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR path) {
  EnsureReady();
  if (!path) return E_INVALIDARG;
  path[0] = 0;
  auto it = Folders().find(csidl & ~CSIDL_FLAG_MASK);
  std::vector<WCHAR> w = Wide(it == Folders().end() ? std::string() : it->second);
  Fault hit;
  if (Injected("SHGetFolderPathW", w.data(), &hit)) return InjectedHresult(hit.error, E_FAIL);
  if (it == Folders().end()) return E_INVALIDARG;
  if (w.size() > MAX_PATH) return E_FAIL;
  if (csidl & CSIDL_FLAG_CREATE) {
    MakeFolders(it->second);
    Resolved r = Resolve(w.data());
    if (r.error || !r.is_dir) return HRESULT_FROM_WIN32(r.error ? r.error : ERROR_PATH_NOT_FOUND);
  }
  memcpy(path, w.data(), w.size() * sizeof(WCHAR));
  return S_OK;
}
