/// \file
/// The report at the end: each item that could not be removed on a line of its own, or the
/// short note that everything went.
#include "uninstall/uninstall.h"

static const WCHAR kFailedIntro[] = L"These items of Tevorlyn App Pack could not be removed:";
static const WCHAR kRemoved[] = L"Tevorlyn App Pack was removed from your computer.";
static const WCHAR kMore[] = L"\n(and more)";

BOOL IsAlreadyGone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

static BOOL Append(RemovalReport *report, LPCWSTR text) {
  DWORD length = (DWORD)lstrlenW(text);
  // Room is kept for the closing "(and more)".
  DWORD reserve = sizeof kMore / sizeof kMore[0];
  if (report->length + length + reserve > UNINSTALL_REPORT_UNITS) return FALSE;
  CopyMemory(report->text + report->length, text, length * sizeof(WCHAR));
  report->length += length;
  report->text[report->length] = 0;
  return TRUE;
}

void ReportFailure(RemovalReport *report, LPCWSTR first, LPCWSTR second) {
  ++report->failures;
  if (report->length == 0) Append(report, kFailedIntro);
  DWORD line_start = report->length;
  if (Append(report, L"\n") && Append(report, first) && (!second || Append(report, second))) return;
  report->length = line_start;  // no half lines
  report->text[line_start] = 0;
  ++report->left_out;
}

void ShowOutcome(RemovalReport *report) {
  if (report->failures == 0) {
    MessageBoxW(NULL, kRemoved, UNINSTALL_CAPTION, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (report->left_out) lstrcatW(report->text, kMore);  // Append kept room for it
  MessageBoxW(NULL, report->text, UNINSTALL_CAPTION, MB_OK | MB_ICONWARNING);
}
