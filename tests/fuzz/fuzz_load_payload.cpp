// LoadPayload on arbitrary bytes as RCDATA 102. Built twice: against the small payload's
// numbers (the input is only the resource), and with FUZZ_NUMBERS_FROM_INPUT, where the input
// also decides the numbers, so that inputs get past the size and checksum tests to the table.
//
// Input with numbers: one mode byte, then the image size and checksum (little-endian), then the
// resource. The resource size is always the resource's own; mode bit 0 takes the image size and
// checksum from what the resource decodes to instead, as the builder would have computed them.
//
// Inputs that decode to more than kImageLimit bytes are left out: a few stored bytes can expand
// to the whole 4 MiB block, and decoding that on every run would leave little time for the
// checks that follow the decoder. The heap refuses blocks larger than the payload block: the
// stored properties name the decoder's dictionary size, and a damaged one asks for up to 4 GiB,
// which a 32-bit process does not get either (the decoder then produces nothing).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <winsim_test.h>

#include "payload/payload.h"
#include "shell/setup_state.h"
#ifdef FUZZ_NUMBERS_FROM_INPUT
#include "tests/fuzz/fuzz_payload_numbers.h"
#endif

namespace {

const DWORD kImageLimit = 64 * 1024;

// What the stream decodes to, up to kImageLimit + 1 bytes.
DWORD Decoded(const uint8_t *data, size_t size, std::vector<BYTE> *image) {
  image->resize(kImageLimit + 1);
  return DecodePayloadStream(data, (DWORD)size, image->data(), kImageLimit + 1);
}

void Require(bool ok, const char *what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz_load_payload: %s\n", what);
  std::abort();
}

#ifdef FUZZ_NUMBERS_FROM_INPUT
DWORD Le32(const uint8_t *p) { return (DWORD)p[0] | (DWORD)p[1] << 8 | (DWORD)p[2] << 16 | (DWORD)p[3] << 24; }

// Returns the resource part of the input and sets the numbers.
size_t TakeNumbers(const uint8_t **data, size_t size) {
  if (size < 9) return 0;
  uint8_t mode = (*data)[0];
  DWORD image_size = Le32(*data + 1), checksum = Le32(*data + 5);
  *data += 9;
  size -= 9;
  static std::vector<BYTE> image;
  DWORD produced = Decoded(*data, size, &image);
  if (produced > kImageLimit) return 0;
  if (mode & 1) {
    image_size = produced;
    checksum = PayloadChecksum(image.data(), produced);
  }
  SetFuzzPayloadNumbers((DWORD)size, image_size, checksum);
  return size;
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  winsim::FailAllocationsFrom(OUTPUT_BUFFER_CAPACITY + 1);
#ifdef FUZZ_NUMBERS_FROM_INPUT
  size = TakeNumbers(&data, size);
#else
  static std::vector<BYTE> image;
  if (Decoded(data, size, &image) > kImageLimit) return -1;
#endif
  if (size == 0 || size > OUTPUT_BUFFER_CAPACITY) return -1;  // winsim keeps no empty resource
  winsim::SetResource(RT_RCDATA, PAYLOAD_RESOURCE_ID, data, size);

  static SetupState state;
  std::memset(&state, 0, sizeof state);
  InitSetupState(&state);
  state.instance = GetModuleHandleW(nullptr);
  DWORD result = LoadPayload(&state);
  Require(result == LOAD_OK || result == LOAD_NO_RESOURCE || result == LOAD_NO_MEMORY || result == LOAD_BAD_IMAGE,
          "unknown result");
  if (result == LOAD_OK) {
    Require(PAYLOAD_IMAGE_SIZE <= state.output.length, "an image larger than its block was accepted");
    const PayloadEntry &last = state.entries[PAYLOAD_ENTRY_COUNT - 1];
    Require(last.offset + last.size == PAYLOAD_IMAGE_SIZE, "the table does not end at the image's end");
    Require(state.entries[0].offset == PAYLOAD_TABLE_SIZE, "entry 0 does not follow the table");
  }
  FreeOutputBuffer(&state.output);
  Require(winsim::HeapBlocksInUse() == 0, "heap blocks left after FreeOutputBuffer");
  return 0;
}
