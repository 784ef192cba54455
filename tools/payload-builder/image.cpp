// Builds the image table and computes the checksum the installer verifies.
#include "image.h"

namespace {

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

uint64_t ImageSizeFor(const std::vector<uint64_t>& entry_sizes) {
  uint64_t total = kPayloadTableSize;
  for (uint64_t size : entry_sizes) {
    // Saturate: anything this big is refused anyway.
    total = (size > UINT64_MAX - total) ? UINT64_MAX : total + size;
  }
  return total;
}

std::vector<uint8_t> BuildImage(const std::vector<PayloadEntry>& entries) {
  std::vector<uint64_t> sizes;
  for (const PayloadEntry& e : entries) sizes.push_back(e.data.size());
  std::vector<uint8_t> image(kPayloadTableSize, 0);
  image.reserve(ImageSizeFor(sizes));
  for (size_t row = 0; row < entries.size(); ++row) {
    const PayloadEntry& e = entries[row];
    const size_t at = row * kPayloadRowSize;
    PutU32(image, at, static_cast<uint32_t>(e.data.size()));
    PutU32(image, at + 4, static_cast<uint32_t>(e.filetime));
    PutU32(image, at + 8, static_cast<uint32_t>(e.filetime >> 32));
    image.insert(image.end(), e.data.begin(), e.data.end());
  }
  return image;
}

uint32_t PayloadChecksum(const uint8_t* data, size_t size) {
  uint32_t r = 0;
  for (size_t i = 0; i < size; ++i) {
    r += data[i];
    r = (r << 1) | (r >> 31);
  }
  return r;
}
