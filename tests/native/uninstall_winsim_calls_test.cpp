// winsim's calls added for the uninstaller, against the platform's documented behaviour:
// GetModuleFileNameW, MoveFileExW (now and at restart), FindFirstFileW/FindNextFileW/FindClose.
// Outputs are poisoned first, so untouched and written can be told apart.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include <cstring>

namespace {

using winsim::Utf8;
using winsim::Wide;

const DWORD kPoisonError = 0xdeadbeef;

TEST(WinsimModulePath, AnswersWhatTheTestSet) {
  struct Case {
    const char *name;
    std::string set;  // "" keeps the default
    HMODULE module;
    DWORD size;
    DWORD result;
    std::string text;
    DWORD error;  // last error afterwards
  } cases[] = {
      {"default", "", nullptr, MAX_PATH, 21, "C:\\winsim\\program.exe", kPoisonError},
      {"own handle", "D:\\Apps\\uninstall.exe", GetModuleHandleW(nullptr), MAX_PATH, 21, "D:\\Apps\\uninstall.exe",
       kPoisonError},
      {"exactly fits", "C:\\a\\b.exe", nullptr, 11, 10, "C:\\a\\b.exe", kPoisonError},
      {"one unit short: cut and terminated", "C:\\a\\b.exe", nullptr, 10, 10, "C:\\a\\b.ex",
       (DWORD)ERROR_INSUFFICIENT_BUFFER},
      {"another module", "", (HMODULE)0x12340000, MAX_PATH, 0, "", 126 /* ERROR_MOD_NOT_FOUND */},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    winsim::Reset();
    if (!c.set.empty()) winsim::SetModulePath(c.set);
    WCHAR buffer[MAX_PATH + 1];
    memset(buffer, 0xff, sizeof buffer);
    SetLastError(kPoisonError);
    EXPECT_EQ(c.result, GetModuleFileNameW(c.module, buffer, c.size));
    EXPECT_EQ(c.error, GetLastError());
    if (c.result) EXPECT_EQ(c.text, Utf8(buffer));
    else EXPECT_EQ((WCHAR)0xffff, buffer[0]) << "untouched";
  }
}

TEST(WinsimModulePath, ResetForgetsTheSetPath) {
  winsim::Reset();
  winsim::SetModulePath("E:\\x.exe");
  winsim::Reset();
  WCHAR buffer[MAX_PATH];
  ASSERT_NE(0u, GetModuleFileNameW(nullptr, buffer, MAX_PATH));
  EXPECT_EQ("C:\\winsim\\program.exe", Utf8(buffer));
}

std::vector<std::string> MultiSz(const std::vector<uint8_t> &data) {
  std::vector<std::string> out;
  std::vector<WCHAR> units(data.size() / 2);
  memcpy(units.data(), data.data(), units.size() * 2);
  std::string current;
  size_t start = 0;
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i]) continue;
    units[i] = 0;
    out.push_back(Utf8(units.data() + start));
    start = i + 1;
  }
  return out;
}

