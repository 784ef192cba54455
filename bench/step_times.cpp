// Each install step's own time in full native installations (everything ticked, shortcuts):
// the person's idle turns bracket every tick of the step timer, so the time from the turn
// before a step to the turn after it is the step's work plus one dispatch of the tick and of
// the message that arms the next step. Measured on the steady clock and as this thread's CPU
// time (the steady clock also counts time other processes take from a busy machine). Prints
// one line per step and the largest median as a share of the 125 ms tick.
//
// usage: step_times [installations]
#include <winsim_test.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/setup_state.h"

namespace {

using Clock = std::chrono::steady_clock;
const double kTickMs = 125.0;
const int kSteps = 9;

struct Mark {
  Clock::time_point wall;
  double cpu_ms;
};

Mark Now() {
  timespec cpu;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
  return {Clock::now(), cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6};
}

struct StepTime {
  double wall_ms, cpu_ms;
};

bool Shown(DWORD page) { return g_setup->pages[page] && winsim::Visible(g_setup->pages[page]); }
void Press(DWORD page, int id) { winsim::Click(GetDlgItem(g_setup->pages[page], id)); }

// One installation; adds each step's times to times[step].
bool Install(std::vector<std::vector<StepTime>> *times) {
  winsim::Reset();
  Mark last = Now();
  int last_progress = 0;
  bool ok = false;
  bool closed = false;
  winsim::SetIdleScript([&] {
    SetupState *s = g_setup;
    Mark now = Now();
    int progress = winsim::ProgressPos(GetDlgItem(s->pages[PAGE_PROGRESS], IDC_PROGRESS_BAR));
    if (progress != last_progress) {
      for (int step = 0; step < kSteps; ++step)
        if ((step * 100 + 100) / 9 == progress)
          (*times)[step].push_back({std::chrono::duration<double, std::milli>(now.wall - last.wall).count(),
                                    now.cpu_ms - last.cpu_ms});
      last_progress = progress;
    }
    if (closed) {
    } else if (s->run_state == RUN_FINISHED) {
      ok = winsim::Text(GetDlgItem(s->pages[PAGE_PROGRESS], IDC_STATUS)) == "Installation completed successfully.";
      Press(PAGE_PROGRESS, IDC_NEXT);
      closed = true;
    } else if (s->run_state == RUN_IDLE && Shown(PAGE_LICENSE)) {
      Press(PAGE_LICENSE, IDC_NEXT);
    } else if (s->run_state == RUN_IDLE && Shown(PAGE_COMPONENTS)) {
      Press(PAGE_COMPONENTS, IDC_NEXT);
    } else if (s->run_state == RUN_IDLE && Shown(PAGE_DESTINATION)) {
      Press(PAGE_DESTINATION, IDC_NEXT);
    }
    last = Now();  // the person's own time is not the step's
  });
  WinMain(GetModuleHandleW(nullptr), nullptr, (LPSTR) "", SW_SHOWNORMAL);
  winsim::ClearIdleScript();
  return ok;
}

}  // namespace

int main(int argc, char **argv) {
  int installations = argc > 1 ? std::atoi(argv[1]) : 7;
  std::vector<std::vector<StepTime>> times(kSteps);
  for (int i = 0; i < installations; ++i) {
    if (!Install(&times)) {
      std::fprintf(stderr, "step_times: installation %d did not succeed\n", i + 1);
      return 1;
    }
  }
  double worst_wall = 0, worst_cpu = 0;
  for (int step = 0; step < kSteps; ++step) {
    if (times[step].empty()) {
      std::fprintf(stderr, "step_times: step %d never ran\n", step);
      return 1;
    }
    std::vector<double> wall, cpu;
    for (const StepTime &t : times[step]) {
      wall.push_back(t.wall_ms);
      cpu.push_back(t.cpu_ms);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    double wall_median = wall[wall.size() / 2], cpu_median = cpu[cpu.size() / 2];
    worst_wall = std::max(worst_wall, wall_median);
    worst_cpu = std::max(worst_cpu, cpu_median);
    std::printf("step %d: median %.3f ms (cpu %.3f ms), max %.3f ms, %.2f%% of the tick\n", step, wall_median,
                cpu_median, wall.back(), 100.0 * wall_median / kTickMs);
  }
  std::printf("steps: largest median %.3f ms = %.2f%% of the %.0f ms tick; cpu %.3f ms = %.2f%% (%d installations)\n",
              worst_wall, 100.0 * worst_wall / kTickMs, kTickMs, worst_cpu, 100.0 * worst_cpu / kTickMs,
              installations);
  return 0;
}
