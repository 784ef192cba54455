/// \file
/// File handles: CreateFileW with dispositions and share modes, WriteFile, ReadFile,
/// SetFileTime/GetFileTime, GetFileSize, CloseHandle, DeleteFileW.
#include "paths.h"

#include <winsim_test.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace winsim {
namespace {

struct OpenFile {
  int fd = -1;
  std::string host;
  DWORD access = 0;
  DWORD share = 0;
};

std::map<uintptr_t, OpenFile> &Handles() {
  static std::map<uintptr_t, OpenFile> handles;
  return handles;
}

uintptr_t g_next_handle = 0x100;

OpenFile *Lookup(HANDLE h) {
  auto it = Handles().find((uintptr_t)h);
  return it == Handles().end() ? nullptr : &it->second;
}

// Two openers coexist only if each one's share mode admits the other's access.
bool SharingConflicts(const std::string &host, DWORD access, DWORD share) {
  for (auto &entry : Handles()) {
    const OpenFile &o = entry.second;
    if (o.host != host) continue;
    if ((access & GENERIC_WRITE) && !(o.share & FILE_SHARE_WRITE)) return true;
    if ((access & GENERIC_READ) && !(o.share & FILE_SHARE_READ)) return true;
    if ((o.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE)) return true;
    if ((o.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) return true;
  }
  return false;
}

bool OpenByOthers(const std::string &host) {
  for (auto &entry : Handles())
    if (entry.second.host == host && !(entry.second.share & FILE_SHARE_DELETE)) return true;
  return false;
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

void ResetHandles() {
  for (auto &entry : Handles()) close(entry.second.fd);
  Handles().clear();
}

size_t OpenHandleCount() { return Handles().size(); }

}  // namespace winsim

using namespace winsim;

extern "C" HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                                     DWORD disposition, DWORD, HANDLE) {
  if (Injected("CreateFileW", name)) return INVALID_HANDLE_VALUE;
  Resolved r = Resolve(name);
  if (r.error) return Fail(r.error);
  if (!r.parent_exists) return Fail(ERROR_PATH_NOT_FOUND);
  if (r.is_root || r.is_dir) return Fail(ERROR_ACCESS_DENIED);
  if (r.trailing_sep) return Fail(ERROR_INVALID_NAME);
  World &w = TheWorld();
  if (r.exists) {
    if (disposition == CREATE_NEW) return Fail(ERROR_FILE_EXISTS);
    if (SharingConflicts(r.host, access, share)) return Fail(ERROR_SHARING_VIOLATION);
    if ((access & GENERIC_WRITE) && (w.attributes[r.host] & FILE_ATTRIBUTE_READONLY))
      return Fail(ERROR_ACCESS_DENIED);
  } else if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
    return Fail(ERROR_FILE_NOT_FOUND);
  } else if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    return Fail(ERROR_INVALID_PARAMETER);
  }

  int flags = O_CLOEXEC | O_CREAT;
  bool rd = access & GENERIC_READ, wr = access & GENERIC_WRITE;
  flags |= rd && wr ? O_RDWR : wr ? O_WRONLY : O_RDONLY;
  if (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) flags |= O_TRUNC;
  int fd = open(r.host.c_str(), flags, 0644);
  if (fd < 0) return Fail(ERROR_ACCESS_DENIED);
  if (!r.exists) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    w.creation[r.host] = ToU64(now);
    w.attributes[r.host] = 0;
  }
  uintptr_t h = g_next_handle;
  g_next_handle += 4;
  Handles()[h] = OpenFile{fd, r.host, access, share};
  // The platform reports whether an existing file was opened, also on success.
  bool reports_existing = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  SetLastError(reports_existing && r.exists ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return (HANDLE)h;
}

