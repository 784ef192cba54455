/// \file
/// LoadPayload: find RCDATA 102, check its size, decode it into the 4 MiB block, verify the
/// image's size and checksum and derive the ten entries from its table.
#include "payload/payload.h"
#include "shell/setup_state.h"

static DWORD ReadLe32(const BYTE *p) {
  return (DWORD)p[0] | (DWORD)p[1] << 8 | (DWORD)p[2] << 16 | (DWORD)p[3] << 24;
}

// Rows are not checked one by one: the checksum over the whole image and the final end test
// vouch for them. Offsets accumulate in unsigned 32-bit arithmetic.
static void FillEntries(SetupState *state) {
  const BYTE *row = state->output.data;
  DWORD offset = PAYLOAD_TABLE_SIZE;
  for (DWORD i = 0; i < PAYLOAD_ENTRY_COUNT; ++i, row += PAYLOAD_ROW_SIZE) {
    PayloadEntry *entry = &state->entries[i];
    entry->offset = offset;
    entry->size = ReadLe32(row);
    entry->mtime.dwLowDateTime = ReadLe32(row + 4);
    entry->mtime.dwHighDateTime = ReadLe32(row + 8);
    offset += entry->size;
  }
}

static DWORD FindPayloadResource(SetupState *state) {
  HRSRC resource = FindResourceW(state->instance, MAKEINTRESOURCEW(PAYLOAD_RESOURCE_ID), RT_RCDATA);
  if (!resource) {
    state->payload_data = NULL;
    return LOAD_NO_RESOURCE;
  }
  state->payload_size = SizeofResource(state->instance, resource);
  if (state->payload_size == 0) {
    state->payload_data = NULL;
    return LOAD_NO_RESOURCE;
  }
  HGLOBAL loaded = LoadResource(state->instance, resource);
  if (!loaded) {
    state->payload_data = NULL;
    return LOAD_NO_RESOURCE;
  }
  state->payload_data = (const BYTE *)LockResource(loaded);
  return state->payload_data ? LOAD_OK : LOAD_NO_RESOURCE;
}

DWORD LoadPayload(SetupState *state) {
  DWORD result = FindPayloadResource(state);
  if (result != LOAD_OK) return result;
  if (state->payload_size != PAYLOAD_RESOURCE_SIZE) return LOAD_NO_RESOURCE;
  if (!AllocOutputBuffer(&state->output)) return LOAD_NO_MEMORY;

  DWORD produced = DecodePayloadStream(state->payload_data, state->payload_size, state->output.data,
                                       state->output.length);
  if (produced != PAYLOAD_IMAGE_SIZE) return LOAD_BAD_IMAGE;
  if (PayloadChecksum(state->output.data, PAYLOAD_IMAGE_SIZE) != PAYLOAD_IMAGE_CHECKSUM) return LOAD_BAD_IMAGE;

  FillEntries(state);
  const PayloadEntry *last = &state->entries[PAYLOAD_ENTRY_COUNT - 1];
  return last->offset + last->size == PAYLOAD_IMAGE_SIZE ? LOAD_OK : LOAD_BAD_IMAGE;
}
