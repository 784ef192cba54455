// CreateDirectoryChain's prefix rule for every form of path, seen through the platform calls
// it makes: which prefixes are queried and which folders are created.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "common/test_support.h"
#include "install/install.h"

namespace {

using testing_support::W;

TEST(CreateDirectoryChainForms, Table) {
  struct Case {
    const char *path;
    unsigned queries, creations;
    const char *made;
  } cases[] = {
      {"C:\\A\\B\\file.exe", 2, 2, "C:\\A\\B"},          // C:\ is not touched
      {"C:\\A\\B\\file.exe", 2, 0, "C:\\A\\B"},          // all there: queries only
      {"\\\\server\\share\\dir\\x", 2, 1, "\\\\server\\share\\dir"},  // the share root is tested
      {"\\rooted\\x", 1, 1, "C:\\rooted"},               // the root is not treated
      {"rel\\sub\\x", 2, 2, "C:\\work\\rel\\sub"},        // relative to the current folder C:\work
      {"C:\\", 0, 0, "C:\\"},
  };
  testing_support::NewTestFolder();
  winsim::AddShare("server", "share", 1 << 30);
  winsim::SetCurrentFolder("C:\\work");
  for (const Case &c : cases) {
    unsigned q = winsim::CallCount("GetFileAttributesW"), m = winsim::CallCount("CreateDirectoryW");
    EXPECT_TRUE(CreateDirectoryChain(W(c.path).data())) << c.path;
    EXPECT_EQ(c.queries, winsim::CallCount("GetFileAttributesW") - q) << c.path;
    EXPECT_EQ(c.creations, winsim::CallCount("CreateDirectoryW") - m) << c.path;
    EXPECT_TRUE(winsim::FolderExists(c.made)) << c.path;
  }
}

TEST(CreateDirectoryChainForms, StopsAtTheFirstFolderThatCannotBeMade) {
  testing_support::NewTestFolder();
  winsim::FailPath("CreateDirectoryW", "C:\\X\\Y\\", ERROR_ACCESS_DENIED);
  EXPECT_FALSE(CreateDirectoryChain(L"C:\\X\\Y\\Z\\w.exe"));
  EXPECT_TRUE(winsim::FolderExists("C:\\X"));
  EXPECT_FALSE(winsim::FolderExists("C:\\X\\Y\\Z"));
}

}  // namespace
