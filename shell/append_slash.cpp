/// \file
/// AppendSlash: a folder path ends in exactly one backslash afterwards (one trailing slash or
/// backslash is replaced; only the last unit is examined).
#include "shell/shell.h"

void AppendSlash(LPWSTR path) {
  int n = lstrlenW(path);
  if (n > 0 && (path[n - 1] == L'\\' || path[n - 1] == L'/')) --n;
  path[n] = L'\\';
  path[n + 1] = 0;
}
