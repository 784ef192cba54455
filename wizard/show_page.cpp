/// \file
/// ShowPage: the one place that changes the visible page. Past the last page it asks the
/// frame to close; the Destination page refreshes the space display; the Progress page starts
/// the installation.
#include "resources/resource_ids.h"
#include "wizard/wizard.h"

void ShowPage(SetupState *state, DWORD index) {
  if (index > PAGE_PROGRESS) {
    PostMessageW(state->main_window, WM_CLOSE, 0, 0);  // the frame refuses while installing
    return;
  }
  state->current_page = index;
  for (DWORD k = 0; k < PAGE_COUNT; ++k) ShowWindow(state->pages[k], k == index ? SW_SHOW : SW_HIDE);

  HWND page = state->pages[index];
  SetFocus(page);
  // Posted: the focus lands on button 1 once the current message is done.
  PostMessageW(page, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(page, IDC_NEXT), TRUE);

  if (index == PAGE_DESTINATION) UpdateSpaceInfo(state);
  if (index == PAGE_PROGRESS) {
    state->run_state = RUN_INSTALLING;  // before the step is armed: no close from here on
    PostMessageW(state->main_window, WM_APP, 0, 0);
  }
}
