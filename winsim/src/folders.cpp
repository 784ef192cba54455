/// \file
/// Attributes, folders and free space: GetFileAttributesW, SetFileAttributesW,
/// CreateDirectoryW, RemoveDirectoryW, GetDiskFreeSpaceExW, GetTempPathW.
#include "paths.h"

#include <winsim_test.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace winsim;

extern "C" DWORD WINAPI GetFileAttributesW(LPCWSTR name) {
  if (Injected("GetFileAttributesW", name)) return INVALID_FILE_ATTRIBUTES;
  Resolved r = Resolve(name);
  if (r.error) return SetLastError(r.error), INVALID_FILE_ATTRIBUTES;
  if (!r.parent_exists) return SetLastError(ERROR_PATH_NOT_FOUND), INVALID_FILE_ATTRIBUTES;
  if (!r.exists) return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_FILE_ATTRIBUTES;
  if (r.is_dir) return FILE_ATTRIBUTE_DIRECTORY;
  if (r.trailing_sep) return SetLastError(ERROR_INVALID_NAME), INVALID_FILE_ATTRIBUTES;
  DWORD extra = TheWorld().attributes[r.host];
  return extra ? extra | FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_ARCHIVE;
}

extern "C" BOOL WINAPI SetFileAttributesW(LPCWSTR name, DWORD attributes) {
  if (Injected("SetFileAttributesW", name)) return FALSE;
  Resolved r = Resolve(name);
  if (r.error) return SetLastError(r.error), FALSE;
  if (!r.exists) return SetLastError(r.parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND), FALSE;
  if (!r.is_dir) TheWorld().attributes[r.host] = attributes & FILE_ATTRIBUTE_READONLY;
  return TRUE;
}

extern "C" BOOL WINAPI CreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES) {
  if (Injected("CreateDirectoryW", name)) return FALSE;
  Resolved r = Resolve(name);
  if (r.error) return SetLastError(r.error), FALSE;
  if (r.is_root) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  if (!r.parent_exists) return SetLastError(ERROR_PATH_NOT_FOUND), FALSE;
  if (r.exists) return SetLastError(ERROR_ALREADY_EXISTS), FALSE;
  if (mkdir(r.host.c_str(), 0755) != 0) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  return TRUE;
}

extern "C" BOOL WINAPI RemoveDirectoryW(LPCWSTR name) {
  if (Injected("RemoveDirectoryW", name)) return FALSE;
  Resolved r = Resolve(name);
  if (r.error) return SetLastError(r.error), FALSE;
  if (!r.exists) return SetLastError(r.parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND), FALSE;
  if (!r.is_dir || r.is_root) return SetLastError(ERROR_DIRECTORY), FALSE;
  if (rmdir(r.host.c_str()) != 0) return SetLastError(ERROR_DIR_NOT_EMPTY), FALSE;
  return TRUE;
}

extern "C" BOOL WINAPI GetDiskFreeSpaceExW(LPCWSTR directory, PULARGE_INTEGER free_to_caller,
                                           PULARGE_INTEGER total, PULARGE_INTEGER total_free) {
  if (Injected("GetDiskFreeSpaceExW", directory)) return FALSE;
  Resolved r = Resolve(directory);
  if (r.error) return SetLastError(r.error), FALSE;
  // The answer concerns an existing folder on the volume.
  if (!r.exists) return SetLastError(r.parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND), FALSE;
  if (!r.is_dir) return SetLastError(ERROR_DIRECTORY), FALSE;
  uint64_t bytes = TheWorld().volumes[r.volume_key].free_bytes;
  if (free_to_caller) free_to_caller->QuadPart = bytes;
  if (total_free) total_free->QuadPart = bytes;
  if (total) total->QuadPart = bytes + (1ull << 30);
  return TRUE;
}

extern "C" DWORD WINAPI GetTempPathW(DWORD size, LPWSTR buffer) {
  static const WCHAR kTemp[] = L"C:\\Temp\\";
  Resolved temp = Resolve(kTemp);
  if (!temp.error && !temp.exists) mkdir(temp.host.c_str(), 0755);
  DWORD need = (DWORD)lstrlenW(kTemp);
  if (size <= need) return need + 1;
  lstrcpyW(buffer, kTemp);
  return need;
}

namespace winsim {

bool FileExists(const std::string &path) {
  Resolved r = Resolve(Wide(path).data());
  return !r.error && r.exists && !r.is_dir;
}

bool FolderExists(const std::string &path) {
  Resolved r = Resolve(Wide(path).data());
  return !r.error && r.exists && r.is_dir;
}

bool ReadWholeFile(const std::string &path, std::vector<uint8_t> *bytes) {
  Resolved r = Resolve(Wide(path).data());
  bytes->clear();
  if (r.error || !r.exists || r.is_dir) return false;
  FILE *f = fopen(r.host.c_str(), "rb");
  if (!f) return false;
  uint8_t buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes->insert(bytes->end(), buf, buf + n);
  fclose(f);
  return true;
}

void WriteWholeFile(const std::string &path, const std::vector<uint8_t> &bytes) {
  std::vector<WCHAR> w = Wide(path);
  // Make the folders along the way directly, so fixtures neither count as calls nor meet faults.
  for (size_t i = 3; i < w.size(); ++i) {
    if (w[i] != '\\' && w[i] != '/') continue;
    WCHAR keep = w[i];
    w[i] = 0;
    Resolved prefix = Resolve(w.data());
    if (!prefix.error && !prefix.exists) mkdir(prefix.host.c_str(), 0755);
    w[i] = keep;
  }
  Resolved r = Resolve(w.data());
  FILE *f = fopen(r.host.c_str(), "wb");
  if (!f) abort();
  if (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) abort();
  fclose(f);
}

uint64_t LastWriteTime(const std::string &path) {
  struct stat st;
  if (stat(HostPath(path).c_str(), &st) != 0) return 0;
  return FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

uint64_t CreationTime(const std::string &path) { return TheWorld().creation[HostPath(path)]; }

}  // namespace winsim
