// The shell link object end to end: fields set through IShellLinkW, saved through
// IPersistFile into the simulated file system, read back by the test's own .lnk reader and by
// Debian's lnkinfo; save failures come back as the platform's HRESULTs.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <winsim_test.h>

#include <cstdio>
#include <cstdlib>

#include "common/lnk_reader.h"
#include "common/test_support.h"

namespace {

using testing_support::W;

const char kStartMenu[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

struct Com {
  Com() { EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  ~Com() { CoUninitialize(); }
};

IShellLinkW *NewLink(const std::string &target) {
  IShellLinkW *link = nullptr;
  EXPECT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void **)&link));
  if (link && !target.empty()) {
    EXPECT_EQ(S_OK, link->SetPath(W(target).data()));
  }
  return link;
}

// Saves through IPersistFile and releases everything, as the installer does.
HRESULT SaveLink(IShellLinkW *link, const std::string &path) {
  IPersistFile *file = nullptr;
  HRESULT hr = link->QueryInterface(IID_IPersistFile, (void **)&file);
  if (SUCCEEDED(hr)) {
    hr = file->Save(W(path).data(), TRUE);
    file->Release();
  }
  link->Release();
  return hr;
}

TEST(WinsimShellLink, SavedLinkCarriesTargetAndFields) {
  winsim::Reset();
  Com com;
  winsim::WriteWholeFile("C:\\Program Files\\Tevorlyn\\app.exe", {'M', 'Z'});
  IShellLinkW *link = NewLink("C:\\Program Files\\Tevorlyn\\app.exe");
  ASSERT_NE(nullptr, link);
  EXPECT_EQ(S_OK, link->SetDescription(L"Tevorlyn App"));
  EXPECT_EQ(S_OK, link->SetWorkingDirectory(L"C:\\Program Files\\Tevorlyn"));
  EXPECT_EQ(S_OK, link->SetArguments(L"--start"));
  EXPECT_EQ(S_OK, link->SetIconLocation(L"C:\\Program Files\\Tevorlyn\\app.exe", 2));
  WCHAR back[MAX_PATH];
  EXPECT_EQ(S_OK, link->GetPath(back, MAX_PATH, nullptr, 0));
  EXPECT_EQ("C:\\Program Files\\Tevorlyn\\app.exe", winsim::Utf8(back));
  const std::string where = std::string(kStartMenu) + "\\Tevorlyn App.lnk";
  ASSERT_EQ(S_OK, SaveLink(link, where));
  EXPECT_EQ(0u, winsim::LiveComObjects());
  EXPECT_EQ(0u, winsim::OpenHandleCount());

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(winsim::ReadWholeFile(where, &bytes));
  testing_support::LinkFile read;
  ASSERT_TRUE(testing_support::ReadLinkFile(bytes, &read));
  EXPECT_EQ("C:\\Program Files\\Tevorlyn\\app.exe", read.target);
  EXPECT_EQ(0x2u | 0x80u, read.flags & 0x83u) << "HasLinkInfo and IsUnicode, no item list";
  EXPECT_EQ((uint32_t)FILE_ATTRIBUTE_ARCHIVE, read.attributes);
  EXPECT_EQ(1u, read.show_command) << "SW_SHOWNORMAL";
  EXPECT_EQ("Tevorlyn App", read.description);
  EXPECT_EQ("C:\\Program Files\\Tevorlyn", read.working_dir);
  EXPECT_EQ("--start", read.arguments);
  EXPECT_EQ("C:\\Program Files\\Tevorlyn\\app.exe", read.icon_location);
  EXPECT_EQ(2, read.icon_index);
}

TEST(WinsimShellLink, TargetsOfEveryFormReadBack) {
  struct Case {
    const char *row;
    std::string target;
  } cases[] = {
      {"local file", "C:\\Program Files\\Tevorlyn\\app.exe"},
      {"drive root", "D:\\"},
      {"beyond ANSI", "C:\\Programme\\T\xc3\xa9vorlyn \xe2\x82\xac\\app.exe"},
      {"UNC share with suffix", "\\\\server\\share\\apps\\app.exe"},
      {"UNC share alone", "\\\\server\\share"},
  };
  for (const Case &c : cases) {
    winsim::Reset();
    Com com;
    ASSERT_EQ(S_OK, SaveLink(NewLink(c.target), "C:\\x.lnk")) << c.row;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(winsim::ReadWholeFile("C:\\x.lnk", &bytes)) << c.row;
    std::string target;
    EXPECT_TRUE(testing_support::ReadLinkTarget(bytes, &target)) << c.row;
    EXPECT_EQ(c.target, target) << c.row;
  }
}

TEST(WinsimShellLink, ExistingLinkIsOverwritten) {
  winsim::Reset();
  Com com;
  winsim::WriteWholeFile("C:\\x.lnk", std::vector<uint8_t>(4096, 0xEE));
  ASSERT_EQ(S_OK, SaveLink(NewLink("C:\\a.exe"), "C:\\x.lnk"));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(winsim::ReadWholeFile("C:\\x.lnk", &bytes));
  EXPECT_LT(bytes.size(), 4096u);
  std::string target;
  EXPECT_TRUE(testing_support::ReadLinkTarget(bytes, &target));
  EXPECT_EQ("C:\\a.exe", target);
}

