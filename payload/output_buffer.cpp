/// \file
/// The OutputBuffer's life: the empty state, taking the one zero-filled 4 MiB block from the
/// process heap, and giving it back.
#include "payload/payload.h"

void InitOutputBuffer(OutputBuffer *buffer) {
  buffer->data = NULL;
  buffer->owned = 0;
  buffer->capacity = 0;
  buffer->unit = 1;
  buffer->length = 0;
  buffer->position = 0;
}

// Releases an owned block and returns the record to its empty state.
static void ReleaseBlock(OutputBuffer *buffer) {
  HeapFree(GetProcessHeap(), 0, buffer->data);
  InitOutputBuffer(buffer);
}

BYTE *AllocOutputBuffer(OutputBuffer *buffer) {
  if (buffer->owned) {
    if (buffer->data) ReleaseBlock(buffer);
    buffer->owned = 0;
  }
  buffer->data = (BYTE *)HeapAlloc(GetProcessHeap(), 0, OUTPUT_BUFFER_CAPACITY);
  if (!buffer->data) return NULL;
  buffer->owned = 1;
  buffer->capacity = OUTPUT_BUFFER_CAPACITY;
  buffer->length = OUTPUT_BUFFER_CAPACITY;
  buffer->unit = 1;
  ZeroMemory(buffer->data, OUTPUT_BUFFER_CAPACITY);
  return buffer->data;
}

void FreeOutputBuffer(OutputBuffer *buffer) {
  if (buffer->owned && buffer->data) ReleaseBlock(buffer);
}
