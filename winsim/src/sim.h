/// \file
/// winsim's internal state shared by its source files: faults, call counters, the sandbox.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace winsim {

struct Fault {
  std::string op;
  unsigned call = 0;       // absolute call number that fails; 0 = match by path
  std::string path_key;    // normalised Windows path; empty = any
  DWORD error = 0;
  bool short_write = false;
  DWORD short_bytes = 0;
};

struct Volume {
  std::string host_root;   // host folder that is this volume's root
  uint64_t free_bytes = 0;
};

struct World {
  bool ready = false;
  std::string sandbox;                       // host folder holding every volume
  std::map<std::string, Volume> volumes;     // "c:" or "\\server\share" (lower case)
  std::string current_dir = "C:\\";
  std::map<std::string, unsigned> calls;
  std::vector<Fault> faults;
  size_t fail_alloc_from = 0;
  std::map<std::string, DWORD> attributes;   // host path -> extra attributes (read-only)
  std::map<std::string, uint64_t> creation;  // host path -> creation FILETIME
};

World &TheWorld();
void EnsureReady();

// Counts the call and reports whether a registered fault hits it. `path` may be null.
// On a hit the fault's error is set as the last error and returned through *hit.
bool Injected(const char *op, LPCWSTR path, Fault *hit);
bool Injected(const char *op, LPCWSTR path);

// Normalised key of a Windows path for comparisons: '/' as '\', ASCII lower case.
std::string PathKey(const std::string &utf8);
std::string Lower(const std::string &s);

// FILETIME <-> 64-bit values and host time stamps.
uint64_t ToU64(const FILETIME &ft);
FILETIME ToFileTime(uint64_t value);
uint64_t FileTimeFromUnix(int64_t seconds, long nanoseconds);
void UnixFromFileTime(uint64_t value, int64_t *seconds, long *nanoseconds);

}  // namespace winsim
