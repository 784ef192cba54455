/// \file
/// The payload's format constants, its two records (PayloadEntry, OutputBuffer) and the
/// operations on the decoded image.
#pragma once
#include <windows.h>

#include "payload/payload_numbers.h"

const WORD PAYLOAD_RESOURCE_ID = 102;        // RT_RCDATA resource holding the payload
const DWORD PAYLOAD_TABLE_SIZE = 120;        // ten rows of 12 bytes; entry 0's data starts here
const DWORD PAYLOAD_ENTRY_COUNT = 10;
const DWORD PAYLOAD_ROW_SIZE = 12;
const DWORD PAYLOAD_PROPERTIES_SIZE = 5;     // LZMA properties byte and dictionary size
const DWORD OUTPUT_BUFFER_CAPACITY = 0x400000;  // 4 MiB: the largest image that loads

// LoadPayload results.
const DWORD LOAD_OK = 0;
const DWORD LOAD_NO_RESOURCE = 4;   // missing, empty, unloadable, or not PAYLOAD_RESOURCE_SIZE bytes
const DWORD LOAD_NO_MEMORY = 7;     // the 4 MiB block cannot be had
const DWORD LOAD_BAD_IMAGE = 21;    // wrong size, wrong checksum, or a table that does not add up

// WriteComponentFile results.
const DWORD WRITE_OK = 0;
const DWORD WRITE_NOT_OPENED = 16;  // nothing written: no path, no block, offset past length, no file
const DWORD WRITE_SHORT = 17;       // the file was opened but the write failed or fell short

// One row of the payload table as the installer holds it.
struct PayloadEntry {
  DWORD offset;    // where the entry's data begins in the decoded image
  DWORD size;      // byte count of the entry's data
  FILETIME mtime;  // last-write time for the installed file; zero: none
};

// Owner of the block that the image is decoded into.
struct OutputBuffer {
  BYTE *data;      // the block, or null when none is held
  DWORD owned;     // non-zero while this record allocated the block and must free it
  DWORD capacity;  // bytes allocated
  DWORD unit;      // always 1
  DWORD length;    // usable bytes: the decoder's limit and the writer's bound
  DWORD position;  // always 0
};

void InitOutputBuffer(OutputBuffer *buffer);
BYTE *AllocOutputBuffer(OutputBuffer *buffer);
void FreeOutputBuffer(OutputBuffer *buffer);

DWORD PayloadChecksum(const BYTE *data, DWORD count);

// Decodes a raw LZMA1 stream behind its five property bytes straight into `out`, in one call;
// returns the number of bytes produced (0 when the decoder could not even start).
DWORD DecodePayloadStream(const BYTE *stored, DWORD stored_size, BYTE *out, DWORD out_limit);

DWORD WriteComponentFile(const OutputBuffer *buffer, LPCWSTR path, DWORD offset, DWORD size,
                         const FILETIME *time);
