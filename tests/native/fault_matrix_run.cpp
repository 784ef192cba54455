// The fault matrix's installation run: arranging the world, the person, and the record.
#include "native/fault_matrix_run.h"

#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace fault_matrix {

const std::vector<FailableCall> kFailableCalls = {
    {"CoInitializeEx", (DWORD)E_FAIL},
    {"InitCommonControlsEx", ERROR_OUTOFMEMORY},
    {"FindResourceW", ERROR_RESOURCE_DATA_NOT_FOUND},
    {"SizeofResource", ERROR_RESOURCE_DATA_NOT_FOUND},
    {"LoadResource", ERROR_NOT_ENOUGH_MEMORY},
    {"LockResource", ERROR_NOT_ENOUGH_MEMORY},
    {"HeapAlloc", ERROR_NOT_ENOUGH_MEMORY},
    {"RegOpenKeyExW", ERROR_ACCESS_DENIED},
    {"RegQueryValueExW", ERROR_ACCESS_DENIED},
    {"SHGetFolderPathW", (DWORD)E_FAIL},
    {"AllocateAndInitializeSid", ERROR_NOT_ENOUGH_MEMORY},
    {"CheckTokenMembership", ERROR_NO_TOKEN},
    {"CreateDialogParamW", ERROR_OUTOFMEMORY},
    {"SetTimer", ERROR_OUTOFMEMORY},
    {"GetDiskFreeSpaceExW", ERROR_ACCESS_DENIED},
    {"SHBrowseForFolderW", ERROR_OUTOFMEMORY},
    {"SHGetPathFromIDListW", ERROR_INVALID_PARAMETER},
    {"CoTaskMemAlloc", ERROR_NOT_ENOUGH_MEMORY},
    {"GetFileAttributesW", ERROR_ACCESS_DENIED},
    {"CreateDirectoryW", ERROR_ACCESS_DENIED},
    {"CreateFileW", ERROR_ACCESS_DENIED},
    {"WriteFile", ERROR_DISK_FULL},
    {"SetFileTime", ERROR_ACCESS_DENIED},
    {"CloseHandle", ERROR_INVALID_HANDLE},
    {"RegCreateKeyExW", ERROR_ACCESS_DENIED},
    {"RegSetValueExW", ERROR_ACCESS_DENIED},
    {"CoCreateInstance", (DWORD)E_FAIL},
    {"QueryInterface", (DWORD)0x80004002},  // E_NOINTERFACE
    {"IPersistFile::Save", ERROR_ACCESS_DENIED},
};

const char kEarlierFolder[] = "C:\\Earlier";
const char kPickedFolder[] = "D:\\Apps\\Tevorlyn";

