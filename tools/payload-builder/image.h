// Layout of the decoded payload image: a table of ten rows, then the entries' bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr unsigned kPayloadRows = 10;
constexpr uint32_t kPayloadRowSize = 12;
constexpr uint32_t kPayloadTableSize = kPayloadRows * kPayloadRowSize;  // 120
constexpr uint64_t kPayloadMaxImageSize = 4u * 1024u * 1024u;

// Row 0 is the licence and row 9 the uninstaller: neither has a time.
inline bool RowTakesFiletime(unsigned row) { return row >= 1 && row <= 8; }

struct PayloadEntry {
  std::vector<uint8_t> data;
  uint64_t filetime = 0;
};

// Image size for these entry sizes, computed in 64 bits so huge inputs cannot wrap.
uint64_t ImageSizeFor(const std::vector<uint64_t>& entry_sizes);

// Table then data; the caller has checked the size limit.
std::vector<uint8_t> BuildImage(const std::vector<PayloadEntry>& entries);

// r += b, then rotate r left by one, for every byte.
uint32_t PayloadChecksum(const uint8_t* data, size_t size);
