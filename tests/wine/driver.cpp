/// \file
/// The end-to-end driver: a console program that works the installer's wizard as a person
/// would, through standard window messages only, and prints one line per observation.
///
///   wine_driver.exe COMMAND...      (each word is one argument: "click 1" is two)
///
/// It finds the frame by its title, acts on the controls of the one page that is visible, and
/// stops at the first command that fails, with a line "error: ..." and exit code 1. It can be
/// run again and again against the same running installer. Commands and what they print:
///
///   wait-frame          frame: TITLE            (every command waits for the frame first)
///   page                page: HEADER            (text of 1000, 1001, 1002 or 1003)
///   wait-page PREFIX    page: HEADER            once the visible page's header starts so
///   text ID             text ID: TEXT
///   wait-text ID TEXT   text ID: TEXT           once the control shows exactly TEXT
///   checked ID          checked ID: STATE       (BM_GETCHECK)
///   enabled ID          enabled ID: 0|1
///   visible ID          visible ID: 0|1
///   focus               focus: ID               of the control with the keyboard focus
///   wait-focus ID       focus: ID               once that control has the focus
///   list                list-count: N, then one "list: LINE" per line of list box 1019
///   progress            progress: POS           of progress bar 1020
///   rect                rect: X Y WIDTH HEIGHT  the frame's client area on the screen
///   wait-exit           exit: window closed     once the frame is gone
///   click ID, post-click ID, key enter|escape|tab|space|VK, sleep MS, timeout SECONDS
///                       print nothing
///
/// Texts are printed as UTF-8 with control characters in caret notation (CR LF is ^M^J).
///
/// Two more commands only read what an installation left, need no installer running and print
/// in the same shapes as the native side's inspection, so the two can be compared line by line:
///
///   regdump KEYPATH     the key and everything below it, as winsim::RegistryDump prints it
///                       (winsim_test_system.h); nothing when the key does not exist
///   files DIR           DIR as given, then "  RELPATH SIZE bytes, last write FILETIME" per file
///                       and "  RELPATH\" per folder, below DIR at any depth, sorted by path
///                       ignoring case; nothing when DIR does not exist
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const wchar_t kFrameTitle[] = L"Tevorlyn App Pack (32-bit)";
// Header texts of the four pages, by control id; the first one found on a page names it.
const int kHeaderIds[] = {1000, 1001, 1002, 1003};
const DWORD kPollMs = 50;
// A sent message that takes longer than this means the installer hangs.
const UINT kSendTimeoutMs = 10000;

DWORD g_timeout_ms = 30000;  // for every wait, and for finding the frame
HWND g_frame = nullptr;

// --- output ---------------------------------------------------------------------------------

std::string Utf8(const std::wstring &w) {
  if (w.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], n, nullptr, nullptr);
  return s;
}

// A text read from a control as one output line: control characters in caret notation
// (CR LF becomes ^M^J), everything else as it is.
std::string Shown(const std::wstring &text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c < 0x20 || c == 0x7F) {
      out += L'^';
      out += c == 0x7F ? L'?' : (wchar_t)(c + 0x40);
    } else {
      out += c;
    }
  }
  return Utf8(out);
}

// Lines end in LF alone, so the calling script can compare them as they are.
void Print(const std::string &line) {
  std::string out = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), (DWORD)out.size(), &written, nullptr);
}

bool Fail(const std::string &why) {
  Print("error: " + why);
  return false;
}

// --- finding windows ------------------------------------------------------------------------

bool Send(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, DWORD_PTR *result) {
  return SendMessageTimeoutW(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs, result) != 0;
}

std::wstring WindowText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!Send(hwnd, WM_GETTEXTLENGTH, 0, 0, &length)) return std::wstring();
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Send(hwnd, WM_GETTEXT, length + 1, (LPARAM)&text[0], &copied)) return std::wstring();
  text.resize(copied);
  return text;
}

// The frame, once it is visible: the installer sets its title while it builds the wizard and
// shows it last.
HWND FindVisibleFrame() {
  HWND frame = FindWindowW(nullptr, kFrameTitle);
  return frame && IsWindowVisible(frame) ? frame : nullptr;
}

