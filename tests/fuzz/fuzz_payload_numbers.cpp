// The three payload numbers as ordinary variables, for the fuzz target that takes them from
// its input. The product sees them through its usual `extern const DWORD` declarations; the
// build generates them as constants otherwise. This file must not include payload_numbers.h.
#include "tests/fuzz/fuzz_payload_numbers.h"

extern DWORD PAYLOAD_RESOURCE_SIZE;
extern DWORD PAYLOAD_IMAGE_SIZE;
extern DWORD PAYLOAD_IMAGE_CHECKSUM;
DWORD PAYLOAD_RESOURCE_SIZE = 0;
DWORD PAYLOAD_IMAGE_SIZE = 0;
DWORD PAYLOAD_IMAGE_CHECKSUM = 0;

void SetFuzzPayloadNumbers(DWORD resource_size, DWORD image_size, DWORD image_checksum) {
  PAYLOAD_RESOURCE_SIZE = resource_size;
  PAYLOAD_IMAGE_SIZE = image_size;
  PAYLOAD_IMAGE_CHECKSUM = image_checksum;
}
