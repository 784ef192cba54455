/// \file
/// CreateDirectoryChain: makes every missing folder along a path, up to its last separator.
/// How the path begins decides where the first folder that may be made starts.
#include "install/install.h"

static BOOL IsSeparator(WCHAR c) { return c == L'\\' || c == L'/'; }

BOOL CreateDirectoryChain(LPCWSTR path) {
  WCHAR prefix[MAX_PATH];
  ZeroMemory(prefix, sizeof prefix);
  if (!path[0]) return TRUE;
  // The work buffer holds MAX_PATH units: a longer path cannot be a folder the platform makes.
  if (lstrlenW(path) >= MAX_PATH) return FALSE;

  int separators_needed, index_needed;
  if (IsSeparator(path[0]) && IsSeparator(path[1])) {
    separators_needed = 4;  // \\server\share\: the share root is the first folder tested
    index_needed = 5;
  } else if (IsSeparator(path[0])) {
    separators_needed = 2;  // \folder\: not the root of the current drive
    index_needed = 2;
  } else if (path[1] == L':') {
    separators_needed = 2;  // C:\folder\: not the drive root
    index_needed = 4;
  } else {
    separators_needed = 1;  // relative: every prefix
    index_needed = 1;
  }

  int separators = 0;
  for (int i = 0; path[i]; ++i) {
    prefix[i] = path[i];  // the prefix stays terminated by the zeros behind it
    if (!IsSeparator(path[i])) continue;
    if (++separators < separators_needed || i < index_needed) continue;
    DWORD attributes = GetFileAttributesW(prefix);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    // A file in the way makes this fail too, and nothing deeper is tried.
    if (!CreateDirectoryW(prefix, NULL)) return FALSE;
  }
  return TRUE;
}
