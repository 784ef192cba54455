// Drives liblzma encoders over an in-memory buffer.
#include "lzma_codec.h"

namespace {

std::string LzmaError(const char* what, lzma_ret ret) {
  return std::string(what) + " failed (liblzma code " + std::to_string(static_cast<int>(ret)) +
         ")";
}

// Feeds all of `input` with LZMA_FINISH and collects everything the encoder writes.
bool RunToEnd(lzma_stream& strm, const std::vector<uint8_t>& input, std::vector<uint8_t>& out,
              std::string& error) {
  out.assign(input.size() / 2 + 65536, 0);
  strm.next_in = input.data();
  strm.avail_in = input.size();
  strm.next_out = out.data();
  strm.avail_out = out.size();
  for (;;) {
    const lzma_ret ret = lzma_code(&strm, LZMA_FINISH);
    if (ret == LZMA_STREAM_END) break;
    if (ret != LZMA_OK) {
      error = LzmaError("LZMA encoding", ret);
      lzma_end(&strm);
      return false;
    }
    if (strm.avail_out == 0) {
      const size_t used = out.size();
      out.resize(used * 2);
      strm.next_out = out.data() + used;
      strm.avail_out = out.size() - used;
    }
  }
  out.resize(strm.total_out);
  lzma_end(&strm);
  return true;
}

}  // namespace

uint32_t NiceDictSize(uint64_t image_size) {
  uint64_t power = 4096;
  for (;;) {
    if (image_size <= power) return static_cast<uint32_t>(power);
    if (image_size <= power / 2 * 3) return static_cast<uint32_t>(power / 2 * 3);
    power *= 2;
  }
}

bool EncodeRawLzma1(const std::vector<uint8_t>& input, const lzma_options_lzma& options,
                    std::vector<uint8_t>& stream, std::string& error) {
  lzma_options_lzma opts = options;  // liblzma wants a non-const pointer
  const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &opts}, {LZMA_VLI_UNKNOWN, nullptr}};
  lzma_stream strm = LZMA_STREAM_INIT;
  const lzma_ret ret = lzma_raw_encoder(&strm, filters);
  if (ret != LZMA_OK) {
    error = LzmaError("lzma_raw_encoder", ret);
    return false;
  }
  return RunToEnd(strm, input, stream, error);
}

bool EncodeLzma1Properties(const lzma_options_lzma& options, uint8_t out[kLzmaPropertiesSize],
                           std::string& error) {
  lzma_options_lzma opts = options;
  const lzma_filter filter = {LZMA_FILTER_LZMA1, &opts};
  uint32_t props_size = 0;
  lzma_ret ret = lzma_properties_size(&props_size, &filter);
  if (ret == LZMA_OK && props_size != kLzmaPropertiesSize) ret = LZMA_PROG_ERROR;
  if (ret == LZMA_OK) ret = lzma_properties_encode(&filter, out);
  if (ret != LZMA_OK) {
    error = LzmaError("lzma_properties_encode", ret);
    return false;
  }
  return true;
}

bool ReferenceStreamSize(const std::vector<uint8_t>& input, uint64_t& size, std::string& error) {
  lzma_options_lzma opts;
  if (lzma_lzma_preset(&opts, 9 | LZMA_PRESET_EXTREME)) {
    error = "liblzma does not know preset 9e";
    return false;
  }
  lzma_stream strm = LZMA_STREAM_INIT;
  const lzma_ret ret = lzma_alone_encoder(&strm, &opts);
  if (ret != LZMA_OK) {
    error = LzmaError("lzma_alone_encoder", ret);
    return false;
  }
  std::vector<uint8_t> out;
  if (!RunToEnd(strm, input, out, error)) return false;
  size = out.size() - kLzmaAloneHeaderSize;
  return true;
}
