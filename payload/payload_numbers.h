/// \file
/// The three numbers of the one payload this installer accepts. They are produced by
/// tools/payload-builder together with the payload and compiled in from its generated source.
#pragma once
#include <windows.h>

extern const DWORD PAYLOAD_RESOURCE_SIZE;   // exact byte size of RCDATA 102
extern const DWORD PAYLOAD_IMAGE_SIZE;      // exact byte size of the decoded image
extern const DWORD PAYLOAD_IMAGE_CHECKSUM;  // PayloadChecksum of the whole image
