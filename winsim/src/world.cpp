/// \file
/// The simulated world: sandbox creation and removal, Reset, call counting and faults.
#include "sim.h"

#include <winsim_test.h>

#include <cstdlib>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace winsim {

void ResetResources();  // resources.cpp
void ResetHeap();       // heap.cpp
void ResetHandles();    // files.cpp
void ResetLastError();  // error.cpp

namespace {

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *) {
  remove(path);
  return 0;
}

void RemoveTree(const std::string &root) {
  if (!root.empty()) nftw(root.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void RemoveSandboxAtExit() { RemoveTree(TheWorld().sandbox); }

}  // namespace

World &TheWorld() {
  static World world;
  return world;
}

void EnsureReady() {
  if (!TheWorld().ready) Reset();
}

void Reset() {
  World &w = TheWorld();
  static bool registered = false;
  if (!registered) {
    atexit(RemoveSandboxAtExit);
    registered = true;
  }
  ResetHandles();
  RemoveTree(w.sandbox);
  w = World();
  const char *tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/winsim.XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) abort();
  w.sandbox = buf.data();
  w.ready = true;
  AddDrive('C', 100ull << 30);
  ResetResources();
  ResetHeap();
  ResetLastError();
  ResetUser();
  ResetSystem();
}

void AddDrive(char letter, uint64_t free_bytes) {
  World &w = TheWorld();
  std::string key = Lower(std::string(1, letter) + ":");
  std::string root = w.sandbox + "/drive_" + Lower(std::string(1, letter));
  mkdir(root.c_str(), 0755);
  w.volumes[key] = Volume{root, free_bytes};
}

void SetFreeSpace(char letter, uint64_t free_bytes) {
  EnsureReady();
  TheWorld().volumes[Lower(std::string(1, letter) + ":")].free_bytes = free_bytes;
}

void AddShare(const std::string &server, const std::string &share, uint64_t free_bytes) {
  EnsureReady();
  World &w = TheWorld();
  std::string root = w.sandbox + "/unc_" + Lower(server);
  mkdir(root.c_str(), 0755);
  root += "/" + Lower(share);
  mkdir(root.c_str(), 0755);
  w.volumes["\\\\" + Lower(server) + "\\" + Lower(share)] = Volume{root, free_bytes};
}

void SetCurrentFolder(const std::string &path) {
  EnsureReady();
  TheWorld().current_dir = path;
}

void FailCall(const char *op, unsigned nth, DWORD error) {
  EnsureReady();
  Fault f;
  f.op = op;
  f.call = TheWorld().calls[op] + nth;
  f.error = error;
  TheWorld().faults.push_back(f);
}

void FailPath(const char *op, const std::string &path, DWORD error) {
  EnsureReady();
  Fault f;
  f.op = op;
  f.path_key = PathKey(path);
  f.error = error;
  TheWorld().faults.push_back(f);
}

void FailAllocationsFrom(size_t bytes) {
  EnsureReady();
  TheWorld().fail_alloc_from = bytes;
}

void ShortWrite(unsigned nth, DWORD bytes) {
  EnsureReady();
  Fault f;
  f.op = "WriteFile";
  f.call = TheWorld().calls["WriteFile"] + nth;
  f.short_write = true;
  f.short_bytes = bytes;
  TheWorld().faults.push_back(f);
}

unsigned CallCount(const char *op) {
  EnsureReady();
  auto it = TheWorld().calls.find(op);
  return it == TheWorld().calls.end() ? 0 : it->second;
}

bool Injected(const char *op, LPCWSTR path, Fault *hit) {
  EnsureReady();
  World &w = TheWorld();
  unsigned n = ++w.calls[op];
  std::string key = path ? PathKey(Utf8(path)) : std::string();
  for (const Fault &f : w.faults) {
    if (f.op != op) continue;
    bool match = f.call ? f.call == n : (!f.path_key.empty() && f.path_key == key);
    if (!match) continue;
    if (hit) *hit = f;
    if (!f.short_write) SetLastError(f.error);
    return true;
  }
  return false;
}

bool Injected(const char *op, LPCWSTR path) { return Injected(op, path, nullptr); }

}  // namespace winsim
