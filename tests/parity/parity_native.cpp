/// \file
/// parity_native: the parity scenario under winsim. The installer (with the release_sizes
/// fixture payload) installs everything into the default folder with shortcuts; Show Details,
/// the list read back, Close. Then what landed. Everything is printed in the Wine driver's
/// formats (tests/wine/driver.cpp), so tests/parity/wine_parity.sh can compare the two sides
/// line by line. Exit code 1 when the run itself goes wrong.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/lnk_reader.h"
#include "common/test_support.h"
#include "native/setup_scenario.h"

namespace {

using namespace scenario;
using testing_support::U8;

const char kFolder[] = "C:\\Program Files\\Tevorlyn";
const char kMenu[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tevorlyn";
const char *kKeys[] = {
    "HKLM\\Software\\Tevorlyn",
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn",
    "HKLM\\Software\\Classes\\.qtxt",
    "HKLM\\Software\\Classes\\.qzv",
    "HKLM\\Software\\Classes\\.fro",
    "HKLM\\Software\\Classes\\QuietQuill.Document",
    "HKLM\\Software\\Classes\\LockQZV.File",
    "HKLM\\Software\\Classes\\Frostbin.File",
    "HKLM\\Software\\Classes\\Directory\\shell\\MicroChime",
    "HKLM\\Software\\Classes\\SystemFileAssociations\\audio\\shell\\MicroChime",
};

// --- the driver's ways of looking, through the same messages -----------------------------

std::string Shown(const std::string &text) {
  std::string out;
  for (char c : text) {
    if ((unsigned char)c < 0x20 || c == 0x7F) {
      out += '^';
      out += c == 0x7F ? '?' : (char)(c + 0x40);
    } else {
      out += c;
    }
  }
  return out;
}

std::string WindowText(HWND hwnd) {
  LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::vector<WCHAR> text(length + 1, 0);
  SendMessageW(hwnd, WM_GETTEXT, (WPARAM)text.size(), (LPARAM)text.data());
  return U8(text.data());
}

void Observe(std::vector<std::string> *lines) {
  HWND focus = GetFocus();
  lines->push_back("focus: " + (focus ? std::to_string(GetDlgCtrlID(focus)) : std::string("none")));
  lines->push_back("text 1003: " + Shown(WindowText(Item(PAGE_PROGRESS, IDC_STATUS))));
  lines->push_back("progress: " + std::to_string((long)SendMessageW(Item(PAGE_PROGRESS, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0)));
  for (int id : {IDC_SHOW_DETAILS, IDC_DETAILS_LIST})
    lines->push_back("visible " + std::to_string(id) + ": " + (IsWindowVisible(Item(PAGE_PROGRESS, id)) ? "1" : "0"));
  HWND list = Item(PAGE_PROGRESS, IDC_DETAILS_LIST);
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  lines->push_back("list-count: " + std::to_string((long)count));
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, (WPARAM)i, 0);
    std::vector<WCHAR> line(length < 0 ? 1 : length + 1, 0);
    SendMessageW(list, LB_GETTEXT, (WPARAM)i, (LPARAM)line.data());
    lines->push_back("list: " + Shown(U8(line.data())));
  }
}

// --- what landed ----------------------------------------------------------------------------

std::string Lower(std::string s) {
  for (char &c : s)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return s;
}

struct FileEntry {
  std::string path;  // relative, Windows separators, folders ending in a backslash
  std::string line;
};

// The sandbox folder behind a Windows folder, walked on the host; times as winsim reports them.
void ListFiles(const std::string &dir, const std::string &relative, std::vector<FileEntry> *out) {
  DIR *d = opendir(winsim::HostPath(dir).c_str());
  if (!d) return;
  while (dirent *e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    std::string path = dir + "\\" + name, rel = relative + name;
    if (winsim::FolderExists(path)) {
      out->push_back({rel + "\\", rel + "\\"});
      ListFiles(path, rel + "\\", out);
    } else {
      struct stat st;
      long long size = stat(winsim::HostPath(path).c_str(), &st) == 0 ? (long long)st.st_size : -1;
      out->push_back({rel, rel + " " + std::to_string(size) + " bytes, last write " +
                                std::to_string((unsigned long long)winsim::LastWriteTime(path))});
    }
  }
  closedir(d);
}

void Files(const std::string &dir) {
  if (!winsim::FolderExists(dir)) return;
  std::vector<FileEntry> entries;
  ListFiles(dir, "", &entries);
  std::sort(entries.begin(), entries.end(),
            [](const FileEntry &a, const FileEntry &b) { return Lower(a.path) < Lower(b.path); });
  printf("%s\n", dir.c_str());
  for (const FileEntry &e : entries) printf("  %s\n", e.line.c_str());
}

// One line per link in the Start Menu folder: its name and the target the link file names.
void Links(const std::string &dir) {
  std::vector<std::string> names;
  if (DIR *d = opendir(winsim::HostPath(dir).c_str())) {
    while (dirent *e = readdir(d)) {
      std::string name = e->d_name;
      if (name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".lnk") names.push_back(name);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) { return Lower(a) < Lower(b); });
  for (const std::string &name : names) {
    std::vector<uint8_t> bytes;
    std::string target;
    if (!winsim::ReadWholeFile(dir + "\\" + name, &bytes) || !testing_support::ReadLinkTarget(bytes, &target))
      target = "(unreadable)";
    printf("link %s: %s\n", name.c_str(), target.c_str());
  }
}

}  // namespace

int main() {
  testing_support::NewTestFolder();
  std::vector<std::string> observed;
  Outcome outcome = RunSetup(Concat({
      ToDestination(),
      {Click(PAGE_DESTINATION, IDC_NEXT), WaitFor([] { return State().run_state == RUN_FINISHED; }),
       Click(PAGE_PROGRESS, IDC_SHOW_DETAILS), Do([&] { Observe(&observed); }), Click(PAGE_PROGRESS, IDC_NEXT)},
  }));
  if (outcome.exit_code != 0 || outcome.stalled || outcome.steps_done != outcome.steps_total) {
    fprintf(stderr, "parity_native: the installation did not run through: exit code %d, %s, %zu of %zu steps\n",
            outcome.exit_code, outcome.stalled ? "stalled" : "not stalled", outcome.steps_done, outcome.steps_total);
    return 1;
  }
  for (const std::string &line : observed) printf("%s\n", line.c_str());
  Files(kFolder);
  Files(kMenu);
  for (const char *key : kKeys) fputs(winsim::RegistryDump(key).c_str(), stdout);
  Links(kMenu);
  return 0;
}
