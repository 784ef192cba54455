/// \file
/// The Progress page's details list revealed in place of its button, and the licence edit's
/// formatting-rectangle inset.
#include "resources/resource_ids.h"
#include "wizard/wizard.h"

void ShowDetails(void) {
  SetupState *state = g_setup;
  SendMessageW(state->details_list, LB_SETHORIZONTALEXTENT, GetSystemMetrics(SM_CXSCREEN) / 2, 0);
  ShowWindow(GetDlgItem(state->pages[PAGE_PROGRESS], IDC_SHOW_DETAILS), SW_HIDE);
  ShowWindow(state->details_list, SW_SHOW);
  SetFocus(state->details_list);
}

void InsetEditRect(HWND edit, int dx, int dy) {
  RECT rect = {0, 0, 0, 0};
  SendMessageW(edit, EM_GETRECT, 0, (LPARAM)&rect);
  rect.left += dx;
  rect.top += dy;
  SendMessageW(edit, EM_SETRECT, 0, (LPARAM)&rect);
}