bool Frame() {
  if (g_frame && IsWindow(g_frame)) return true;
  DWORD start = GetTickCount();
  while (!(g_frame = FindVisibleFrame())) {
    if (GetTickCount() - start >= g_timeout_ms) return Fail("no visible window titled \"" + Utf8(kFrameTitle) + "\"");
    Sleep(kPollMs);
  }
  return true;
}

bool IsDialogWindow(HWND hwnd) {
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  return lstrcmpW(cls, L"#32770") == 0;
}

// The page a person sees: the one visible dialog among the frame's own children.
HWND VisiblePage(std::string *why) {
  HWND page = nullptr;
  int visible = 0;
  for (HWND child = GetWindow(g_frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsDialogWindow(child) && IsWindowVisible(child)) {
      page = child;
      visible++;
    }
  }
  if (visible != 1) {
    *why = visible ? "more than one page is visible" : "no page is visible";
    return nullptr;
  }
  return page;
}

std::wstring PageHeader(HWND page) {
  for (int id : kHeaderIds)
    if (HWND header = GetDlgItem(page, id)) return WindowText(header);
  return std::wstring();
}

bool Control(int id, HWND *control) {
  if (!Frame()) return false;
  std::string why;
  HWND page = VisiblePage(&why);
  if (!page) return Fail(why);
  *control = GetDlgItem(page, id);
  return *control ? true : Fail("the visible page has no control " + std::to_string(id));
}

// --- arguments ------------------------------------------------------------------------------

bool ParseInt(const wchar_t *text, long *value) {
  if (!text || !*text) return false;
  wchar_t *end = nullptr;
  *value = wcstol(text, &end, 0);
  return *end == L'\0';
}

struct KeyName {
  const wchar_t *name;
  UINT vk;
};
const KeyName kKeys[] = {{L"enter", VK_RETURN}, {L"escape", VK_ESCAPE}, {L"tab", VK_TAB}, {L"space", VK_SPACE}};

bool ParseKey(const wchar_t *text, UINT *vk) {
  for (const KeyName &k : kKeys) {
    if (lstrcmpiW(text, k.name) == 0) {
      *vk = k.vk;
      return true;
    }
  }
  long value = 0;
  if (!ParseInt(text, &value) || value <= 0 || value > 0xFE) return false;
  *vk = (UINT)value;
  return true;
}

// --- commands -------------------------------------------------------------------------------

bool WaitFrame() {
  if (!Frame()) return false;
  Print("frame: " + Shown(WindowText(g_frame)));
  return true;
}

bool Page() {
  if (!Frame()) return false;
  std::string why;
  HWND page = VisiblePage(&why);
  if (!page) return Fail(why);
  Print("page: " + Shown(PageHeader(page)));
  return true;
}

bool WaitPage(const std::wstring &prefix) {
  if (!Frame()) return false;
  DWORD start = GetTickCount();
  std::wstring header;
  for (;;) {
    std::string why;
    if (HWND page = VisiblePage(&why)) {
      header = PageHeader(page);
      if (header.compare(0, prefix.size(), prefix) == 0) break;
    }
    if (GetTickCount() - start >= g_timeout_ms)
      return Fail("no page whose header starts with \"" + Utf8(prefix) + "\"; last seen \"" + Shown(header) + "\"");
    Sleep(kPollMs);
  }
  Print("page: " + Shown(header));
  return true;
}

bool Text(int id) {
  HWND control;
  if (!Control(id, &control)) return false;
  Print("text " + std::to_string(id) + ": " + Shown(WindowText(control)));
  return true;
}

bool WaitText(int id, const std::wstring &want) {
  DWORD start = GetTickCount();
  std::wstring text;
  for (;;) {
    HWND control;
    if (!Control(id, &control)) return false;
    text = WindowText(control);
    if (text == want) break;
    if (GetTickCount() - start >= g_timeout_ms)
      return Fail("text " + std::to_string(id) + " is \"" + Shown(text) + "\", not \"" + Shown(want) + "\"");
    Sleep(kPollMs);
  }
  Print("text " + std::to_string(id) + ": " + Shown(text));
  return true;
}

