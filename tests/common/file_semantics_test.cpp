// The file rules the installer relies on, checked the same way on winsim and on the real
// platform: CREATE_ALWAYS truncation and its last error, share mode 0, case-insensitive names,
// both separators, attributes of folders and files, folder creation results.
#include <gtest/gtest.h>

#include "common/test_support.h"

namespace {

using namespace testing_support;

HANDLE Open(const std::string &path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileW(W(path).data(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(FileSemantics, CreateAlwaysTruncatesAndReportsAnExistingFile) {
  std::string dir = NewTestFolder();
  ASSERT_TRUE(WriteBytes(dir + "f.bin", std::vector<uint8_t>(100, 7)));
  SetLastError(0xdeadbeef);
  HANDLE h = Open(dir + "f.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
  CloseHandle(h);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadBytes(dir + "f.bin", &bytes));
  EXPECT_TRUE(bytes.empty());

  SetLastError(0xdeadbeef);
  h = Open(dir + "new.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ((DWORD)ERROR_SUCCESS, GetLastError());
  CloseHandle(h);
}

TEST(FileSemantics, ShareModeZeroKeepsOthersOut) {
  std::string dir = NewTestFolder();
  HANDLE h = Open(dir + "locked.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  struct Case {
    DWORD access, share;
  } cases[] = {{GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
               {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE}};
  for (const Case &c : cases) {
    SetLastError(0xdeadbeef);
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(dir + "LOCKED.bin", c.access, c.share, OPEN_EXISTING));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, GetLastError()) << "access " << std::hex << c.access;
  }
  EXPECT_FALSE(DeleteFileW(W(dir + "locked.bin").data()));
  CloseHandle(h);
  EXPECT_TRUE(DeleteFileW(W(dir + "locked.bin").data()));
}

TEST(FileSemantics, NamesIgnoreCaseAndBothSeparatorsWork) {
  std::string dir = NewTestFolder();
  ASSERT_TRUE(CreateDirectoryW(W(dir + "Sub").data(), nullptr));
  ASSERT_TRUE(WriteBytes(dir + "Sub\\Mixed.TXT", {1, 2, 3}));
  std::vector<uint8_t> bytes;
  std::string slashed = dir + "sub/mixed.txt";
  EXPECT_TRUE(ReadBytes(slashed, &bytes));
  EXPECT_EQ(3u, bytes.size());
  EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(W(dir + "SUB\\").data()) & FILE_ATTRIBUTE_DIRECTORY);
  DWORD file_attributes = GetFileAttributesW(W(dir + "sub\\mixed.txt").data());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, file_attributes);
  EXPECT_EQ(0u, file_attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FileSemantics, MissingThingsAndFolderCreation) {
  std::string dir = NewTestFolder();
  SetLastError(0xdeadbeef);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(W(dir + "nothing").data()));
  EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
  SetLastError(0xdeadbeef);
  EXPECT_EQ(INVALID_HANDLE_VALUE, Open(dir + "no\\such.bin", GENERIC_WRITE, 0, CREATE_ALWAYS));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CreateDirectoryW(W(dir + "a\\b").data(), nullptr));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_TRUE(CreateDirectoryW(W(dir + "a").data(), nullptr));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CreateDirectoryW(W(dir + "A\\").data(), nullptr));
  EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
  ASSERT_TRUE(WriteBytes(dir + "file", {1}));
  EXPECT_FALSE(CreateDirectoryW(W(dir + "file").data(), nullptr));
  EXPECT_FALSE(CreateDirectoryW(W(dir + "file\\sub").data(), nullptr));
  ULARGE_INTEGER free_bytes;
  free_bytes.QuadPart = 0;
  EXPECT_TRUE(GetDiskFreeSpaceExW(W(dir).data(), &free_bytes, nullptr, nullptr));
  EXPECT_GT(free_bytes.QuadPart, 0u);
  EXPECT_FALSE(GetDiskFreeSpaceExW(W(dir + "not-there\\").data(), &free_bytes, nullptr, nullptr));
}

}  // namespace
