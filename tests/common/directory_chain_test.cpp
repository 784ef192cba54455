// CreateDirectoryChain against the platform's folders: nested creation up to the last
// separator, existing folders, a file in the way, both separators, the MAX_PATH refusal.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "install/install.h"

namespace {

using namespace testing_support;

bool IsFolder(const std::string &path) {
  DWORD a = GetFileAttributesW(W(path).data());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CreateDirectoryChain, MakesEveryFolderUpToTheLastSeparator) {
  std::string base = NewTestFolder();
  struct Case {
    const char *path;           // below the test folder
    const char *made;           // the deepest folder that must exist afterwards
    const char *not_a_folder;   // must not exist as a folder
  } cases[] = {
      {"A\\B\\file.exe", "A\\B", "A\\B\\file.exe"},
      {"C\\D\\", "C\\D", nullptr},
      {"E/F\\G/x", "E\\F\\G", "E\\F\\G\\x"},
      {"A\\B\\C\\", "A\\B\\C", nullptr},  // A and B exist already
  };
  for (const Case &c : cases) {
    EXPECT_TRUE(CreateDirectoryChain(W(base + c.path).data())) << c.path;
    EXPECT_TRUE(IsFolder(base + c.made)) << c.path;
    if (c.not_a_folder) {
      EXPECT_FALSE(Exists(base + c.not_a_folder)) << c.path;
    }
  }
}

TEST(CreateDirectoryChain, AFileInTheWayStopsIt) {
  std::string base = NewTestFolder();
  ASSERT_TRUE(WriteBytes(base + "blocker", {1}));
  EXPECT_FALSE(CreateDirectoryChain(W(base + "blocker\\below\\x").data()));
  EXPECT_FALSE(Exists(base + "blocker\\below"));
}

TEST(CreateDirectoryChain, EmptyPathIsDoneAndLongPathsAreRefused) {
  std::string base = NewTestFolder();
  EXPECT_TRUE(CreateDirectoryChain(W("").data()));
  std::string long_path = base + std::string(MAX_PATH, 'x') + "\\";
  EXPECT_FALSE(CreateDirectoryChain(W(long_path).data()));
  std::string just_below = base + "y\\";
  just_below += std::string(MAX_PATH - 1 - just_below.size(), 'z');  // 259 characters: a file name
  EXPECT_TRUE(CreateDirectoryChain(W(just_below).data()));
  EXPECT_TRUE(IsFolder(base + "y"));
}

}  // namespace
