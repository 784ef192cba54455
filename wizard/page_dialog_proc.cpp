/// \file
/// The dialog procedure all four pages share: the five navigation commands and the colours
/// of the details list.
#include "resources/resource_ids.h"
#include "wizard/wizard.h"

static INT_PTR OnCommand(WORD id) {
  SetupState *state = g_setup;
  switch (id) {
    case IDC_NEXT:
      // Only a button that can be pressed moves on: a disabled "&Install" starts nothing,
      // however the command arrives.
      if (IsWindowEnabled(GetDlgItem(state->pages[state->current_page], IDC_NEXT)))
        ShowPage(state, state->current_page + 1);
      return TRUE;
    case IDC_CANCEL: PostMessageW(state->main_window, WM_CLOSE, 0, 0); return TRUE;
    case IDC_BACK: ShowPage(state, state->current_page - 1); return TRUE;
    case IDC_BROWSE: BrowseForDestination(); return TRUE;
    case IDC_SHOW_DETAILS: ShowDetails(); return TRUE;
  }
  return FALSE;  // check boxes and everything else: read later, when needed
}

static INT_PTR OnListBoxColour(HDC dc, HWND list) {
  if (list != g_setup->details_list) return FALSE;
  SetDCBrushColor(dc, DETAILS_BACKGROUND);
  SetBkColor(dc, DETAILS_BACKGROUND);
  SetTextColor(dc, DETAILS_TEXT);
  return (INT_PTR)GetStockObject(DC_BRUSH);
}

INT_PTR CALLBACK PageDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    case WM_CTLCOLORLISTBOX: return OnListBoxColour((HDC)wParam, (HWND)lParam);
  }
  return FALSE;
}
