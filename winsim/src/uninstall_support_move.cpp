/// \file
/// MoveFileExW: moves within a volume now, or records a move or removal for the next restart
/// (MOVEFILE_DELAY_UNTIL_REBOOT) the way the platform does, in PendingFileRenameOperations.
#include "paths.h"

#include <winsim_test.h>

#include <cstdio>

namespace winsim {
namespace {

const char kSessionManager[] = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";
const char kResetMarker[] = "winsim:pending-renames";

std::vector<PendingRename> &Pending() {
  static std::vector<PendingRename> pending;
  World &w = TheWorld();
  if (!w.calls.count(kResetMarker)) {
    pending.clear();
    w.calls[kResetMarker] = 0;
  }
  return pending;
}

void AppendString(std::vector<uint8_t> *data, const std::string &utf8) {
  std::vector<uint8_t> bytes = SzBytes(utf8);
  data->insert(data->end(), bytes.begin(), bytes.end());
}

// REG_MULTI_SZ: pairs of strings (source, target or empty), ended by one more empty string.
void RecordInRegistry(const PendingRename &rename) {
  std::vector<uint8_t> data;
  DWORD type = 0;
  if (RegistryValue(kSessionManager, kPendingValue, &type, &data) && type == REG_MULTI_SZ && data.size() >= 2)
    data.resize(data.size() - 2);  // the list's closing empty string
  else
    data.clear();
  AppendString(&data, "\\??\\" + rename.from);
  AppendString(&data, rename.to.empty() ? std::string() : "\\??\\" + rename.to);
  AppendString(&data, std::string());
  SetRegistryValue(kSessionManager, kPendingValue, REG_MULTI_SZ, data);
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

std::vector<PendingRename> PendingRenames() {
  EnsureReady();
  return Pending();
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI MoveFileExW(LPCWSTR existing, LPCWSTR new_name, DWORD flags) {
  if (Injected("MoveFileExW", existing)) return FALSE;
  if (!existing) return Fail(ERROR_INVALID_PARAMETER);
  Resolved from = Resolve(existing);
  if (from.error) return Fail(from.error);

  if (flags & MOVEFILE_DELAY_UNTIL_REBOOT) {
    // Documented: the delayed form cannot be combined with copying.
    if (flags & MOVEFILE_COPY_ALLOWED) return Fail(ERROR_INVALID_PARAMETER);
    PendingRename pending{Utf8(existing), new_name ? Utf8(new_name) : std::string()};
    if (new_name) {
      Resolved to = Resolve(new_name);
      if (to.error) return Fail(to.error);
    }
    Pending().push_back(pending);
    RecordInRegistry(pending);
    return TRUE;
  }

  // Moving now: a rename within one volume (copying across volumes and sharing are not modelled).
  if (!new_name) return Fail(ERROR_INVALID_PARAMETER);
  Resolved to = Resolve(new_name);
  if (to.error) return Fail(to.error);
  if (!from.exists) return Fail(from.parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  if (!to.parent_exists) return Fail(ERROR_PATH_NOT_FOUND);
  if (from.volume_key != to.volume_key) return Fail(ERROR_NOT_SAME_DEVICE);
  if (to.exists && to.host != from.host) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS);
    if (to.is_dir || from.is_dir) return Fail(ERROR_ACCESS_DENIED);
  }
  if (rename(from.host.c_str(), to.host.c_str()) != 0) return Fail(ERROR_ACCESS_DENIED);
  World &w = TheWorld();
  if (!from.is_dir && to.host != from.host) {
    w.attributes[to.host] = w.attributes[from.host];
    w.creation[to.host] = w.creation[from.host];
    w.attributes.erase(from.host);
    w.creation.erase(from.host);
  }
  return TRUE;
}
