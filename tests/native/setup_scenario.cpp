// The scripted person behind the WinMain scenarios.
#include "native/setup_scenario.h"

#include <gtest/gtest.h>

namespace scenario {

Outcome RunSetup(const std::vector<Step> &steps) {
  Outcome outcome;
  outcome.steps_total = steps.size();
  size_t next = 0;
  winsim::SetIdleScript([&] {
    if (next < steps.size() && steps[next]()) ++next;
  });
  outcome.exit_code = WinMain(GetModuleHandleW(nullptr), nullptr, (LPSTR) "", SW_SHOWNORMAL);
  winsim::ClearIdleScript();
  outcome.stalled = winsim::LoopStalled();
  outcome.steps_done = next;
  return outcome;
}

SetupState &State() { return *g_setup; }
HWND Page(DWORD page) { return g_setup->pages[page]; }
HWND Item(DWORD page, int id) { return GetDlgItem(Page(page), id); }
std::string ItemText(DWORD page, int id) { return winsim::Text(Item(page, id)); }

Step Click(DWORD page, int id) {
  return [page, id] {
    winsim::Click(Item(page, id));
    return true;
  };
}

Step Key(UINT vk) {
  return [vk] {
    winsim::PressKey(vk);
    return true;
  };
}

Step Do(std::function<void()> act) {
  return [act] {
    act();
    return true;
  };
}

Step WaitFor(std::function<bool()> condition) { return condition; }

Step Untick(int id) {
  return [id] {
    if (winsim::Checked(Item(PAGE_COMPONENTS, id)) == BST_CHECKED) winsim::Click(Item(PAGE_COMPONENTS, id));
    return true;
  };
}

std::vector<Step> ToDestination() { return {Click(PAGE_LICENSE, IDC_NEXT), Click(PAGE_COMPONENTS, IDC_NEXT)}; }

std::vector<Step> InstallAndClose() {
  return {Click(PAGE_DESTINATION, IDC_NEXT), WaitFor([] { return g_setup->run_state == RUN_FINISHED; }),
          Click(PAGE_PROGRESS, IDC_NEXT)};
}

std::vector<Step> Concat(std::vector<std::vector<Step>> parts) {
  std::vector<Step> all;
  for (auto &part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void ExpectCleanEnd(const Outcome &outcome) {
  EXPECT_EQ(0, outcome.exit_code);
  EXPECT_FALSE(outcome.stalled) << "the message loop ran out of things to do";
  EXPECT_EQ(outcome.steps_total, outcome.steps_done) << "not every scripted step ran";
  EXPECT_EQ(0u, winsim::WindowCount()) << "windows left";
  EXPECT_EQ(0u, winsim::HeapBlocksInUse()) << "the payload block or decoder memory was kept";
  EXPECT_EQ(0u, winsim::OpenHandleCount()) << "files left open";
  EXPECT_EQ(0u, winsim::OpenKeyCount()) << "registry keys left open";
  EXPECT_EQ(0u, winsim::LiveComObjects()) << "COM objects left";
  EXPECT_EQ(0u, winsim::LiveSids());
  EXPECT_EQ(0u, winsim::LiveTaskAllocations());
  EXPECT_EQ(0u, winsim::ComInitDepth()) << "CoUninitialize did not balance CoInitializeEx";
}

}  // namespace scenario
