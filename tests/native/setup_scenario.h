// Runs the real WinMain under winsim with a scripted person: a list of steps, each tried on
// the loop's idle turns until it reports itself done. Plus the wizard's usual moves.
#pragma once
#include <winsim_test.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/setup_state.h"

namespace scenario {

using Step = std::function<bool()>;  // true: done, go on with the next step

struct Outcome {
  int exit_code = -1;
  bool stalled = false;
  size_t steps_done = 0;
  size_t steps_total = 0;
};

// Runs WinMain to its end with these steps as the person. Every step must have run.
Outcome RunSetup(const std::vector<Step> &steps);

// The visible state record of the running installer (valid only inside RunSetup's steps).
SetupState &State();
HWND Page(DWORD page);
HWND Item(DWORD page, int id);
std::string ItemText(DWORD page, int id);

// Steps.
Step Click(DWORD page, int id);      // a person's click on a control of a page
Step Key(UINT vk);                   // a key to the focused window
Step Do(std::function<void()> act);  // look at something, or act directly
Step WaitFor(std::function<bool()> condition);
Step Untick(int id);                 // clear a box on the Components page

// The usual walk: I Agree, Next (the Destination page is then shown).
std::vector<Step> ToDestination();
// From the Destination page: Install, wait for the result, then Close.
std::vector<Step> InstallAndClose();
std::vector<Step> Concat(std::vector<std::vector<Step>> parts);

// What a run leaves behind that must be gone on every path.
void ExpectCleanEnd(const Outcome &outcome);

}  // namespace scenario