TEST(WinsimShellLink, SaveFailuresComeBackAsHresults) {
  struct Case {
    const char *row;
    void (*arrange)();
    std::string path;
    HRESULT result;
  } cases[] = {
      {"missing folder", [] {}, "C:\\No\\Such\\Folder\\x.lnk", (HRESULT)0x80070003},
      {"unknown drive", [] {}, "Q:\\x.lnk", (HRESULT)0x80070003},
      {"injected save fault", [] { winsim::FailCall("IPersistFile::Save", 1, ERROR_DISK_FULL); }, "C:\\x.lnk",
       HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
      {"injected HRESULT", [] { winsim::FailCall("IPersistFile::Save", 1, (DWORD)E_OUTOFMEMORY); }, "C:\\x.lnk",
       E_OUTOFMEMORY},
      {"file cannot be created", [] { winsim::FailPath("CreateFileW", "c:/X.LNK", ERROR_ACCESS_DENIED); }, "C:\\x.lnk",
       HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
      {"write fails", [] { winsim::FailCall("WriteFile", 1, ERROR_HANDLE_DISK_FULL); }, "C:\\x.lnk",
       HRESULT_FROM_WIN32(ERROR_HANDLE_DISK_FULL)},
      {"write falls short", [] { winsim::ShortWrite(1, 10); }, "C:\\x.lnk", HRESULT_FROM_WIN32(ERROR_WRITE_FAULT)},
  };
  for (const Case &c : cases) {
    winsim::Reset();
    Com com;
    c.arrange();
    EXPECT_EQ(c.result, SaveLink(NewLink("C:\\a.exe"), c.path)) << c.row;
    EXPECT_EQ(0u, winsim::LiveComObjects()) << c.row;
    EXPECT_EQ(0u, winsim::OpenHandleCount()) << c.row;
  }
  winsim::Reset();
  EXPECT_EQ((HRESULT)0x80070003, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

TEST(WinsimShellLink, OpenLinkFileMeansASharingViolation) {
  winsim::Reset();
  Com com;
  winsim::WriteWholeFile("C:\\x.lnk", {1});
  HANDLE held = CreateFileW(L"C:\\x.lnk", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), SaveLink(NewLink("C:\\a.exe"), "C:\\x.lnk"));
  CloseHandle(held);
}

TEST(WinsimShellLink, RememberedFileAndDirtyState) {
  winsim::Reset();
  Com com;
  IShellLinkW *link = NewLink("");
  IPersistFile *file = nullptr;
  ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, (void **)&file));
  EXPECT_EQ(S_FALSE, file->IsDirty());
  EXPECT_EQ(S_OK, link->SetPath(L"C:\\a.exe"));
  EXPECT_EQ(S_OK, file->IsDirty());
  EXPECT_EQ(E_INVALIDARG, file->Save(nullptr, TRUE)) << "no name given and none remembered";
  ASSERT_EQ(S_OK, file->Save(L"C:\\first.lnk", FALSE));
  EXPECT_EQ(S_OK, file->IsDirty()) << "a save that is not remembered leaves the object dirty";
  ASSERT_EQ(S_OK, file->Save(L"C:\\second.lnk", TRUE));
  EXPECT_EQ(S_FALSE, file->IsDirty());
  LPOLESTR current = nullptr;
  ASSERT_EQ(S_OK, file->GetCurFile(&current));
  EXPECT_EQ("C:\\second.lnk", winsim::Utf8(current));
  CoTaskMemFree(current);
  EXPECT_EQ(0u, winsim::LiveTaskAllocations());
  EXPECT_EQ(E_INVALIDARG, link->SetPath(nullptr));
  file->Release();
  link->Release();
}

TEST(WinsimShellLink, LinkWithoutTargetHasNoLinkInfo) {
  winsim::Reset();
  Com com;
  ASSERT_EQ(S_OK, SaveLink(NewLink(""), "C:\\empty.lnk"));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(winsim::ReadWholeFile("C:\\empty.lnk", &bytes));
  testing_support::LinkFile read;
  ASSERT_TRUE(testing_support::ReadLinkFile(bytes, &read));
  EXPECT_EQ(0u, read.flags & 0x2u);
  std::string target;
  EXPECT_FALSE(testing_support::ReadLinkTarget(bytes, &target));
  EXPECT_EQ(0x4Cu + 4u, bytes.size()) << "header and terminal block only";
}

// Debian's lnkinfo (liblnk-utils) is an independent reader of the format.
TEST(WinsimShellLink, LnkinfoReadsTheTarget) {
  if (system("command -v lnkinfo >/dev/null 2>&1") != 0) GTEST_SKIP() << "lnkinfo is not on PATH";
  winsim::Reset();
  Com com;
  const std::string target = "C:\\Program Files\\Tevorlyn App Pack\\T\xc3\xa9vorlyn.exe";
  IShellLinkW *link = NewLink(target);
  link->SetDescription(L"Tevorlyn");
  ASSERT_EQ(S_OK, SaveLink(link, "C:\\check.lnk"));
  std::string command = "lnkinfo '" + winsim::HostPath("C:\\check.lnk") + "' 2>&1";
  FILE *pipe = popen(command.c_str(), "r");
  ASSERT_NE(nullptr, pipe);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  int status = pclose(pipe);
  EXPECT_EQ(0, status) << output;
  EXPECT_NE(std::string::npos, output.find("Local path\t\t\t: " + target)) << output;
  EXPECT_NE(std::string::npos, output.find("Description\t\t\t: Tevorlyn")) << output;
}

}  // namespace
