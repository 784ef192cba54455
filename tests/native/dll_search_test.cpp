// The DLL search restriction: WinMain's first act on every start-up path, before any other
// platform call, and winsim's SetDefaultDllDirectories with the flags the platform accepts.
#include <gtest/gtest.h>

#include "native/setup_scenario.h"

namespace {

using namespace scenario;

struct StartCase {
  const char *name;
  std::function<void()> arrange;
  bool wizard_opens;  // the licence page is shown and the person cancels
};

TEST(DllSearch, RestrictedFirstOnEveryStartUpPath) {
  const StartCase cases[] = {
      {"wizard opens", [] {}, true},
      {"CoInitializeEx fails", [] { winsim::FailCall("CoInitializeEx", 1, 0x80004005); }, false},
      {"payload missing", [] { winsim::RemoveResource(RT_RCDATA, 102); }, false},
      {"not an administrator", [] { winsim::SetAdministrator(false); }, false},
      {"main window cannot be created", [] { winsim::FailCall("CreateDialogParamW", 1, ERROR_OUTOFMEMORY); },
       false},
  };
  // Calls WinMain makes on every path; none may come before the restriction.
  const char *const later_calls[] = {"CoInitializeEx", "InitCommonControlsEx", "FindResourceW", "HeapAlloc"};
  for (const StartCase &c : cases) {
    SCOPED_TRACE(c.name);
    // Reset without a test folder, so every counted call is the program's own.
    winsim::Reset();
    c.arrange();
    Outcome outcome = RunSetup(c.wizard_opens ? std::vector<Step>{Click(PAGE_LICENSE, IDC_CANCEL)}
                                              : std::vector<Step>{});
    ExpectCleanEnd(outcome);
    EXPECT_EQ(1u, winsim::CallCount("SetDefaultDllDirectories"));
    EXPECT_TRUE(winsim::DllSearchRestricted()) << "flags " << winsim::DllSearchFlags();
    EXPECT_EQ(0u, winsim::CallsBeforeDllSearchSet(nullptr)) << "platform calls before the restriction";
    for (const char *op : later_calls) EXPECT_EQ(0u, winsim::CallsBeforeDllSearchSet(op)) << op;
    EXPECT_EQ(1u, winsim::CallCount("CoInitializeEx")) << "the restriction comes before COM, not instead of it";
  }
}

// Systems without the call's update refuse it; the installer goes on with the standard search.
TEST(DllSearch, StartUpGoesOnWhenTheRestrictionFails) {
  winsim::Reset();
  winsim::FailCall("SetDefaultDllDirectories", 1, ERROR_INVALID_PARAMETER);
  bool licence_shown = false;
  Outcome outcome = RunSetup({Do([&] { licence_shown = State().current_page == PAGE_LICENSE; }),
                              Click(PAGE_LICENSE, IDC_CANCEL)});
  ExpectCleanEnd(outcome);
  EXPECT_TRUE(licence_shown);
  EXPECT_FALSE(winsim::DllSearchRestricted());
  EXPECT_TRUE(winsim::CurrentFolderLeftDllSearch()) << "the fallback takes the current folder out";
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

// Vista and 7 without the update lack the call altogether: it is looked up, so the installer
// still starts, with the current folder out of the search.
TEST(DllSearch, OlderSystemsWithoutTheCallStillStart) {
  winsim::Reset();
  winsim::SetSystemWithoutDefaultDllDirectories(true);
  bool licence_shown = false;
  Outcome outcome = RunSetup({Do([&] { licence_shown = State().current_page == PAGE_LICENSE; }),
                              Click(PAGE_LICENSE, IDC_CANCEL)});
  ExpectCleanEnd(outcome);
  EXPECT_TRUE(licence_shown);
  EXPECT_EQ(0u, winsim::CallCount("SetDefaultDllDirectories"));
  EXPECT_TRUE(winsim::CurrentFolderLeftDllSearch());
}

struct FlagsCase {
  DWORD flags;
  BOOL result;
  DWORD error;      // last error after the call (0xdeadbeef: untouched)
  DWORD in_force;   // flags in force afterwards, starting from none
  bool restricted;
};

TEST(DllSearch, WinsimAcceptsTheDocumentedFlagsOnly) {
  const FlagsCase cases[] = {
      {LOAD_LIBRARY_SEARCH_SYSTEM32, TRUE, 0xdeadbeef, LOAD_LIBRARY_SEARCH_SYSTEM32, true},
      {LOAD_LIBRARY_SEARCH_DEFAULT_DIRS, TRUE, 0xdeadbeef, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS, false},
      {LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR, TRUE, 0xdeadbeef,
       LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR, false},
      {LOAD_LIBRARY_SEARCH_USER_DIRS, TRUE, 0xdeadbeef, LOAD_LIBRARY_SEARCH_USER_DIRS, false},
      {0, FALSE, ERROR_INVALID_PARAMETER, 0, false},
      {0x100 /* LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR: LoadLibraryEx only */, FALSE, ERROR_INVALID_PARAMETER, 0, false},
      {LOAD_LIBRARY_SEARCH_SYSTEM32 | 0x8 /* LOAD_WITH_ALTERED_SEARCH_PATH */, FALSE, ERROR_INVALID_PARAMETER, 0,
       false},
  };
  for (const FlagsCase &c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << std::hex << c.flags);
    winsim::Reset();
    SetLastError(0xdeadbeef);
    EXPECT_EQ(c.result, SetDefaultDllDirectories(c.flags));
    EXPECT_EQ(c.error, GetLastError());
    EXPECT_EQ(c.in_force, winsim::DllSearchFlags());
    EXPECT_EQ(c.restricted, winsim::DllSearchRestricted());
  }
}

TEST(DllSearch, WinsimKeepsTheFlagsWhenAChangeIsRefusedAndForgetsThemOnReset) {
  winsim::Reset();
  ASSERT_TRUE(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
  EXPECT_FALSE(SetDefaultDllDirectories(0));
  EXPECT_TRUE(winsim::DllSearchRestricted()) << "a refused change leaves the search as it was";
  winsim::Reset();
  EXPECT_EQ(0u, winsim::DllSearchFlags());
  EXPECT_FALSE(winsim::DllSearchRestricted());
  EXPECT_EQ(0u, winsim::CallCount("SetDefaultDllDirectories"));
}

TEST(DllSearch, WinsimCountsTheCallsMadeBeforeTheFirstSetting) {
  winsim::Reset();
  CreateDirectoryW(L"C:\\a", nullptr);
  CreateDirectoryW(L"C:\\b", nullptr);
  ASSERT_TRUE(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS));
  CreateDirectoryW(L"C:\\c", nullptr);
  ASSERT_TRUE(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
  EXPECT_EQ(2u, winsim::CallsBeforeDllSearchSet("CreateDirectoryW")) << "taken at the first setting only";
  EXPECT_EQ(2u, winsim::CallsBeforeDllSearchSet(nullptr));
  EXPECT_EQ(0u, winsim::CallsBeforeDllSearchSet("CoInitializeEx"));
  EXPECT_TRUE(winsim::DllSearchRestricted()) << "the latest flags are in force";
}

}  // namespace
