/// \file
/// IsUserAdmin: whether the calling thread's token is a member of the local Administrators
/// group (S-1-5-32-544).
#include "shell/is_user_admin.h"

BOOL IsUserAdmin(void) {
  SID_IDENTIFIER_AUTHORITY nt_authority = SECURITY_NT_AUTHORITY;
  PSID administrators = NULL;
  if (!AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                0, 0, 0, 0, &administrators))
    return FALSE;
  BOOL member = FALSE;
  if (!CheckTokenMembership(NULL, administrators, &member)) member = FALSE;
  FreeSid(administrators);
  return member;
}