bool Checked(int id) {
  HWND control;
  DWORD_PTR state = 0;
  if (!Control(id, &control)) return false;
  if (!Send(control, BM_GETCHECK, 0, 0, &state)) return Fail("BM_GETCHECK timed out");
  Print("checked " + std::to_string(id) + ": " + std::to_string(state));
  return true;
}

bool Enabled(int id) {
  HWND control;
  if (!Control(id, &control)) return false;
  Print("enabled " + std::to_string(id) + ": " + (IsWindowEnabled(control) ? "1" : "0"));
  return true;
}

bool Visible(int id) {
  HWND control;
  if (!Control(id, &control)) return false;
  Print("visible " + std::to_string(id) + ": " + (IsWindowVisible(control) ? "1" : "0"));
  return true;
}

// A person can press only a button they can see and that is enabled. BM_CLICK is sent, so
// the click has been handled when this returns; a button that opens a modal window would keep
// it waiting, so "post-click" posts the message instead.
bool Click(int id, bool post) {
  HWND control;
  if (!Control(id, &control)) return false;
  if (!IsWindowVisible(control)) return Fail("control " + std::to_string(id) + " is hidden");
  if (!IsWindowEnabled(control)) return Fail("control " + std::to_string(id) + " is disabled");
  DWORD_PTR result = 0;
  if (post ? !PostMessageW(control, BM_CLICK, 0, 0) : !Send(control, BM_CLICK, 0, 0, &result))
    return Fail("BM_CLICK on " + std::to_string(id) + " failed");
  return true;
}

// A key goes where the keyboard focus of the installer's thread is, as a typed key would.
bool Key(UINT vk) {
  if (!Frame()) return false;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(g_frame, nullptr);
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return Fail("the installer has no keyboard focus");
  LPARAM scan = (LPARAM)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16;
  if (!PostMessageW(info.hwndFocus, WM_KEYDOWN, vk, scan | 1) ||
      !PostMessageW(info.hwndFocus, WM_KEYUP, vk, scan | 1 | (LPARAM)0xC0000000))
    return Fail("posting the key failed");
  return true;
}

// The id of the control with the keyboard focus, "none" when no window of the installer's
// thread has it.
bool FocusName(std::string *name) {
  if (!Frame()) return false;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(g_frame, nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return Fail("GetGUIThreadInfo failed");
  *name = info.hwndFocus ? std::to_string(GetDlgCtrlID(info.hwndFocus)) : "none";
  return true;
}

bool Focus() {
  std::string name;
  if (!FocusName(&name)) return false;
  Print("focus: " + name);
  return true;
}

// The installer moves the focus with a posted message, which it may not have handled yet
// when a sent click returns; a person would look until the focus shows.
bool WaitFocus(int id) {
  DWORD start = GetTickCount();
  std::string name;
  for (;;) {
    if (!FocusName(&name)) return false;
    if (name == std::to_string(id)) break;
    if (GetTickCount() - start >= g_timeout_ms) return Fail("the focus is on " + name + ", not on " + std::to_string(id));
    Sleep(kPollMs);
  }
  Print("focus: " + name);
  return true;
}

bool List() {
  HWND list;
  DWORD_PTR count = 0;
  if (!Control(1019, &list)) return false;
  if (!Send(list, LB_GETCOUNT, 0, 0, &count)) return Fail("LB_GETCOUNT timed out");
  Print("list-count: " + std::to_string((long)count));
  for (DWORD_PTR i = 0; i < count; i++) {
    DWORD_PTR length = 0;
    if (!Send(list, LB_GETTEXTLEN, i, 0, &length) || (LONG_PTR)length < 0) return Fail("LB_GETTEXTLEN failed");
    std::wstring line(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!Send(list, LB_GETTEXT, i, (LPARAM)&line[0], &copied) || (LONG_PTR)copied < 0) return Fail("LB_GETTEXT failed");
    line.resize(copied);
    Print("list: " + Shown(line));
  }
  return true;
}

bool Progress() {
  HWND bar;
  DWORD_PTR pos = 0;
  if (!Control(1020, &bar)) return false;
  if (!Send(bar, PBM_GETPOS, 0, 0, &pos)) return Fail("PBM_GETPOS timed out");
  Print("progress: " + std::to_string((long)pos));
  return true;
}

// The frame's client area on the screen, "x y width height": what a screenshot shows of it
// when no window manager draws a caption.
bool Rect() {
  if (!Frame()) return false;
  RECT r;
  POINT origin = {0, 0};
  if (!GetClientRect(g_frame, &r) || !ClientToScreen(g_frame, &origin)) return Fail("the frame has no client area");
  Print("rect: " + std::to_string(origin.x) + " " + std::to_string(origin.y) + " " + std::to_string(r.right) + " " +
        std::to_string(r.bottom));
  return true;
}

bool WaitExit() {
  DWORD start = GetTickCount();
  while ((g_frame && IsWindow(g_frame)) || FindWindowW(nullptr, kFrameTitle)) {
    if (GetTickCount() - start >= g_timeout_ms) return Fail("the installer's window is still there");
    Sleep(kPollMs);
  }
  Print("exit: window closed");
  return true;
}

// --- what an installation left: registry and files --------------------------------------------

// Case is ignored the way the native side ignores it: ASCII letters only.
std::string AsciiLower(std::string s) {
  for (char &c : s)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return s;
}

bool LessIgnoringCase(const std::string &a, const std::string &b) { return AsciiLower(a) < AsciiLower(b); }

std::string RegTypeName(DWORD type) {
  switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
    default: return "type(" + std::to_string(type) + ")";
  }
}

