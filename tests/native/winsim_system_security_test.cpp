// winsim's Administrators test: SIDs are built and freed as documented, and membership is
// answered from the configured flag for BUILTIN\Administrators only.
#include <gtest/gtest.h>
#include <winsim_test.h>

namespace {

PSID MakeSid(BYTE count, DWORD a, DWORD b) {
  SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
  PSID sid = nullptr;
  EXPECT_TRUE(AllocateAndInitializeSid(&nt, count, a, b, 0, 0, 0, 0, 0, 0, &sid));
  return sid;
}

TEST(WinsimSecurity, MembershipIsTheConfiguredAnswerForAdministratorsOnly) {
  struct Case {
    const char *row;
    bool admin;
    BYTE count;
    DWORD rid0, rid1;
    BOOL member;
  } cases[] = {
      {"administrator, Administrators", true, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, TRUE},
      {"not administrator, Administrators", false, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, FALSE},
      {"administrator, Users", true, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, FALSE},
      {"administrator, one sub-authority", true, 1, SECURITY_BUILTIN_DOMAIN_RID, 0, FALSE},
  };
  for (const Case &c : cases) {
    winsim::Reset();
    winsim::SetAdministrator(c.admin);
    PSID sid = MakeSid(c.count, c.rid0, c.rid1);
    BOOL member = 0x55;
    EXPECT_TRUE(CheckTokenMembership(nullptr, sid, &member)) << c.row;
    EXPECT_EQ(c.member, member) << c.row;
    EXPECT_EQ(nullptr, FreeSid(sid)) << c.row;
  }
}

TEST(WinsimSecurity, DefaultIsAdministratorAndSidsAreCounted) {
  winsim::Reset();
  PSID a = MakeSid(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  PSID b = MakeSid(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS);
  EXPECT_EQ(2u, winsim::LiveSids());
  BOOL member = FALSE;
  EXPECT_TRUE(CheckTokenMembership(nullptr, a, &member));
  EXPECT_TRUE(member);
  EXPECT_EQ(nullptr, FreeSid(a));
  EXPECT_EQ(a, FreeSid(a)) << "a second free fails and returns the SID";
  EXPECT_EQ(1u, winsim::LiveSids());
  FreeSid(b);
  EXPECT_EQ(0u, winsim::LiveSids());
}

TEST(WinsimSecurity, BadArgumentsFail) {
  winsim::Reset();
  SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
  PSID sid = nullptr;
  for (BYTE count : {0, 9}) {
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(AllocateAndInitializeSid(&nt, count, 1, 2, 3, 4, 5, 6, 7, 8, &sid)) << (int)count;
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError()) << (int)count;
  }
  EXPECT_TRUE(AllocateAndInitializeSid(&nt, 8, 1, 2, 3, 4, 5, 6, 7, 8, &sid)) << "eight sub-authorities fit";
  BOOL member = TRUE;
  int not_a_sid = 0;
  EXPECT_FALSE(CheckTokenMembership(nullptr, &not_a_sid, &member));
  EXPECT_FALSE(CheckTokenMembership((HANDLE)(ULONG_PTR)0x44, sid, &member)) << "only the caller's token is known";
  FreeSid(sid);
}

TEST(WinsimSecurity, InjectedFaultsFailTheCalls) {
  winsim::Reset();
  winsim::FailCall("AllocateAndInitializeSid", 1, ERROR_NOT_ENOUGH_MEMORY);
  SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
  PSID sid = nullptr;
  EXPECT_FALSE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                        0, &sid));
  EXPECT_EQ((DWORD)ERROR_NOT_ENOUGH_MEMORY, GetLastError());
  EXPECT_EQ(0u, winsim::LiveSids());

  sid = MakeSid(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  winsim::FailCall("CheckTokenMembership", 1, ERROR_ACCESS_DENIED);
  BOOL member = 0x55;
  EXPECT_FALSE(CheckTokenMembership(nullptr, sid, &member));
  EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
  EXPECT_EQ(0x55, member) << "a failed call leaves the answer alone";
  EXPECT_TRUE(CheckTokenMembership(nullptr, sid, &member));
  FreeSid(sid);
}

}  // namespace
