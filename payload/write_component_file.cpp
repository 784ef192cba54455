/// \file
/// WriteComponentFile: one payload entry to one file, in a single write straight from the
/// decoded block, then only the last-write time stamped.
#include "payload/payload.h"

DWORD WriteComponentFile(const OutputBuffer *buffer, LPCWSTR path, DWORD offset, DWORD size,
                         const FILETIME *time) {
  if (!path || !buffer->data || offset > buffer->length) return WRITE_NOT_OPENED;

  // Share mode 0: nobody else may read, write or delete the file while it is being written.
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return WRITE_NOT_OPENED;

  DWORD room = buffer->length - offset;
  DWORD count = size < room ? size : room;
  DWORD written = 0;
  DWORD result = WRITE_OK;
  if (!WriteFile(file, buffer->data + offset, count, &written, NULL) || written != count) {
    result = WRITE_SHORT;
  } else if (time) {
    // A failed stamp is not reported: the file keeps the time of writing.
    SetFileTime(file, NULL, NULL, time);
  }
  CloseHandle(file);
  return result;
}
