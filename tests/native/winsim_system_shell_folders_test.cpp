// SHGetFolderPathW: the default folders exist after Reset, tests can move them, the create
// flag makes them, and injected faults fail single calls.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <winsim_test.h>

namespace {

std::string Folder(int csidl, HRESULT *result) {
  WCHAR path[MAX_PATH];
  memset(path, 0xff, sizeof path);
  *result = SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return winsim::Utf8(path);
}

TEST(WinsimShellFolders, DefaultsExistWithoutTrailingSeparator) {
  winsim::Reset();
  struct Case {
    const char *row;
    int csidl;
    const char *path;
  } cases[] = {
      {"CSIDL_PROGRAM_FILES", CSIDL_PROGRAM_FILES, "C:\\Program Files"},
      {"CSIDL_COMMON_PROGRAMS", CSIDL_COMMON_PROGRAMS, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {"CSIDL_PROGRAMS", CSIDL_PROGRAMS, "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {"CSIDL_APPDATA", CSIDL_APPDATA, "C:\\Users\\User\\AppData\\Roaming"},
      {"CSIDL_COMMON_APPDATA", CSIDL_COMMON_APPDATA, "C:\\ProgramData"},
      {"CSIDL_DESKTOPDIRECTORY", CSIDL_DESKTOPDIRECTORY, "C:\\Users\\User\\Desktop"},
      {"CSIDL_COMMON_DESKTOPDIRECTORY", CSIDL_COMMON_DESKTOPDIRECTORY, "C:\\Users\\Public\\Desktop"},
      {"with CSIDL_FLAG_CREATE", CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, "C:\\Program Files"},
  };
  for (const Case &c : cases) {
    HRESULT hr = E_UNEXPECTED;
    EXPECT_EQ(c.path, Folder(c.csidl, &hr)) << c.row;
    EXPECT_EQ(S_OK, hr) << c.row;
    EXPECT_TRUE(winsim::FolderExists(c.path)) << c.row;
  }
  EXPECT_EQ(0u, winsim::CallCount("CreateDirectoryW")) << "set-up makes the folders without counted calls";
}

TEST(WinsimShellFolders, OverridesAndTheCreateFlag) {
  winsim::Reset();
  winsim::AddDrive('D', 1000);
  winsim::SetShellFolder(CSIDL_PROGRAM_FILES, "D:\\Programs");
  HRESULT hr = E_UNEXPECTED;
  EXPECT_EQ("D:\\Programs", Folder(CSIDL_PROGRAM_FILES, &hr));
  EXPECT_EQ(S_OK, hr);
  EXPECT_FALSE(winsim::FolderExists("D:\\Programs")) << "an override is only an answer";
  EXPECT_EQ("D:\\Programs", Folder(CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, &hr));
  EXPECT_EQ(S_OK, hr);
  EXPECT_TRUE(winsim::FolderExists("D:\\Programs"));

  winsim::SetShellFolder(CSIDL_COMMON_PROGRAMS, "Q:\\Start Menu");
  EXPECT_EQ("", Folder(CSIDL_COMMON_PROGRAMS | CSIDL_FLAG_CREATE, &hr));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), hr) << "a folder that cannot be made";
  EXPECT_EQ("", Folder(0x7f, &hr));
  EXPECT_EQ(E_INVALIDARG, hr) << "an unknown CSIDL";
}

TEST(WinsimShellFolders, FaultsFailSingleCalls) {
  winsim::Reset();
  winsim::FailCall("SHGetFolderPathW", 2, ERROR_ACCESS_DENIED);
  winsim::FailCall("SHGetFolderPathW", 3, (DWORD)0x80070005L);
  winsim::FailPath("SHGetFolderPathW", "c:/programdata", ERROR_ACCESS_DENIED);
  struct Step {
    int csidl;
    HRESULT result;
    const char *path;
  } steps[] = {
      {CSIDL_PROGRAM_FILES, S_OK, "C:\\Program Files"},
      {CSIDL_PROGRAM_FILES, E_FAIL, ""},
      {CSIDL_PROGRAM_FILES, (HRESULT)0x80070005L, ""},
      {CSIDL_COMMON_APPDATA, E_FAIL, ""},
      {CSIDL_PROGRAM_FILES, S_OK, "C:\\Program Files"},
  };
  for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
    HRESULT hr = E_UNEXPECTED;
    EXPECT_EQ(steps[i].path, Folder(steps[i].csidl, &hr)) << "call " << i + 1;
    EXPECT_EQ(steps[i].result, hr) << "call " << i + 1;
  }
}

}  // namespace
