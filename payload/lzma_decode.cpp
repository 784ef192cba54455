/// \file
/// The one call into liblzma: a raw LZMA1 decoder set up from the five stored property
/// bytes, run once over the whole stream. Only the byte count is taken back; the decoder's
/// verdict is deliberately not consulted (the size and checksum tests decide).
#include <lzma.h>

#include "payload/payload.h"

static void *LzmaAlloc(void *, size_t count, size_t size) {
  if (size != 0 && count > (size_t)-1 / size) return NULL;
  return HeapAlloc(GetProcessHeap(), 0, count * size);
}

static void LzmaFree(void *, void *block) {
  if (block) HeapFree(GetProcessHeap(), 0, block);
}

DWORD DecodePayloadStream(const BYTE *stored, DWORD stored_size, BYTE *out, DWORD out_limit) {
  if (stored_size < PAYLOAD_PROPERTIES_SIZE) return 0;
  const lzma_allocator allocator = {LzmaAlloc, LzmaFree, NULL};
  lzma_filter filters[2];
  filters[0].id = LZMA_FILTER_LZMA1;
  filters[0].options = NULL;
  filters[1].id = LZMA_VLI_UNKNOWN;
  filters[1].options = NULL;
  // An invalid properties byte or dictionary size stops here with nothing produced.
  if (lzma_properties_decode(&filters[0], &allocator, stored, PAYLOAD_PROPERTIES_SIZE) != LZMA_OK) return 0;
  // No match can reach further back than the output's limit, so a larger dictionary is never
  // used: a damaged size field must not make the decoder ask for up to 4 GiB.
  lzma_options_lzma *options = (lzma_options_lzma *)filters[0].options;
  if (options->dict_size > out_limit) options->dict_size = out_limit > LZMA_DICT_SIZE_MIN ? out_limit : LZMA_DICT_SIZE_MIN;

  DWORD produced = 0;
  lzma_stream stream = LZMA_STREAM_INIT;
  stream.allocator = &allocator;
  if (lzma_raw_decoder(&stream, filters) == LZMA_OK) {
    stream.next_in = stored + PAYLOAD_PROPERTIES_SIZE;
    stream.avail_in = stored_size - PAYLOAD_PROPERTIES_SIZE;
    stream.next_out = out;
    stream.avail_out = out_limit;
    // The verdict is not consulted: a data error or a missing end marker merely ends decoding.
    lzma_ret verdict = lzma_code(&stream, LZMA_FINISH);
    (void)verdict;
    produced = (DWORD)stream.total_out;
  }
  lzma_end(&stream);
  LzmaFree(NULL, filters[0].options);
  return produced;
}
