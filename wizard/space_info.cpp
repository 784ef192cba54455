/// \file
/// UpdateSpaceInfo: the space the ticked components need, the space the destination's drive
/// offers, and the rule for the Install button.
#include "install/install.h"
#include "resources/resource_ids.h"
#include "wizard/wizard.h"

static const ULONGLONG kNoAnswer = ~0ull;
static const char kRequiredLabel[] = "Space required:  ";  // 17 characters, numbers start behind them
static const char kAvailableOverlay[] = "available: ";    // written over the label from character 6
static const int kLabelLength = 17;
static const int kOverlayAt = 6;

static DWORD RequiredBytes(const SetupState *state) {
  DWORD total = 0;
  for (DWORD i = 0; i < COMPONENT_COUNT; ++i)
    if (IsDlgButtonChecked(state->pages[PAGE_COMPONENTS], IDC_COMPONENT_FIRST + i) == BST_CHECKED)
      total += state->entries[i + 1].size;
  // The uninstaller comes along only with something to uninstall.
  if (total != 0) total += state->entries[PAYLOAD_ENTRY_COUNT - 1].size;
  return total;
}

// Bytes available to the caller: the drive root first, then the folder itself (a network path's
// first three characters name no root), else no answer.
static ULONGLONG FreeBytes(LPCWSTR folder) {
  WCHAR root[4];
  lstrcpynW(root, folder, 4);
  ULARGE_INTEGER available;
  if (GetDiskFreeSpaceExW(root, &available, NULL, NULL)) return available.QuadPart;
  if (GetDiskFreeSpaceExW(folder, &available, NULL, NULL)) return available.QuadPart;
  return kNoAnswer;
}

// The smallest unit whose count fits in 32 bits; ordinary drives show in MB.
static void FormatAvailable(char *number, ULONGLONG bytes) {
  if (bytes == kNoAnswer) {
    number[0] = '?';
    number[1] = 0;
  } else if (bytes < (1ull << 52)) {
    FormatUnsigned(number, "%u MB", (DWORD)(bytes >> 20));
  } else if (bytes < (1ull << 62)) {
    FormatUnsigned(number, "%u GB", (DWORD)(bytes >> 30));
  } else {
    FormatUnsigned(number, "%u TB", (DWORD)(bytes >> 40));
  }
}

void UpdateSpaceInfo(SetupState *state) {
  HWND page = state->pages[PAGE_DESTINATION];
  state->required_bytes = RequiredBytes(state);

  char *text = state->scratch.ansi;
  ZeroMemory(text, 64);
  CopyMemory(text, kRequiredLabel, kLabelLength);
  FormatUnsigned(text + kLabelLength, "%u MB", (state->required_bytes + 0xFFFFF) >> 20);
  SetDlgItemTextA(page, IDC_SPACE_REQUIRED, text);

  ULONGLONG available = FreeBytes(state->install_dir);
  CopyMemory(text + kOverlayAt, kAvailableOverlay, sizeof kAvailableOverlay - 1);
  FormatAvailable(text + kLabelLength, available);
  SetDlgItemTextA(page, IDC_SPACE_AVAILABLE, text);

  // Compared in bytes, strictly; 4 GiB or more (and no answer at all) never blocks. A folder
  // too long for the file names behind it would only make every write fail: it blocks too.
  DWORD fits = available < (1ull << 32) ? (DWORD)available : 0xFFFFFFFFu;
  EnableWindow(GetDlgItem(page, IDC_NEXT), state->required_bytes != 0 && state->required_bytes < fits &&
                                               DestinationFits(state->install_dir));
}
