/// \file
/// DestinationFits: the destination folder must leave room for the longest file name the
/// installation appends to it, within the platform's MAX_PATH.
#include "install/install.h"

BOOL DestinationFits(LPCWSTR folder) {
  return lstrlenW(folder) + INSTALL_LONGEST_FILE_NAME < MAX_PATH;
}
