/// \file
/// The message loop: every message is offered to the visible page's dialog manager first, so
/// Enter, Escape and Tab work inside the page. Only WM_QUIT ends it.
#include "shell/shell.h"

void RunMessageLoop(SetupState *state, MSG *msg) {
  while (msg->message != WM_QUIT) {
    if (GetMessageW(msg, NULL, 0, 0) <= 0) continue;  // 0 leaves with WM_QUIT; -1 tries again
    // Looked up afresh for every message: the visible page changes as the wizard moves on.
    HWND page = state->pages[state->current_page];
    if (!IsDialogMessageW(page, msg)) {
      TranslateMessage(msg);
      DispatchMessageW(msg);
    }
  }
}
