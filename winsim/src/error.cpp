/// \file
/// The last-error value and time conversions between FILETIME and the host's clock.
#include "sim.h"

#include <time.h>

namespace {
DWORD g_last_error = 0;
const uint64_t kUnixEpochAsFileTime = 116444736000000000ull;  // 1970-01-01 in 100-ns units since 1601
}  // namespace

extern "C" DWORD WINAPI GetLastError(void) { return g_last_error; }
extern "C" void WINAPI SetLastError(DWORD code) { g_last_error = code; }

extern "C" void WINAPI GetSystemTimeAsFileTime(LPFILETIME time) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  *time = winsim::ToFileTime(winsim::FileTimeFromUnix(now.tv_sec, now.tv_nsec));
}

namespace winsim {

void ResetLastError() { g_last_error = 0; }

uint64_t ToU64(const FILETIME &ft) { return ((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime; }

FILETIME ToFileTime(uint64_t value) {
  FILETIME ft;
  ft.dwLowDateTime = (DWORD)value;
  ft.dwHighDateTime = (DWORD)(value >> 32);
  return ft;
}

uint64_t FileTimeFromUnix(int64_t seconds, long nanoseconds) {
  return kUnixEpochAsFileTime + (uint64_t)(seconds * 10000000ll) + (uint64_t)(nanoseconds / 100);
}

void UnixFromFileTime(uint64_t value, int64_t *seconds, long *nanoseconds) {
  int64_t since = (int64_t)(value - kUnixEpochAsFileTime);
  int64_t s = since / 10000000;
  int64_t rest = since % 10000000;
  if (rest < 0) {
    rest += 10000000;
    --s;
  }
  *seconds = s;
  *nanoseconds = (long)(rest * 100);
}

}  // namespace winsim