// REG_SZ data as stored: the text up to the first NUL, marked when there is none.
std::string RegText(const std::vector<BYTE> &data) {
  std::wstring text;
  bool terminated = false;
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    wchar_t c = (wchar_t)(data[i] | data[i + 1] << 8);
    if (!c) {
      terminated = true;
      break;
    }
    text += c;
  }
  return "\"" + Utf8(text) + "\"" + (terminated ? "" : " [no terminator]");
}

std::string RegHex(const std::vector<BYTE> &data) {
  std::string out = "hex:";
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    snprintf(byte, sizeof byte, "%02x", data[i]);
    out += (i ? "," : "") + std::string(byte);
  }
  return out;
}

struct RegEntry {
  std::wstring name;
  std::string shown;  // UTF-8, for sorting and printing
};

// Names of a key's values or subkeys, sorted ignoring case. Sizes come from RegQueryInfoKeyW;
// the +1 is the terminator, which its counts leave out.
bool RegNames(HKEY key, bool values, std::vector<RegEntry> *out) {
  DWORD subkeys = 0, max_subkey = 0, count = 0, max_value = 0;
  LSTATUS status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &max_subkey, nullptr, &count,
                                    &max_value, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return Fail("RegQueryInfoKeyW: " + std::to_string(status));
  DWORD n = values ? count : subkeys;
  std::vector<wchar_t> name((values ? max_value : max_subkey) + 1);
  out->clear();
  for (DWORD i = 0; i < n; ++i) {
    DWORD chars = (DWORD)name.size();
    status = values ? RegEnumValueW(key, i, name.data(), &chars, nullptr, nullptr, nullptr, nullptr)
                    : RegEnumKeyExW(key, i, name.data(), &chars, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return Fail((values ? "RegEnumValueW: " : "RegEnumKeyExW: ") + std::to_string(status));
    std::wstring w(name.data(), chars);
    out->push_back({w, Utf8(w)});
  }
  std::sort(out->begin(), out->end(), [](const RegEntry &a, const RegEntry &b) { return LessIgnoringCase(a.shown, b.shown); });
  return true;
}

bool RegValueLine(HKEY key, const RegEntry &value) {
  DWORD type = 0, size = 0;
  LSTATUS status = RegQueryValueExW(key, value.name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size);
  if (status == ERROR_SUCCESS && size)
    status = RegQueryValueExW(key, value.name.c_str(), nullptr, &type, data.data(), &size);
  if (status != ERROR_SUCCESS) return Fail("RegQueryValueExW \"" + value.shown + "\": " + std::to_string(status));
  data.resize(size);
  std::string line = "  " + (value.name.empty() ? std::string("@") : "\"" + value.shown + "\"") + " " + RegTypeName(type) + " ";
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    line += RegText(data);
  } else if (type == REG_DWORD && data.size() == 4) {
    char hex[16];
    snprintf(hex, sizeof hex, "0x%x", (unsigned)(data[0] | data[1] << 8 | data[2] << 16 | (uint32_t)data[3] << 24));
    line += hex;
  } else {
    line += RegHex(data);
  }
  Print(line + " (" + std::to_string(data.size()) + " bytes)");
  return true;
}

