// winsim's own world: drives, shares, rooted and relative paths, configured free space.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "common/test_support.h"

namespace {

using testing_support::W;

TEST(WinsimPaths, FormsOfPathsLandInTheirVolume) {
  winsim::Reset();
  winsim::AddDrive('D', 1000);
  winsim::AddShare("server", "share", 5000);
  struct Case {
    const char *make, *seen_as;
  } cases[] = {
      {"D:\\Apps", "d:\\apps\\"},
      {"\\\\Server\\Share\\dir", "\\\\server\\share\\DIR"},
      {"\\rooted", "C:\\Rooted"},
      {"relative", "c:/relative/"},
      {"C:\\x\\..\\y", "C:\\y"},
      {"C:\\trail. ", "C:\\trail"},
  };
  for (const Case &c : cases) {
    EXPECT_TRUE(CreateDirectoryW(W(c.make).data(), nullptr)) << c.make;
    EXPECT_TRUE(winsim::FolderExists(c.seen_as)) << c.make << " seen as " << c.seen_as;
  }
  EXPECT_FALSE(CreateDirectoryW(L"E:\\nodrive", nullptr));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_FALSE(CreateDirectoryW(L"\\\\nobody\\share\\x", nullptr));
  EXPECT_EQ((DWORD)ERROR_BAD_NETPATH, GetLastError());
  EXPECT_FALSE(CreateDirectoryW(L"C:\\bad|name", nullptr));
  EXPECT_EQ((DWORD)ERROR_INVALID_NAME, GetLastError());
}

TEST(WinsimPaths, FreeSpaceIsPerVolume) {
  winsim::Reset();
  winsim::AddDrive('D', 1234);
  winsim::SetFreeSpace('C', 1ull << 52);
  ULARGE_INTEGER got;
  ASSERT_TRUE(GetDiskFreeSpaceExW(L"D:\\", &got, nullptr, nullptr));
  EXPECT_EQ(1234u, got.QuadPart);
  ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &got, nullptr, nullptr));
  EXPECT_EQ(1ull << 52, got.QuadPart);
  winsim::FailPath("GetDiskFreeSpaceExW", "c:/", ERROR_ACCESS_DENIED);
  EXPECT_FALSE(GetDiskFreeSpaceExW(L"C:\\", &got, nullptr, nullptr));
  EXPECT_TRUE(GetDiskFreeSpaceExW(L"D:\\", &got, nullptr, nullptr));
}

}  // namespace
