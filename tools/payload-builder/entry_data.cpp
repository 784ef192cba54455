// Reads entry files and makes filler; sizes are checked before filler is generated.
#include "entry_data.h"

#include "file_io.h"

std::vector<uint8_t> FillerBytes(unsigned row, size_t size) {
  // xorshift32; the odd multiplier spreads small row numbers over the state.
  uint32_t x = (row + 1) * 0x9E3779B9u;
  auto next = [&x] {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  };
  // Mostly copies of earlier bytes with short random runs between them, so the
  // filler compresses roughly like a program and a decoder sees both literals and matches.
  std::vector<uint8_t> out;
  out.reserve(size);
  while (out.size() < size) {
    const uint32_t r = next();
    if (out.size() >= 16 && (r & 3) != 0) {
      const size_t window = out.size() < 65536 ? out.size() : 65536;
      const size_t distance = 1 + next() % window;
      for (size_t n = 4 + ((r >> 2) & 63); n > 0 && out.size() < size; --n) {
        out.push_back(out[out.size() - distance]);  // overlapping copies repeat, as in LZ
      }
    } else {
      for (uint32_t n = 1 + ((r >> 2) & 7); n > 0 && out.size() < size; --n) {
        out.push_back(static_cast<uint8_t>(next() >> 24));
      }
    }
  }
  return out;
}

bool LoadEntries(const std::vector<EntrySpec>& specs, std::vector<PayloadEntry>& entries,
                 std::string& error) {
  entries.assign(specs.size(), PayloadEntry());
  std::vector<uint64_t> sizes;
  for (size_t row = 0; row < specs.size(); ++row) {
    const EntrySpec& spec = specs[row];
    entries[row].filetime = spec.filetime;
    if (spec.is_filler) {
      sizes.push_back(spec.filler_size);
      continue;
    }
    if (!ReadWholeFile(spec.path, kPayloadMaxImageSize, entries[row].data, error)) return false;
    sizes.push_back(entries[row].data.size());
  }

  const uint64_t image_size = ImageSizeFor(sizes);
  if (image_size > kPayloadMaxImageSize) {
    error = "image would be " + std::to_string(image_size) + " bytes, more than the " +
            std::to_string(kPayloadMaxImageSize) + " allowed";
    return false;
  }
  for (size_t row = 0; row < specs.size(); ++row) {
    if (specs[row].is_filler) {
      entries[row].data = FillerBytes(static_cast<unsigned>(row), specs[row].filler_size);
    }
  }
  return true;
}