// The key's path, its values, then each subkey in full.
bool RegDumpKey(HKEY key, const std::string &path) {
  Print(path);
  std::vector<RegEntry> values, subkeys;
  if (!RegNames(key, true, &values)) return false;
  for (const RegEntry &v : values)
    if (!RegValueLine(key, v)) return false;
  if (!RegNames(key, false, &subkeys)) return false;
  for (const RegEntry &k : subkeys) {
    HKEY child;
    LSTATUS status = RegOpenKeyExW(key, k.name.c_str(), 0, KEY_READ, &child);
    if (status != ERROR_SUCCESS) return Fail("RegOpenKeyExW " + path + "\\" + k.shown + ": " + std::to_string(status));
    bool ok = RegDumpKey(child, path + "\\" + k.shown);
    RegCloseKey(child);
    if (!ok) return false;
  }
  return true;
}

std::vector<std::wstring> SplitPath(const std::wstring &path) {
  std::vector<std::wstring> parts;
  std::wstring part;
  for (wchar_t c : path + L"\\") {
    if (c != L'\\') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(part);
      part.clear();
    }
  }
  return parts;
}

// Roots as the native side names them: HKCR is HKLM\Software\Classes there, and every path is
// shown from HKLM or HKCU.
bool RegDump(const std::wstring &key_path) {
  std::vector<std::wstring> parts = SplitPath(key_path);
  if (parts.empty()) return Fail("regdump needs a key path");
  std::string head = AsciiLower(Utf8(parts[0]));
  parts.erase(parts.begin());
  HKEY root;
  std::string path;
  if (head == "hklm" || head == "hkey_local_machine") {
    root = HKEY_LOCAL_MACHINE;
    path = "HKLM";
  } else if (head == "hkcu" || head == "hkey_current_user") {
    root = HKEY_CURRENT_USER;
    path = "HKCU";
  } else if (head == "hkcr" || head == "hkey_classes_root") {
    root = HKEY_LOCAL_MACHINE;
    path = "HKLM";
    parts.insert(parts.begin(), {L"Software", L"Classes"});
  } else {
    return Fail("regdump: unknown root \"" + Utf8(parts[0]) + "\"");
  }
  // Each step is shown with its name as stored, found among the parent's subkeys.
  HKEY key = root;
  for (const std::wstring &part : parts) {
    std::vector<RegEntry> subkeys;
    bool ok = RegNames(key, false, &subkeys);
    const RegEntry *found = nullptr;
    for (const RegEntry &k : subkeys)
      if (AsciiLower(k.shown) == AsciiLower(Utf8(part))) found = &k;
    HKEY child = nullptr;
    if (ok && found && RegOpenKeyExW(key, found->name.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) child = nullptr;
    if (found) path += "\\" + found->shown;
    if (key != root) RegCloseKey(key);
    if (!ok) return false;
    if (!child) return true;  // a missing key prints nothing
    key = child;
  }
  bool ok = RegDumpKey(key, path);
  if (key != root) RegCloseKey(key);
  return ok;
}

struct FileEntry {
  std::string path;  // relative, UTF-8, folders ending in a backslash
  uint64_t size, last_write;
  bool folder;
};

bool ListFiles(const std::wstring &dir, const std::wstring &relative, std::vector<FileEntry> *out) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ||
           Fail("FindFirstFileW " + Utf8(dir) + ": " + std::to_string(error));
  }
  bool ok = true;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring rel = relative + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out->push_back({Utf8(rel + L"\\"), 0, 0, true});
      ok = ListFiles(dir + L"\\" + name, rel + L"\\", out);
    } else {
      uint64_t size = (uint64_t)found.nFileSizeHigh << 32 | found.nFileSizeLow;
      uint64_t time = (uint64_t)found.ftLastWriteTime.dwHighDateTime << 32 | found.ftLastWriteTime.dwLowDateTime;
      out->push_back({Utf8(rel), size, time, false});
    }
  } while (ok && FindNextFileW(find, &found));
  FindClose(find);
  return ok;
}

