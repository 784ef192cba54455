// One full installation through the real WinMain for the fault matrix: a person who copes
// with runs that end early, and a record of what the run did and what it left behind.
#pragma once
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace fault_matrix {

// The failable platform calls the matrix covers, as winsim names them, with the error each
// injected failure carries.
struct FailableCall {
  const char *op;
  DWORD error;
};
extern const std::vector<FailableCall> kFailableCalls;

using Counts = std::map<std::string, unsigned>;  // op -> calls made so far

// The person's view on one idle turn of the message loop, and what they did then.
struct Turn {
  Counts counts;
  int progress = -1;         // position of the progress bar (-1: no progress page)
  size_t detail_lines = 0;   // lines in the details list so far
  std::string action;        // "licence", "components", "browse", "install", "close", ... or ""
};

// Where the person puts things: an earlier installation recorded C:\Earlier (it exists), and
// the picker answers with D:\Apps\Tevorlyn (it does not exist yet).
extern const char kEarlierFolder[];
extern const char kPickedFolder[];

struct Run {
  int exit_code = -1;
  bool stalled = false;
  Counts baseline;                    // counts when WinMain was entered
  Counts end;                         // counts when it returned
  std::vector<Turn> turns;
  std::vector<std::string> boxes;     // message box texts
  bool picker_shown = false;
  std::string picker_selection;       // the folder the picker was asked to start at
  bool install_clicked = false;
  bool finished = false;              // the installation reached its result
  std::vector<std::string> details;   // the list at the result
  std::string status;                 // the result line
  std::vector<std::string> missing;   // listed files without an error line that are not there
  size_t windows = 0, heap_blocks = 0, handles = 0, keys = 0, com_objects = 0, sids = 0,
         task_allocations = 0;
  unsigned com_depth = 0;
};

// A fresh world, arranged as above, then WinMain to its end; with fail_op set, its nth call
// from WinMain's entry on fails with `error`.
Run RunInstallation(const char *fail_op = nullptr, unsigned nth = 0, DWORD error = 0);

// Every folder of a drive path below the drive's root, outermost first ("D:\A\B\" gives
// "D:\A\" and "D:\A\B\"); the path's last component counts only when it ends in a separator.
std::vector<std::string> FoldersAlong(const std::string &path);
// Which of these folders exist in the arranged world before WinMain runs.
std::set<std::string> ExistingBeforeRun(const std::vector<std::string> &folders);
// The folder part of a file path, with its trailing backslash.
std::string FolderOf(const std::string &path);

}  // namespace fault_matrix
