/// \file
/// ADVAPI32 security subset: building a SID and asking whether the caller's token is a member
/// of a group (the installer's Administrators check).
#pragma once

#include "winsim/types.h"

typedef PVOID PSID;
typedef BOOL *PBOOL;

typedef struct _SID_IDENTIFIER_AUTHORITY {
  BYTE Value[6];
} SID_IDENTIFIER_AUTHORITY, *PSID_IDENTIFIER_AUTHORITY;

#define SECURITY_NT_AUTHORITY {0, 0, 0, 0, 0, 5}
#define SECURITY_BUILTIN_DOMAIN_RID 0x00000020L
#define DOMAIN_ALIAS_RID_ADMINS 0x00000220L
#define DOMAIN_ALIAS_RID_USERS 0x00000221L

#ifndef ERROR_NO_TOKEN
#define ERROR_NO_TOKEN 1008L
#endif
#ifndef ERROR_INVALID_SID
#define ERROR_INVALID_SID 1337L
#endif

WINSIM_EXTERN_C BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count,
                                                     DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3,
                                                     DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7,
                                                     PSID *sid);
WINSIM_EXTERN_C BOOL WINAPI CheckTokenMembership(HANDLE token, PSID sid, PBOOL is_member);
WINSIM_EXTERN_C PVOID WINAPI FreeSid(PSID sid);