bool Files(std::wstring dir) {
  while (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
  DWORD attributes = GetFileAttributesW(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  std::vector<FileEntry> entries;
  if (!ListFiles(dir, L"", &entries)) return false;
  std::sort(entries.begin(), entries.end(),
            [](const FileEntry &a, const FileEntry &b) { return LessIgnoringCase(a.path, b.path); });
  Print(Utf8(dir));
  for (const FileEntry &e : entries)
    Print("  " + e.path +
          (e.folder ? "" : " " + std::to_string(e.size) + " bytes, last write " + std::to_string(e.last_write)));
  return true;
}

// Runs the command at args[*i], taking its operands from the following arguments.
bool Run(int argc, wchar_t **args, int *i) {
  const std::wstring cmd = args[(*i)++];
  auto operand = [&](const wchar_t **text) {
    if (*i >= argc) return false;
    *text = args[(*i)++];
    return true;
  };
  auto number = [&](long *value) {
    const wchar_t *text = nullptr;
    return operand(&text) && ParseInt(text, value);
  };
  long n = 0;
  const wchar_t *s = nullptr;
  UINT vk = 0;
  if (cmd == L"wait-frame") return WaitFrame();
  if (cmd == L"page") return Page();
  if (cmd == L"focus") return Focus();
  if (cmd == L"list") return List();
  if (cmd == L"progress") return Progress();
  if (cmd == L"rect") return Rect();
  if (cmd == L"wait-exit") return WaitExit();
  if (cmd == L"wait-page") return operand(&s) ? WaitPage(s) : Fail("wait-page needs a header prefix");
  if (cmd == L"wait-focus") return number(&n) ? WaitFocus((int)n) : Fail("wait-focus needs a control id");
  if (cmd == L"text") return number(&n) ? Text((int)n) : Fail("text needs a control id");
  if (cmd == L"checked") return number(&n) ? Checked((int)n) : Fail("checked needs a control id");
  if (cmd == L"enabled") return number(&n) ? Enabled((int)n) : Fail("enabled needs a control id");
  if (cmd == L"visible") return number(&n) ? Visible((int)n) : Fail("visible needs a control id");
  if (cmd == L"click") return number(&n) ? Click((int)n, false) : Fail("click needs a control id");
  if (cmd == L"post-click") return number(&n) ? Click((int)n, true) : Fail("post-click needs a control id");
  if (cmd == L"key") return operand(&s) && ParseKey(s, &vk) ? Key(vk) : Fail("key needs enter, escape, tab, space or a VK number");
  if (cmd == L"regdump") return operand(&s) ? RegDump(s) : Fail("regdump needs a key path");
  if (cmd == L"files") return operand(&s) ? Files(s) : Fail("files needs a folder");
  if (cmd == L"wait-text") {
    if (!number(&n) || !operand(&s)) return Fail("wait-text needs a control id and a text");
    return WaitText((int)n, s);
  }
  if (cmd == L"sleep") {
    if (!number(&n) || n < 0) return Fail("sleep needs milliseconds");
    Sleep((DWORD)n);
    return true;
  }
  if (cmd == L"timeout") {
    if (!number(&n) || n <= 0) return Fail("timeout needs seconds");
    g_timeout_ms = (DWORD)n * 1000;
    return true;
  }
  return Fail("unknown command \"" + Utf8(cmd) + "\"");
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc < 2) {
    Print("usage: wine_driver COMMAND... (wait-frame, page, wait-page PREFIX, text ID, wait-text ID TEXT, "
          "checked ID, enabled ID, visible ID, focus, wait-focus ID, click ID, post-click ID, key NAME, list, progress, "
          "rect, wait-exit, sleep MS, timeout S, regdump KEYPATH, files DIR)");
    return 2;
  }
  for (int i = 1; i < argc;)
    if (!Run(argc, argv, &i)) return 1;
  return 0;
}
