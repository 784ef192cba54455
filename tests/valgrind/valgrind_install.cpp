// One full installation through the real WinMain, as a plain program for valgrind: every
// component with its shortcut, Install, Close. Exit status 0 when the installation succeeded
// and left nothing behind.
#include <winsim_test.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/setup_state.h"

namespace {

int g_failures = 0;

void Check(bool ok, const char *what) {
  if (ok) return;
  std::fprintf(stderr, "valgrind_install: %s\n", what);
  ++g_failures;
}

bool Shown(DWORD page) { return g_setup->pages[page] && winsim::Visible(g_setup->pages[page]); }

void Press(DWORD page, int id) { winsim::Click(GetDlgItem(g_setup->pages[page], id)); }

}  // namespace

int main() {
  winsim::Reset();
  std::vector<std::string> details;
  std::string status;
  bool closed = false;
  winsim::SetIdleScript([&] {
    SetupState *s = g_setup;
    if (closed) return;
    if (s->run_state == RUN_FINISHED) {
      details = winsim::ListBoxLines(s->details_list);
      status = winsim::Text(GetDlgItem(s->pages[PAGE_PROGRESS], IDC_STATUS));
      Press(PAGE_PROGRESS, IDC_NEXT);
      closed = true;
    } else if (s->run_state == RUN_IDLE && Shown(PAGE_LICENSE)) {
      Press(PAGE_LICENSE, IDC_NEXT);
    } else if (s->run_state == RUN_IDLE && Shown(PAGE_COMPONENTS)) {
      Press(PAGE_COMPONENTS, IDC_NEXT);
    } else if (s->run_state == RUN_IDLE && Shown(PAGE_DESTINATION)) {
      Press(PAGE_DESTINATION, IDC_NEXT);
    }
  });
  int exit_code = WinMain(GetModuleHandleW(nullptr), nullptr, (LPSTR) "", SW_SHOWNORMAL);
  winsim::ClearIdleScript();

  Check(exit_code == 0, "exit code is not 0");
  Check(!winsim::LoopStalled(), "the message loop stalled");
  Check(closed, "the installation did not reach its result");
  Check(status == "Installation completed successfully.", "the installation did not succeed");
  Check(details.size() == 17, "not eight components with links and the uninstaller");
  Check(winsim::FileExists("C:\\Program Files\\Tevorlyn\\uninstall.exe"), "no uninstaller");
  Check(winsim::WindowCount() == 0, "windows left");
  Check(winsim::HeapBlocksInUse() == 0, "heap blocks left");
  Check(winsim::OpenHandleCount() == 0, "handles left");
  Check(winsim::OpenKeyCount() == 0, "registry keys left");
  Check(winsim::LiveComObjects() == 0, "COM objects left");
  std::printf("valgrind_install: %zu lines, \"%s\"\n", details.size(), status.c_str());
  return g_failures ? 2 : 0;
}