namespace {

using namespace scenario;

const char kWriteFailed[] = "ERROR: Write failed.";

Counts CountNow() {
  Counts counts;
  for (const FailableCall &call : kFailableCalls) counts[call.op] = winsim::CallCount(call.op);
  return counts;
}

void Arrange() {
  testing_support::NewTestFolder();
  winsim::AddDrive('D', 1ull << 30);
  winsim::WriteWholeFile(std::string(kEarlierFolder) + "\\readme.txt", {'x'});
  winsim::SetRegistryValue("HKLM\\Software\\Tevorlyn", "AppPath", REG_SZ, winsim::SzBytes(kEarlierFolder));
  winsim::ScriptPicker({winsim::PickerKind::Folder, kPickedFolder});
}

bool Shown(DWORD page) { return State().pages[page] && winsim::Visible(Page(page)); }

void RecordResult(Run *run) {
  run->finished = true;
  run->details = winsim::ListBoxLines(State().details_list);
  run->status = ItemText(PAGE_PROGRESS, IDC_STATUS);
  for (size_t i = 0; i < run->details.size(); ++i) {
    const std::string &line = run->details[i];
    bool failed = i + 1 < run->details.size() && run->details[i + 1] == kWriteFailed;
    if (line != kWriteFailed && !failed && !winsim::FileExists(line)) run->missing.push_back(line);
  }
}

// One idle turn: act as a person would on what is on screen; true once the person is done.
bool Act(Run *run, bool *browsed) {
  SetupState &s = State();
  Turn turn;
  turn.counts = CountNow();
  turn.progress = s.pages[PAGE_PROGRESS] ? winsim::ProgressPos(Item(PAGE_PROGRESS, IDC_PROGRESS_BAR)) : -1;
  turn.detail_lines = s.details_list ? winsim::ListBoxLines(s.details_list).size() : 0;
  bool done = false;
  if (s.run_state == RUN_FINISHED) {
    RecordResult(run);
    winsim::Click(Item(PAGE_PROGRESS, IDC_NEXT));
    turn.action = "close";
    done = true;
  } else if (s.run_state != RUN_IDLE || !s.main_window || !winsim::Visible(s.main_window)) {
    // Installing, or a frame that is not (or no longer) shown: nothing to do but wait.
  } else if (Shown(PAGE_LICENSE)) {
    winsim::Click(Item(PAGE_LICENSE, IDC_NEXT));
    turn.action = "licence";
  } else if (Shown(PAGE_COMPONENTS)) {
    winsim::Click(Item(PAGE_COMPONENTS, IDC_NEXT));
    turn.action = "components";
  } else if (Shown(PAGE_DESTINATION) && !*browsed) {
    winsim::Click(Item(PAGE_DESTINATION, IDC_BROWSE));
    turn.action = "browse";
    *browsed = true;
  } else if (Shown(PAGE_DESTINATION) && winsim::Enabled(Item(PAGE_DESTINATION, IDC_NEXT))) {
    winsim::Click(Item(PAGE_DESTINATION, IDC_NEXT));
    turn.action = "install";
    run->install_clicked = true;
  } else if (Shown(PAGE_DESTINATION)) {
    winsim::Click(Item(PAGE_DESTINATION, IDC_CANCEL));  // Install stays disabled: give up
    turn.action = "cancel";
    done = true;
  }
  run->turns.push_back(turn);
  return done;
}

}  // namespace

Run RunInstallation(const char *fail_op, unsigned nth, DWORD error) {
  Run run;
  Arrange();
  run.baseline = CountNow();
  if (fail_op) winsim::FailCall(fail_op, nth, error);
  bool browsed = false;
  Outcome outcome = RunSetup({WaitFor([&] { return Act(&run, &browsed); })});
  run.end = CountNow();
  run.exit_code = outcome.exit_code;
  run.stalled = outcome.stalled;
  for (const winsim::MessageBoxRecord &box : winsim::MessageBoxes()) run.boxes.push_back(box.text);
  std::vector<winsim::PickerRecord> pickers = winsim::Pickers();
  if (!pickers.empty()) {
    run.picker_shown = true;
    run.picker_selection = pickers[0].selection;
  }
  run.windows = winsim::WindowCount();
  run.heap_blocks = winsim::HeapBlocksInUse();
  run.handles = winsim::OpenHandleCount();
  run.keys = winsim::OpenKeyCount();
  run.com_objects = winsim::LiveComObjects();
  run.sids = winsim::LiveSids();
  run.task_allocations = winsim::LiveTaskAllocations();
  run.com_depth = winsim::ComInitDepth();
  return run;
}

std::vector<std::string> FoldersAlong(const std::string &path) {
  std::vector<std::string> folders;
  for (size_t i = 3; i < path.size(); ++i)  // past "X:\"
    if (path[i] == '\\' || path[i] == '/') folders.push_back(path.substr(0, i + 1));
  return folders;
}

std::set<std::string> ExistingBeforeRun(const std::vector<std::string> &folders) {
  Arrange();
  std::set<std::string> existing;
  for (const std::string &folder : folders)
    if (winsim::FolderExists(folder)) existing.insert(folder);
  return existing;
}

std::string FolderOf(const std::string &path) { return path.substr(0, path.find_last_of("\\/") + 1); }

}  // namespace fault_matrix
