// The fault matrix: one full installation (everything ticked, shortcuts, a Browse, Install,
// Close) is recorded; then every numbered call of every failable platform call it made is made
// to fail in a run of its own, and the installer must react as its design prescribes for what
// that call was doing: the start-up box, the administrator warning, a folder kept from before,
// one item's "ERROR: Write failed.", or nothing at all; always exit code 0 and nothing left.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

#include "native/fault_matrix_run.h"

namespace {

using fault_matrix::Counts;
using fault_matrix::FailableCall;
using fault_matrix::Run;

const char kInitFailed[] = "Setup initialization failed.";
const char kAdminText[] = "You must be logged in as an administrator to install this software.";
const char kWriteFailed[] = "ERROR: Write failed.";
const char kSucceeded[] = "Installation completed successfully.";
const char kFailed[] = "Installation failed.";
const char kDefaultSelection[] = "C:\\Program Files\\";

// What a failing call must lead to.
enum class Reaction {
  kQuietEnd,        // no box and no wizard: COM or the common controls are not there
  kInitFailed,      // "Setup initialization failed."
  kAdminWarning,    // the membership test did not say yes
  kDefaultFolder,   // the recorded folder is not taken: the picker starts at Program Files
  kPickLost,        // the picked folder is not taken: the installation goes to the recorded one
  kNothing,         // the result is not looked at: the installation succeeds as before
  kItemFails,       // this item's line is followed by "ERROR: Write failed."
};

struct Row {
  std::string op;
  unsigned nth = 0;   // counted from WinMain's entry
  DWORD error = 0;
  std::string doing;  // what the call did in the recorded run
  Reaction reaction = Reaction::kNothing;
  std::string item;   // kItemFails: the file or link that fails
  bool handle_kept = false;  // winsim leaves a handle open whose CloseHandle it failed
};

std::string Name(const Row &row) {
  std::ostringstream s;
  s << row.op << " #" << row.nth << " (" << row.doing << ")";
  return s.str();
}

// --- What each call of the recorded run was doing ------------------------------------------

// The calls of one item of an install step, in the order the installer makes them.
struct ItemCalls {
  std::string item;
  std::vector<std::pair<std::string, Row>> calls;  // op, its row without number
};

// Folder calls of CreateDirectoryChain for the folder an item is written into: each folder
// along the path is looked at, and a missing one is made. A failed creation leaves the item's
// folder missing; so does a failed look at a folder that exists while a deeper one is still
// missing (the creation attempt then fails and the chain stops there).
void AddFolderChain(const std::string &item, std::set<std::string> *existing, ItemCalls *calls) {
  std::vector<std::string> folders = fault_matrix::FoldersAlong(fault_matrix::FolderOf(item));
  for (size_t i = 0; i < folders.size(); ++i) {
    bool exists = existing->count(folders[i]) != 0;
    bool deeper_missing = false;
    for (size_t j = i + 1; j < folders.size(); ++j) deeper_missing |= existing->count(folders[j]) == 0;
    Row look;
    look.doing = "looks at " + folders[i] + " for " + item;
    look.reaction = exists && deeper_missing ? Reaction::kItemFails : Reaction::kNothing;
    look.item = item;
    calls->calls.push_back({"GetFileAttributesW", look});
    if (exists) continue;
    Row make;
    make.doing = "makes " + folders[i] + " for " + item;
    make.reaction = Reaction::kItemFails;
    make.item = item;
    calls->calls.push_back({"CreateDirectoryW", make});
    existing->insert(folders[i]);
  }
}

Row Fails(const std::string &doing, const std::string &item, bool handle_kept = false) {
  Row row;
  row.doing = doing + " " + item;
  row.reaction = Reaction::kItemFails;
  row.item = item;
  row.handle_kept = handle_kept;
  return row;
}

Row Ignored(const std::string &doing, const std::string &item, bool handle_kept = false) {
  Row row;
  row.doing = doing + " " + item;
  row.reaction = Reaction::kNothing;
  row.handle_kept = handle_kept;
  return row;
}

// A component or the uninstaller: the folder, then one write straight from the image, the
// time stamp (not looked at), and the close (not looked at).
ItemCalls FileCalls(const std::string &file, bool chain, std::set<std::string> *existing) {
  ItemCalls calls{file, {}};
  if (chain) AddFolderChain(file, existing, &calls);
  calls.calls.push_back({"CreateFileW", Fails("creates", file)});
  calls.calls.push_back({"WriteFile", Fails("writes", file)});
  calls.calls.push_back({"CloseHandle", Ignored("closes", file, true)});
  return calls;
}

// A shortcut: the Start Menu folder, then the link object saved to its file; the link object's
// own close is part of saving, so its failure fails the link.
ItemCalls LinkCalls(const std::string &link, std::set<std::string> *existing) {
  ItemCalls calls{link, {}};
  AddFolderChain(link, existing, &calls);
  calls.calls.push_back({"CoCreateInstance", Fails("creates the link object for", link)});
  calls.calls.push_back({"QueryInterface", Fails("asks the link object to save", link)});
  calls.calls.push_back({"IPersistFile::Save", Fails("saves", link)});
  calls.calls.push_back({"CreateFileW", Fails("creates", link)});
  calls.calls.push_back({"WriteFile", Fails("writes", link)});
  calls.calls.push_back({"CloseHandle", Fails("closes", link, true)});
  return calls;
}

// Calls whose number carries no meaning inside a phase: every one has the same reaction.
struct PhaseRule {
  const char *phase;
  const char *op;
  Reaction reaction;
  const char *doing;
};

const PhaseRule kPhaseRules[] = {
    {"start-up", "CoInitializeEx", Reaction::kQuietEnd, "initialises COM"},
    {"start-up", "InitCommonControlsEx", Reaction::kQuietEnd, "registers the common controls"},
    {"start-up", "FindResourceW", Reaction::kInitFailed, "finds the payload"},
    {"start-up", "SizeofResource", Reaction::kInitFailed, "sizes the payload"},
    {"start-up", "LoadResource", Reaction::kInitFailed, "loads the payload"},
    {"start-up", "LockResource", Reaction::kInitFailed, "locks the payload"},
    {"start-up", "HeapAlloc", Reaction::kInitFailed, "takes memory to decode the payload"},
    {"start-up", "RegOpenKeyExW", Reaction::kDefaultFolder, "opens the recorded installation"},
    {"start-up", "RegQueryValueExW", Reaction::kDefaultFolder, "reads the recorded folder"},
    {"start-up", "GetFileAttributesW", Reaction::kDefaultFolder, "checks the recorded folder"},
    {"start-up", "SHGetFolderPathW", Reaction::kInitFailed, "asks for the Start Menu folder"},
    {"start-up", "AllocateAndInitializeSid", Reaction::kAdminWarning, "makes the Administrators SID"},
    {"start-up", "CheckTokenMembership", Reaction::kAdminWarning, "tests membership"},
    {"start-up", "CreateDialogParamW", Reaction::kInitFailed, "creates the frame or a page"},
    {"start-up", "SetTimer", Reaction::kInitFailed, "starts the step timer"},
    {"components", "GetDiskFreeSpaceExW", Reaction::kNothing, "asks for free space"},
    {"browse", "SHBrowseForFolderW", Reaction::kPickLost, "shows the picker"},
    {"browse", "CoTaskMemAlloc", Reaction::kPickLost, "returns the picked item"},
    {"browse", "SHGetPathFromIDListW", Reaction::kPickLost, "converts the picked item"},
    {"browse", "GetDiskFreeSpaceExW", Reaction::kNothing, "asks for free space"},
    {"step", "RegCreateKeyExW", Reaction::kNothing, "creates a registry key"},
    {"step", "RegSetValueExW", Reaction::kNothing, "sets a registry value"},
    {"step", "SetFileTime", Reaction::kNothing, "stamps a component's time"},
};

// The recorded run cut into phases at the person's idle turns: start-up up to the first turn,
// then what followed each turn's action, or the install step that moved the bar.
struct Phase {
  std::string name;   // "start-up", "licence", ..., "step", "close"
  int step = -1;
  Counts from, to;
  std::vector<std::string> lines;  // details lines added in the phase
};

int StepAt(int progress) {
  for (int step = 0; step < 9; ++step)
    if ((step * 100 + 100) / 9 == progress) return step;
  return -1;
}

std::vector<Phase> Phases(const Run &run) {
  std::vector<Phase> phases;
  Phase start{"start-up", -1, run.baseline, run.turns.empty() ? run.end : run.turns[0].counts, {}};
  phases.push_back(start);
  for (size_t i = 0; i < run.turns.size(); ++i) {
    const fault_matrix::Turn &turn = run.turns[i];
    bool last = i + 1 == run.turns.size();
    Phase p{turn.action.empty() ? "idle" : turn.action, -1, turn.counts, last ? run.end : run.turns[i + 1].counts, {}};
    if (!last && run.turns[i + 1].progress != turn.progress) {
      p.name = "step";
      p.step = StepAt(run.turns[i + 1].progress);
      size_t to = run.turns[i + 1].detail_lines;
      for (size_t k = turn.detail_lines; k < to && k < run.details.size(); ++k) p.lines.push_back(run.details[k]);
    }
    phases.push_back(p);
  }
  return phases;
}

// Rows for every call of the recorded run; calls nobody can explain are reported.
std::vector<Row> Classify(const Run &run, std::vector<std::string> *unexplained) {
  std::vector<Row> rows;
  std::vector<std::string> folders;
  for (const std::string &line : run.details)
    for (const std::string &folder : fault_matrix::FoldersAlong(fault_matrix::FolderOf(line))) folders.push_back(folder);
  std::set<std::string> existing = fault_matrix::ExistingBeforeRun(folders);

  for (const Phase &phase : Phases(run)) {
    std::map<std::string, std::vector<Row>> planned;  // op -> its calls in this phase, in order
    if (phase.name == "step") {
      std::vector<ItemCalls> items;
      if (phase.step >= 0 && phase.step < 8 && phase.lines.size() == 2) {
        items.push_back(FileCalls(phase.lines[0], true, &existing));
        items.push_back(LinkCalls(phase.lines[1], &existing));
      } else if (phase.step == 8 && phase.lines.size() == 1) {
        items.push_back(FileCalls(phase.lines[0], false, &existing));
      } else {
        unexplained->push_back("step " + std::to_string(phase.step) + " added " +
                               std::to_string(phase.lines.size()) + " lines");
      }
      for (const ItemCalls &item : items)
        for (const auto &call : item.calls) planned[call.first].push_back(call.second);
    }
    for (const FailableCall &call : fault_matrix::kFailableCalls) {
      unsigned first = phase.from.at(call.op) - run.baseline.at(call.op) + 1;
      unsigned last = phase.to.at(call.op) - run.baseline.at(call.op);
      if (last < first) {
        if (planned.count(call.op))
          unexplained->push_back(phase.name + " " + std::to_string(phase.step) + ": no " + call.op +
                                 " where one was expected");
        continue;
      }
      const PhaseRule *rule = nullptr;
      for (const PhaseRule &r : kPhaseRules)
        if (r.phase == phase.name && r.op == std::string(call.op)) rule = &r;
      auto plan = planned.find(call.op);
      if (!rule && (plan == planned.end() || plan->second.size() != last - first + 1)) {
        std::ostringstream s;
        s << call.op << " #" << first << ".." << last << " in phase " << phase.name;
        if (phase.step >= 0) s << " " << phase.step;
        if (plan != planned.end()) s << ": the installer's order explains " << plan->second.size() << " of them";
        unexplained->push_back(s.str());
        continue;
      }
      for (unsigned n = first; n <= last; ++n) {
        Row row;
        if (rule) {
          row.reaction = rule->reaction;
          row.doing = rule->doing;
          if (phase.step >= 0) row.doing += " in step " + std::to_string(phase.step);
        } else {
          row = plan->second[n - first];
        }
        row.op = call.op;
        row.nth = n;
        row.error = call.error;
        rows.push_back(row);
      }
    }
  }
  return rows;
}

// Calls made thousands of times (the decoder's allocations) are sampled: the first, the last
// and a spread between them.
std::vector<Row> Sample(const std::vector<Row> &rows) {
  const size_t kKeep = 24;
  std::map<std::string, size_t> total, seen;
  for (const Row &row : rows) ++total[row.op];
  std::vector<Row> kept;
  for (const Row &row : rows) {
    size_t all = total[row.op], i = seen[row.op]++;
    bool edge = all <= 3 * kKeep || i < kKeep || i + kKeep >= all;
    if (edge || (i - kKeep) % ((all - 2 * kKeep) / kKeep) == 0) kept.push_back(row);
  }
  return kept;
}

// --- What the run must show ----------------------------------------------------------------

std::string Replace(std::string text, const std::string &from, const std::string &to) {
  if (text.rfind(from, 0) == 0) text = to + text.substr(from.size());
  return text;
}

// The recorded result with this row's reaction applied.
void Expect(const Row &row, const Run &reference, const Run &run, std::vector<std::string> *wrong) {
  auto check = [&](bool ok, const std::string &what) {
    if (!ok) wrong->push_back(what);
  };
  auto lines = [](const std::vector<std::string> &v) {
    std::string s;
    for (const std::string &line : v) s += "\n    " + line;
    return s;
  };

  check(run.exit_code == 0, "exit code " + std::to_string(run.exit_code));
  check(!run.stalled, "the message loop stalled");
  check(run.windows == 0, std::to_string(run.windows) + " windows left");
  check(run.heap_blocks == 0, std::to_string(run.heap_blocks) + " heap blocks left");
  size_t handles = row.handle_kept ? 1 : 0;
  check(run.handles == handles, std::to_string(run.handles) + " handles left, expected " + std::to_string(handles));
  check(run.keys == 0, std::to_string(run.keys) + " registry keys left open");
  check(run.com_objects == 0, std::to_string(run.com_objects) + " COM objects left");
  check(run.sids == 0, std::to_string(run.sids) + " SIDs left");
  check(run.task_allocations == 0, std::to_string(run.task_allocations) + " task allocations left");
  check(run.com_depth == 0, "CoUninitialize did not balance CoInitializeEx");

  std::vector<std::string> boxes;
  if (row.reaction == Reaction::kInitFailed) boxes = {kInitFailed};
  if (row.reaction == Reaction::kAdminWarning) boxes = {kAdminText};
  check(run.boxes == boxes, "message boxes:" + lines(run.boxes) + "\n  expected:" + lines(boxes));

  bool installs = row.reaction != Reaction::kQuietEnd && row.reaction != Reaction::kInitFailed &&
                  row.reaction != Reaction::kAdminWarning;
  if (!installs) {
    check(!run.install_clicked && run.turns.empty(), "the wizard ran");
    return;
  }
  check(run.finished, "the installation did not reach its result");
  check(run.picker_shown == (row.op != "SHBrowseForFolderW"), "the picker was shown or not, unexpectedly");
  std::string selection = row.reaction == Reaction::kDefaultFolder ? kDefaultSelection : reference.picker_selection;
  if (run.picker_shown) check(run.picker_selection == selection, "the picker started at " + run.picker_selection + ", expected " + selection);

  std::string picked = std::string(fault_matrix::kPickedFolder) + "\\";
  std::string earlier = std::string(fault_matrix::kEarlierFolder) + "\\";
  std::vector<std::string> details;
  for (size_t i = 0; i < reference.details.size(); ++i) {
    const std::string &line = reference.details[i];
    details.push_back(row.reaction == Reaction::kPickLost ? Replace(line, picked, earlier) : line);
    if (row.reaction == Reaction::kItemFails && line == row.item) {
      details.push_back(kWriteFailed);
      // A component that is not there gets no shortcut either.
      bool component = line.size() > 4 && line.compare(line.size() - 4, 4, ".exe") == 0;
      if (component && i + 1 < reference.details.size() && reference.details[i + 1].find(".lnk") != std::string::npos)
        ++i;
    }
  }
  check(run.details == details, "details:" + lines(run.details) + "\n  expected:" + lines(details));
  std::string status = row.reaction == Reaction::kItemFails ? kFailed : kSucceeded;
  check(run.status == status, "status \"" + run.status + "\", expected \"" + status + "\"");
  check(run.missing.empty(), "listed without an error but not there:" + lines(run.missing));
}

TEST(FaultMatrix, EveryCallOfAFullInstallationFailsAsDesigned) {
  fault_matrix::Run reference = fault_matrix::RunInstallation();
  // The recorded run itself: a clean, complete installation into the picked folder.
  Row none;
  none.doing = "no fault";
  std::vector<std::string> wrong;
  Expect(none, reference, reference, &wrong);
  for (const std::string &w : wrong) ADD_FAILURE() << "recorded run: " << w;
  ASSERT_EQ(std::string(fault_matrix::kEarlierFolder), reference.picker_selection);
  ASSERT_EQ(17u, reference.details.size()) << "eight components with links and the uninstaller";
  ASSERT_EQ(std::string(fault_matrix::kPickedFolder) + "\\Zirvex.exe", reference.details[0]);
  ASSERT_TRUE(wrong.empty());

  std::vector<std::string> unexplained;
  std::vector<Row> rows = Classify(reference, &unexplained);
  for (const std::string &u : unexplained) ADD_FAILURE() << "recorded run: a call the installer's order does not explain: " << u;
  for (const FailableCall &call : fault_matrix::kFailableCalls)
    if (reference.end.at(call.op) == reference.baseline.at(call.op))
      std::printf("fault matrix: %s is not called in this installation\n", call.op);
  rows = Sample(rows);

  size_t as_designed = 0;
  for (const Row &row : rows) {
    fault_matrix::Run run = fault_matrix::RunInstallation(row.op.c_str(), row.nth, row.error);
    std::vector<std::string> differences;
    Expect(row, reference, run, &differences);
    if (differences.empty()) {
      ++as_designed;
      continue;
    }
    std::string all;
    for (const std::string &d : differences) all += "\n  " + d;
    ADD_FAILURE() << Name(row) << all;
  }
  std::printf("fault matrix: %zu calls injected, %zu outcomes as designed\n", rows.size(), as_designed);
}

}  // namespace
