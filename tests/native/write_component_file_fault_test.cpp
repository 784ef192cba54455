// WriteComponentFile when the platform's calls fail: open, write, short write, time stamp.
// Every path closes the file it opened.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "common/test_support.h"
#include "payload/payload.h"

namespace {

using namespace testing_support;

TEST(WriteComponentFileFault, PlatformFailures) {
  struct Case {
    const char *name;
    void (*inject)();
    DWORD expected;
    long expected_bytes;  // -1: no file
    bool stamped;
  } cases[] = {
      {"open fails", [] { winsim::FailCall("CreateFileW", 1, ERROR_ACCESS_DENIED); }, WRITE_NOT_OPENED, -1, false},
      {"write fails", [] { winsim::FailCall("WriteFile", 1, ERROR_DISK_FULL); }, WRITE_SHORT, 0, false},
      {"short write", [] { winsim::ShortWrite(1, 999); }, WRITE_SHORT, 999, false},
      {"stamp fails", [] { winsim::FailCall("SetFileTime", 1, ERROR_ACCESS_DENIED); }, WRITE_OK, 4000, false},
      {"nothing fails", [] {}, WRITE_OK, 4000, true},
  };
  const uint64_t stamp = 133700000000000000ull;
  FILETIME ft = {(DWORD)stamp, (DWORD)(stamp >> 32)};
  for (const Case &c : cases) {
    std::string folder = NewTestFolder();
    OutputBuffer buffer;
    InitOutputBuffer(&buffer);
    ASSERT_NE(nullptr, AllocOutputBuffer(&buffer));
    std::string path = folder + "x.exe";
    c.inject();
    EXPECT_EQ(c.expected, WriteComponentFile(&buffer, W(path).data(), 100, 4000, &ft)) << c.name;
    EXPECT_EQ(0u, winsim::OpenHandleCount()) << c.name << ": the file was left open";
    std::vector<uint8_t> bytes;
    EXPECT_EQ(c.expected_bytes >= 0, winsim::ReadWholeFile(path, &bytes)) << c.name;
    if (c.expected_bytes >= 0) {
      EXPECT_EQ((size_t)c.expected_bytes, bytes.size()) << c.name;
      EXPECT_EQ(c.stamped, winsim::LastWriteTime(path) == stamp) << c.name;
    }
    FreeOutputBuffer(&buffer);
  }
}

TEST(WriteComponentFileFault, OneWriteStraightFromTheBlock) {
  std::string folder = NewTestFolder();
  OutputBuffer buffer;
  InitOutputBuffer(&buffer);
  ASSERT_NE(nullptr, AllocOutputBuffer(&buffer));
  EXPECT_EQ(WRITE_OK, WriteComponentFile(&buffer, W(folder + "big.exe").data(), 0, 3000000, nullptr));
  EXPECT_EQ(1u, winsim::CallCount("WriteFile"));
  FreeOutputBuffer(&buffer);
}

}  // namespace
