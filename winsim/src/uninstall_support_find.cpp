/// \file
/// FindFirstFileW, FindNextFileW, FindClose: the entries of one folder whose names match a
/// pattern of '*' and '?', compared ignoring case, in name order.
#include "paths.h"

#include <winsim_test.h>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace winsim {
namespace {

const char kResetMarker[] = "winsim:find-handles";

struct Search {
  std::string folder_host;
  std::vector<std::string> names;  // matching entries, host spelling
  size_t next = 0;
};

std::map<uintptr_t, Search> &Searches() {
  static std::map<uintptr_t, Search> searches;
  World &w = TheWorld();
  if (!w.calls.count(kResetMarker)) {
    searches.clear();
    w.calls[kResetMarker] = 0;
  }
  return searches;
}

uintptr_t g_next_find = 0x7f000000;

bool Matches(const char *pattern, const char *name) {
  if (!*pattern) return !*name;
  if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
  if (!*name) return false;
  return (*pattern == '?' || *pattern == *name) && Matches(pattern + 1, name + 1);
}

void Fill(const Search &search, const std::string &name, LPWIN32_FIND_DATAW data) {
  ZeroMemory(data, sizeof *data);
  std::string host = search.folder_host + "/" + name;
  struct stat st;
  if (stat(host.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
      data->dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE | TheWorld().attributes[host];
      data->nFileSizeHigh = (DWORD)((uint64_t)st.st_size >> 32);
      data->nFileSizeLow = (DWORD)st.st_size;
    }
    data->ftCreationTime = ToFileTime(TheWorld().creation[host]);
    data->ftLastAccessTime = ToFileTime(FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec));
    data->ftLastWriteTime = ToFileTime(FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec));
  }
  std::vector<WCHAR> wide = Wide(name);
  size_t n = std::min(wide.size() - 1, (size_t)MAX_PATH - 1);
  for (size_t i = 0; i < n; ++i) data->cFileName[i] = wide[i];
}

}  // namespace

size_t OpenFindCount() {
  EnsureReady();
  return Searches().size();
}

}  // namespace winsim

using namespace winsim;

extern "C" HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
  if (Injected("FindFirstFileW", pattern)) return INVALID_HANDLE_VALUE;
  if (!pattern || !data) return SetLastError(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
  std::string full = Utf8(pattern);
  size_t cut = full.find_last_of("\\/");
  std::string folder = cut == std::string::npos ? std::string(".") : full.substr(0, cut + 1);
  std::string wanted = Lower(cut == std::string::npos ? full : full.substr(cut + 1));
  if (wanted.empty()) return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
  if (wanted == "*.*") wanted = "*";  // the platform's old spelling of "everything"
  Resolved r = Resolve(Wide(folder).data());
  if (r.error) return SetLastError(r.error), INVALID_HANDLE_VALUE;
  if (!r.exists || !r.is_dir) return SetLastError(ERROR_PATH_NOT_FOUND), INVALID_HANDLE_VALUE;

  Search search;
  search.folder_host = r.host;
  DIR *dir = opendir(r.host.c_str());
  if (!dir) return SetLastError(ERROR_ACCESS_DENIED), INVALID_HANDLE_VALUE;
  while (struct dirent *entry = readdir(dir)) {
    std::string name = entry->d_name;
    // A volume's root lists no "." and "..".
    if (r.is_root && (name == "." || name == "..")) continue;
    if (Matches(wanted.c_str(), Lower(name).c_str())) search.names.push_back(name);
  }
  closedir(dir);
  if (search.names.empty()) return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
  std::sort(search.names.begin(), search.names.end(),
            [](const std::string &a, const std::string &b) { return Lower(a) < Lower(b); });
  Fill(search, search.names[0], data);
  search.next = 1;
  uintptr_t handle = g_next_find;
  g_next_find += 4;
  Searches()[handle] = search;
  return (HANDLE)handle;
}

extern "C" BOOL WINAPI FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data) {
  if (Injected("FindNextFileW", nullptr)) return FALSE;
  auto it = Searches().find((uintptr_t)find);
  if (it == Searches().end() || !data) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  Search &search = it->second;
  if (search.next >= search.names.size()) return SetLastError(ERROR_NO_MORE_FILES), FALSE;
  Fill(search, search.names[search.next++], data);
  return TRUE;
}

extern "C" BOOL WINAPI FindClose(HANDLE find) {
  auto it = Searches().find((uintptr_t)find);
  if (it == Searches().end()) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  Searches().erase(it);
  return TRUE;
}