extern "C" BOOL WINAPI WriteFile(HANDLE file, LPCVOID data, DWORD count, LPDWORD written, LPOVERLAPPED) {
  if (written) *written = 0;
  Fault hit;
  bool injected = Injected("WriteFile", nullptr, &hit);
  if (injected && !hit.short_write) return FALSE;
  OpenFile *f = Lookup(file);
  if (!f) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!(f->access & GENERIC_WRITE)) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  DWORD want = injected && hit.short_bytes < count ? hit.short_bytes : count;
  const char *p = (const char *)data;
  DWORD done = 0;
  while (done < want) {
    ssize_t n = write(f->fd, p + done, want - done);
    if (n <= 0) return SetLastError(ERROR_WRITE_FAULT), FALSE;
    done += (DWORD)n;
  }
  if (written) *written = done;
  return TRUE;
}

extern "C" BOOL WINAPI ReadFile(HANDLE file, LPVOID data, DWORD count, LPDWORD read_count, LPOVERLAPPED) {
  if (read_count) *read_count = 0;
  if (Injected("ReadFile", nullptr)) return FALSE;
  OpenFile *f = Lookup(file);
  if (!f) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!(f->access & GENERIC_READ)) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  ssize_t n = read(f->fd, data, count);
  if (n < 0) return SetLastError(ERROR_INVALID_FUNCTION), FALSE;
  if (read_count) *read_count = (DWORD)n;
  return TRUE;
}

extern "C" BOOL WINAPI SetFileTime(HANDLE file, const FILETIME *creation, const FILETIME *last_access,
                                   const FILETIME *last_write) {
  if (Injected("SetFileTime", nullptr)) return FALSE;
  OpenFile *f = Lookup(file);
  if (!f) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!(f->access & GENERIC_WRITE)) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  struct timespec times[2];
  times[0].tv_nsec = times[1].tv_nsec = UTIME_OMIT;
  const FILETIME *given[2] = {last_access, last_write};
  for (int i = 0; i < 2; ++i) {
    if (!given[i]) continue;
    int64_t s;
    long ns;
    UnixFromFileTime(ToU64(*given[i]), &s, &ns);
    times[i].tv_sec = (time_t)s;
    times[i].tv_nsec = ns;
  }
  if (futimens(f->fd, times) != 0) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  if (creation) TheWorld().creation[f->host] = ToU64(*creation);
  return TRUE;
}

extern "C" BOOL WINAPI GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME last_access, LPFILETIME last_write) {
  OpenFile *f = Lookup(file);
  if (!f) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  struct stat st;
  if (fstat(f->fd, &st) != 0) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (creation) *creation = ToFileTime(TheWorld().creation[f->host]);
  if (last_access) *last_access = ToFileTime(FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec));
  if (last_write) *last_write = ToFileTime(FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec));
  return TRUE;
}

extern "C" DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high) {
  OpenFile *f = Lookup(file);
  struct stat st;
  if (!f || fstat(f->fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0xFFFFFFFFu;
  }
  if (high) *high = (DWORD)((uint64_t)st.st_size >> 32);
  SetLastError(ERROR_SUCCESS);
  return (DWORD)st.st_size;
}

extern "C" BOOL WINAPI CloseHandle(HANDLE object) {
  if (Injected("CloseHandle", nullptr)) return FALSE;
  auto it = Handles().find((uintptr_t)object);
  if (it == Handles().end()) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  close(it->second.fd);
  Handles().erase(it);
  return TRUE;
}

extern "C" BOOL WINAPI DeleteFileW(LPCWSTR name) {
  if (Injected("DeleteFileW", name)) return FALSE;
  Resolved r = Resolve(name);
  if (r.error) return SetLastError(r.error), FALSE;
  if (!r.parent_exists) return SetLastError(ERROR_PATH_NOT_FOUND), FALSE;
  if (!r.exists) return SetLastError(ERROR_FILE_NOT_FOUND), FALSE;
  if (r.is_dir) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  World &w = TheWorld();
  if (w.attributes[r.host] & FILE_ATTRIBUTE_READONLY) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  if (OpenByOthers(r.host)) return SetLastError(ERROR_SHARING_VIOLATION), FALSE;
  if (unlink(r.host.c_str()) != 0) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  w.attributes.erase(r.host);
  w.creation.erase(r.host);
  return TRUE;
}
