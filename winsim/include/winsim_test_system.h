/// \file
/// Test control of winsim's system side: the registry, the Administrators answer, COM and
/// shell links, special folders and the scripted folder picker. Included via winsim_test.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace winsim {

// Back to the state after Reset(): empty registry, administrator, COM uninitialised on this
// thread, default shell folders (created in the sandbox), no scripted picker answers.
void ResetSystem();

// --- Registry ----------------------------------------------------------------------------
// Key paths name a root and a path below it: "HKLM\\Software\\X" (also HKEY_LOCAL_MACHINE,
// HKCU/HKEY_CURRENT_USER, HKCR/HKEY_CLASSES_ROOT, which is HKLM\Software\Classes). The tree
// starts empty: no key exists below the roots until something creates it.
//
// RegistryDump(path) prints the key at `path` (default the whole HKLM) and everything below,
// one line per key and per value, each ending in "\n":
//   HKLM\Software\Tevorlyn                       a key: its full path, names as created
//     "AppPath" REG_SZ "D:\Apps\" (18 bytes)     its values, two blanks in, sorted by name
//     "EstimatedSize" REG_DWORD 0x861 (4 bytes)
//     @ REG_SZ "x" (4 bytes)                     the default (unnamed) value is shown as @
// then the key's subkeys, each with its own values and subkeys. Keys and values are sorted by
// name ignoring case. Data: REG_SZ and REG_EXPAND_SZ as the text up to the first NUL, raw
// (no escaping), followed by " [no terminator]" when the data holds no NUL character;
// REG_DWORD of 4 bytes as 0x%x; everything else (REG_MULTI_SZ, REG_BINARY, a DWORD of
// another size, ...) as "hex:" and lower-case bytes separated by commas ("hex:" when empty).
// Every value ends with its stored byte count. Types without a name print as "type(N)".
// An unknown or missing path gives an empty string.
std::string RegistryDump(const std::string &key_path = "HKLM");
bool RegistryKeyExists(const std::string &key_path);
// name "" is the key's default value.
bool RegistryValue(const std::string &key_path, const std::string &name, DWORD *type,
                   std::vector<uint8_t> *bytes);
// Seeds a value (creating the keys on the way); no counted calls, no faults.
void SetRegistryValue(const std::string &key_path, const std::string &name, DWORD type,
                      const std::vector<uint8_t> &bytes);
void CreateRegistryKey(const std::string &key_path);
// Registry handles the code under test has opened and not closed (predefined roots excluded).
size_t OpenKeyCount();
// Value data helpers: a terminated UTF-16 string, a little-endian DWORD.
std::vector<uint8_t> SzBytes(const std::string &utf8);
std::vector<uint8_t> DwordBytes(DWORD value);

// --- Security ----------------------------------------------------------------------------
// Whether the caller's token counts as a member of BUILTIN\Administrators (default true).
void SetAdministrator(bool is_admin);
// SIDs from AllocateAndInitializeSid not yet given back with FreeSid.
size_t LiveSids();

// --- COM ---------------------------------------------------------------------------------
// Faults: FailCall("CoInitializeEx" | "CoCreateInstance" | "QueryInterface" |
// "IPersistFile::Save" | "SHGetFolderPathW", n, code). A code with the severity bit set
// (0x8xxxxxxx) is returned as the HRESULT; any other code gives E_FAIL (E_NOINTERFACE for
// QueryInterface, HRESULT_FROM_WIN32(code) for IPersistFile::Save).
// Shell link objects and other COM objects alive now.
size_t LiveComObjects();
// CoTaskMemAlloc blocks not yet freed (item lists from the picker included).
size_t LiveTaskAllocations();
// CoInitializeEx calls on this thread not yet balanced by CoUninitialize.
unsigned ComInitDepth();

// --- Shell folders -----------------------------------------------------------------------
// Defaults (folders created in the sandbox by Reset):
//   CSIDL_PROGRAM_FILES            C:\Program Files
//   CSIDL_COMMON_PROGRAMS          C:\ProgramData\Microsoft\Windows\Start Menu\Programs
//   CSIDL_PROGRAMS                 C:\Users\User\AppData\Roaming\Microsoft\Windows\Start Menu\Programs
//   CSIDL_APPDATA                  C:\Users\User\AppData\Roaming
//   CSIDL_COMMON_APPDATA           C:\ProgramData
//   CSIDL_DESKTOPDIRECTORY         C:\Users\User\Desktop
//   CSIDL_COMMON_DESKTOPDIRECTORY  C:\Users\Public\Desktop
// SetShellFolder replaces the answer for csidl (no folder is created; CSIDL_FLAG_CREATE does).
void SetShellFolder(int csidl, const std::string &path);

// --- Folder picker -----------------------------------------------------------------------
enum class PickerKind { Cancel, Folder, NonFileSystemItem };
struct PickerAnswer {
  PickerKind kind = PickerKind::Cancel;
  std::string path;  // Folder: the chosen folder; NonFileSystemItem: its display name
};
// Queues the answer of the next SHBrowseForFolderW; with none queued the picker is cancelled.
void ScriptPicker(const PickerAnswer &answer);

// One SHBrowseForFolderW call, and what its callback did to the picker window while it ran
// (through SetWindowTextW and SendMessageW on the handle it was given).
struct PickerRecord {
  HWND owner = nullptr;
  HWND window = nullptr;         // the handle the callback received
  std::string title;             // lpszTitle
  UINT flags = 0;                // ulFlags
  bool root_given = false;       // pidlRoot was not null
  bool callback_given = false;   // lpfn was not null
  LPARAM lparam = 0;             // lParam as given
  bool caption_set = false;
  std::string caption;
  bool ok_text_set = false;
  std::string ok_text;
  bool selection_set = false;
  std::string selection;         // BFFM_SETSELECTIONW's path (when wParam is TRUE)
  bool selection_wparam = false; // wParam was TRUE: lParam was a path, not an item list
  std::string status_text;       // BFFM_SETSTATUSTEXTW
};
std::vector<PickerRecord> Pickers();

}  // namespace winsim
