/// \file
/// PayloadChecksum: add each byte, then rotate left by one bit; four bytes per iteration.
#include "payload/payload.h"

#define CHECKSUM_STEP(r, b) ((r) = (r) + (b), (r) = ((r) << 1) | ((r) >> 31))

DWORD PayloadChecksum(const BYTE *data, DWORD count) {
  DWORD r = 0;
  for (DWORD blocks = count / 4; blocks != 0; --blocks, data += 4) {
    CHECKSUM_STEP(r, data[0]);
    CHECKSUM_STEP(r, data[1]);
    CHECKSUM_STEP(r, data[2]);
    CHECKSUM_STEP(r, data[3]);
  }
  for (DWORD rest = count % 4; rest != 0; --rest, ++data) CHECKSUM_STEP(r, data[0]);
  return r;
}