TEST(WinsimMoveFile, AtRestartIsRecordedInOrderAndInTheRegistry) {
  winsim::Reset();
  winsim::WriteWholeFile("C:\\Apps\\a.exe", {1});
  EXPECT_TRUE(MoveFileExW(L"C:\\Apps\\a.exe", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_TRUE(MoveFileExW(L"C:\\Apps\\b.txt", L"C:\\Apps\\c.txt", MOVEFILE_DELAY_UNTIL_REBOOT))
      << "the source is not looked at now";
  EXPECT_TRUE(MoveFileExW(L"C:\\Apps", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  std::vector<winsim::PendingRename> pending = winsim::PendingRenames();
  ASSERT_EQ(3u, pending.size());
  EXPECT_EQ("C:\\Apps\\a.exe", pending[0].from);
  EXPECT_EQ("", pending[0].to);
  EXPECT_EQ("C:\\Apps\\c.txt", pending[1].to);
  EXPECT_EQ("C:\\Apps", pending[2].from);
  EXPECT_TRUE(winsim::FileExists("C:\\Apps\\a.exe")) << "nothing happens before the restart";

  DWORD type = 0;
  std::vector<uint8_t> data;
  ASSERT_TRUE(winsim::RegistryValue("HKLM\\System\\CurrentControlSet\\Control\\Session Manager",
                                    "PendingFileRenameOperations", &type, &data));
  EXPECT_EQ((DWORD)REG_MULTI_SZ, type);
  EXPECT_EQ((std::vector<std::string>{"\\??\\C:\\Apps\\a.exe", "", "\\??\\C:\\Apps\\b.txt", "\\??\\C:\\Apps\\c.txt",
                                      "\\??\\C:\\Apps", "", ""}),
            MultiSz(data));

  winsim::Reset();
  EXPECT_TRUE(winsim::PendingRenames().empty());
}

TEST(WinsimMoveFile, Refusals) {
  struct Case {
    const char *name;
    const char *from;
    const char *to;  // null: none
    DWORD flags;
    DWORD error;
  } cases[] = {
      {"at restart, copying allowed", "C:\\d\\a.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_COPY_ALLOWED,
       ERROR_INVALID_PARAMETER},
      {"at restart, a malformed path", "C:\\d\\a|b.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT, ERROR_INVALID_NAME},
      {"now, without a target", "C:\\d\\a.txt", nullptr, 0, ERROR_INVALID_PARAMETER},
      {"now, a missing source", "C:\\d\\none.txt", "C:\\d\\x.txt", 0, ERROR_FILE_NOT_FOUND},
      {"now, a missing source folder", "C:\\none\\a.txt", "C:\\d\\x.txt", 0, ERROR_PATH_NOT_FOUND},
      {"now, onto an existing file", "C:\\d\\a.txt", "C:\\d\\b.txt", 0, ERROR_ALREADY_EXISTS},
      {"now, into a missing folder", "C:\\d\\a.txt", "C:\\none\\a.txt", 0, ERROR_PATH_NOT_FOUND},
      {"now, to another volume", "C:\\d\\a.txt", "D:\\a.txt", 0, ERROR_NOT_SAME_DEVICE},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    winsim::Reset();
    winsim::AddDrive('D', 1 << 20);
    winsim::WriteWholeFile("C:\\d\\a.txt", {'a'});
    winsim::WriteWholeFile("C:\\d\\b.txt", {'b'});
    SetLastError(kPoisonError);
    EXPECT_FALSE(MoveFileExW(Wide(c.from).data(), c.to ? Wide(c.to).data() : nullptr, c.flags));
    EXPECT_EQ(c.error, GetLastError());
    EXPECT_TRUE(winsim::PendingRenames().empty());
    EXPECT_TRUE(winsim::FileExists("C:\\d\\a.txt"));
  }
}

TEST(WinsimMoveFile, NowRenamesWithinAVolume) {
  winsim::Reset();
  winsim::WriteWholeFile("C:\\d\\a.txt", {'a'});
  winsim::WriteWholeFile("C:\\d\\b.txt", {'b'});
  EXPECT_TRUE(MoveFileExW(L"C:\\d\\a.txt", L"C:\\d\\c.txt", 0));
  EXPECT_FALSE(winsim::FileExists("C:\\d\\a.txt"));
  EXPECT_TRUE(MoveFileExW(L"C:\\d\\c.txt", L"C:\\d\\B.TXT", MOVEFILE_REPLACE_EXISTING));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(winsim::ReadWholeFile("C:\\d\\b.txt", &bytes));
  EXPECT_EQ(std::vector<uint8_t>{'a'}, bytes);
  EXPECT_TRUE(MoveFileExW(L"C:\\d", L"C:\\e", 0)) << "a folder too";
  EXPECT_TRUE(winsim::FolderExists("C:\\e"));
}

std::vector<std::string> List(const char *pattern, DWORD *error) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  memset(&data, 0xff, sizeof data);
  SetLastError(kPoisonError);
  HANDLE find = FindFirstFileW(Wide(pattern).data(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return names;
  }
  do {
    std::string name = Utf8(data.cFileName);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += "\\";
    names.push_back(name);
    memset(&data, 0xff, sizeof data);
  } while (FindNextFileW(find, &data));
  *error = GetLastError();
  EXPECT_TRUE(FindClose(find));
  return names;
}

TEST(WinsimFindFile, ListsMatchingEntriesInNameOrder) {
  struct Case {
    const char *pattern;
    std::vector<std::string> names;
    DWORD error;
  } cases[] = {
      {"C:\\App\\*", {".\\", "..\\", "b.exe", "C.txt", "notes", "Sub\\"}, ERROR_NO_MORE_FILES},
      {"C:\\App\\*.*", {".\\", "..\\", "b.exe", "C.txt", "notes", "Sub\\"}, ERROR_NO_MORE_FILES},
      {"C:\\App\\*.EXE", {"b.exe"}, ERROR_NO_MORE_FILES},
      {"C:\\App\\?.txt", {"C.txt"}, ERROR_NO_MORE_FILES},
      {"c:/app/SUB", {"Sub\\"}, ERROR_NO_MORE_FILES},
      {"C:\\App\\*.dll", {}, ERROR_FILE_NOT_FOUND},
      {"C:\\None\\*", {}, ERROR_PATH_NOT_FOUND},
      {"C:\\App\\", {}, ERROR_FILE_NOT_FOUND},
  };
  winsim::Reset();
  winsim::WriteWholeFile("C:\\App\\b.exe", {1, 2, 3});
  winsim::WriteWholeFile("C:\\App\\C.txt", {});
  winsim::WriteWholeFile("C:\\App\\notes", {});
  winsim::WriteWholeFile("C:\\App\\Sub\\x", {});
  for (const Case &c : cases) {
    SCOPED_TRACE(c.pattern);
    DWORD error = 0;
    EXPECT_EQ(c.names, List(c.pattern, &error));
    EXPECT_EQ(c.error, error);
    EXPECT_EQ(0u, winsim::OpenFindCount());
  }
}

TEST(WinsimFindFile, FillsTheEntryAndKnowsItsHandles) {
  winsim::Reset();
  winsim::WriteWholeFile("C:\\App\\b.exe", {1, 2, 3});
  SetFileAttributesW(L"C:\\App\\b.exe", FILE_ATTRIBUTE_READONLY);
  WIN32_FIND_DATAW data;
  memset(&data, 0xff, sizeof data);
  HANDLE find = FindFirstFileW(L"C:\\App\\b.exe", &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, find);
  EXPECT_EQ(1u, winsim::OpenFindCount());
  EXPECT_EQ((DWORD)(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY), data.dwFileAttributes);
  EXPECT_EQ(3u, data.nFileSizeLow);
  EXPECT_EQ(0u, data.nFileSizeHigh);
  EXPECT_EQ(winsim::LastWriteTime("C:\\App\\b.exe"),
            ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime);
  EXPECT_EQ("b.exe", Utf8(data.cFileName));
  EXPECT_EQ(0, data.cAlternateFileName[0]);
  SetLastError(kPoisonError);
  EXPECT_FALSE(FindNextFileW(find, &data));
  EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError());
  EXPECT_TRUE(FindClose(find));
  EXPECT_EQ(0u, winsim::OpenFindCount());
  SetLastError(kPoisonError);
  EXPECT_FALSE(FindClose(find));
  EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());

  // A volume's root has no "." and "..".
  DWORD error = 0;
  std::vector<std::string> root = List("C:\\*", &error);
  EXPECT_TRUE(std::find(root.begin(), root.end(), ".\\") == root.end());
  EXPECT_TRUE(std::find(root.begin(), root.end(), "App\\") != root.end());
}

}  // namespace
