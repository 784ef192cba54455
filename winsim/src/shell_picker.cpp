/// \file
/// SHBrowseForFolderW as a scripted person: the picker window is a fake handle, the callback
/// gets BFFM_INITIALIZED, what it does to the window is recorded, the scripted answer returned.
#include "com_internal.h"
#include "picker_hooks.h"

#include <shlobj.h>
#include <winsim_test.h>

#include <deque>

namespace winsim {
namespace {

const UINT kWmSetText = 0x000C;

struct PickerState {
  std::deque<PickerAnswer> script;
  std::vector<PickerRecord> records;
  HWND running = nullptr;  // the picker whose callback is running now
  uintptr_t next_window = 0x7E000;
};

PickerState &ThePicker() {
  static PickerState state;
  return state;
}

PickerRecord *Running(HWND window) {
  PickerState &s = ThePicker();
  if (!window || window != s.running || s.records.empty()) return nullptr;
  return &s.records.back();
}

std::string LastComponent(const std::string &path) {
  std::string trimmed = path;
  while (trimmed.size() > 3 && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();
  size_t cut = trimmed.find_last_of("\\/");
  // A drive root is shown by its own name.
  return cut == std::string::npos || cut + 1 == trimmed.size() ? trimmed : trimmed.substr(cut + 1);
}

void ShowName(LPWSTR out, const std::string &name) {
  if (out) lstrcpynW(out, Wide(name).data(), MAX_PATH);
}

}  // namespace

void ResetPicker() { ThePicker() = PickerState(); }

void ScriptPicker(const PickerAnswer &answer) {
  EnsureReady();
  ThePicker().script.push_back(answer);
}

std::vector<PickerRecord> Pickers() {
  EnsureReady();
  return ThePicker().records;
}

bool PickerSetText(HWND window, LPCWSTR text) {
  PickerRecord *r = Running(window);
  if (!r) return false;
  r->caption_set = true;
  r->caption = Utf8(text);
  return true;
}

bool PickerHandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT *result) {
  PickerRecord *r = Running(window);
  if (!r) return false;
  if (result) *result = 0;
  switch (message) {
    case kWmSetText:
      return PickerSetText(window, (LPCWSTR)lparam);
    case BFFM_SETOKTEXT:
      r->ok_text_set = true;
      r->ok_text = Utf8((LPCWSTR)lparam);
      break;
    case BFFM_SETSELECTIONW:
      r->selection_set = true;
      r->selection_wparam = wparam != 0;
      // With wParam FALSE, lParam is an item list rather than a path.
      if (wparam) r->selection = Utf8((LPCWSTR)lparam);
      else if (!ItemListPath((PCIDLIST_ABSOLUTE)lparam, &r->selection)) r->selection.clear();
      break;
    case BFFM_SETSTATUSTEXTW:
      r->status_text = Utf8((LPCWSTR)lparam);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace winsim

using namespace winsim;

extern "C" PIDLIST_ABSOLUTE WINAPI SHBrowseForFolderW(LPBROWSEINFOW info) {
  if (Injected("SHBrowseForFolderW", nullptr)) return nullptr;
  if (!info) return nullptr;
  PickerState &s = ThePicker();
  PickerRecord record;
  record.owner = info->hwndOwner;
  record.window = (HWND)s.next_window;
  s.next_window += 4;
  record.title = Utf8(info->lpszTitle);
  record.flags = info->ulFlags;
  record.root_given = info->pidlRoot != nullptr;
  record.callback_given = info->lpfn != nullptr;
  record.lparam = info->lParam;
  s.records.push_back(record);
  if (info->lpfn) {
    s.running = record.window;
    info->lpfn(record.window, BFFM_INITIALIZED, 0, info->lParam);
    s.running = nullptr;
  }
  PickerAnswer answer;
  if (!s.script.empty()) {
    answer = s.script.front();
    s.script.pop_front();
  }
  switch (answer.kind) {
    case PickerKind::Folder:
      ShowName(info->pszDisplayName, LastComponent(answer.path));
      return NewPathItemList(answer.path);
    case PickerKind::NonFileSystemItem: {
      std::string name = answer.path.empty() ? "This PC" : answer.path;
      ShowName(info->pszDisplayName, name);
      return NewVirtualItemList(name);
    }
    case PickerKind::Cancel:
      break;
  }
  return nullptr;
}
