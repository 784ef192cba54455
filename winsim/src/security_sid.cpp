/// \file
/// SIDs and the token membership test: AllocateAndInitializeSid, FreeSid and
/// CheckTokenMembership, which answers for BUILTIN\Administrators what the test configured.
#include "sim.h"

#include <winsim_test.h>

#include <cstdlib>
#include <set>

namespace winsim {
namespace {

// The documented SID layout: revision, count, 48-bit authority, then the sub-authorities.
struct Sid {
  BYTE revision;
  BYTE count;
  SID_IDENTIFIER_AUTHORITY authority;
  DWORD sub[8];
};

struct Security {
  bool is_admin = true;
  std::set<void *> live;
};

Security &TheSecurity() {
  static Security security;
  return security;
}

bool IsAdministrators(const Sid *sid) {
  static const BYTE kNt[6] = SECURITY_NT_AUTHORITY;
  return sid->count == 2 && memcmp(sid->authority.Value, kNt, 6) == 0 &&
         sid->sub[0] == SECURITY_BUILTIN_DOMAIN_RID && sid->sub[1] == DOMAIN_ALIAS_RID_ADMINS;
}

}  // namespace

void ResetSecurity() {
  // SIDs a previous test leaked stay leaked (LeakSanitizer reports them); only forget them.
  TheSecurity() = Security();
}

void SetAdministrator(bool is_admin) {
  EnsureReady();
  TheSecurity().is_admin = is_admin;
}

size_t LiveSids() {
  EnsureReady();
  return TheSecurity().live.size();
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD sub0,
                                                DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5,
                                                DWORD sub6, DWORD sub7, PSID *sid) {
  if (Injected("AllocateAndInitializeSid", nullptr)) return FALSE;
  if (!authority || !sid || count == 0 || count > 8) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  Sid *s = (Sid *)calloc(1, sizeof(Sid));
  if (!s) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), FALSE;
  s->revision = 1;
  s->count = count;
  s->authority = *authority;
  const DWORD subs[8] = {sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7};
  for (BYTE i = 0; i < count; ++i) s->sub[i] = subs[i];
  TheSecurity().live.insert(s);
  *sid = s;
  return TRUE;
}

extern "C" BOOL WINAPI CheckTokenMembership(HANDLE token, PSID sid, PBOOL is_member) {
  if (Injected("CheckTokenMembership", nullptr)) return FALSE;
  // Only the caller's own token (null) is modelled.
  if (token) return SetLastError(ERROR_NO_TOKEN), FALSE;
  if (!is_member) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  if (!TheSecurity().live.count(sid)) return SetLastError(ERROR_INVALID_SID), FALSE;
  *is_member = IsAdministrators((const Sid *)sid) && TheSecurity().is_admin;
  return TRUE;
}

extern "C" PVOID WINAPI FreeSid(PSID sid) {
  auto it = TheSecurity().live.find(sid);
  // The platform returns null on success and the SID itself on failure.
  if (it == TheSecurity().live.end()) return sid;
  TheSecurity().live.erase(it);
  free(sid);
  return nullptr;
}
