/// \file
/// The destination folder picker: BrowseForDestination on top of the reusable
/// BrowseForFolder and its callback.

#include <windows.h>
#include <shlobj.h>

#include "resources/resource_ids.h"
#include "shell/shell.h"
#include "wizard/wizard.h"

static const DWORD kFixedBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;

int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM, LPARAM data) {
  if (message != BFFM_INITIALIZED) return 0;
  const BrowseRequest *request = (const BrowseRequest *)data;
  if (request->caption) SetWindowTextW(picker, request->caption);
  if (request->ok_text) SendMessageW(picker, BFFM_SETOKTEXT, 0, (LPARAM)request->ok_text);
  // wParam TRUE: lParam is a path, not an item list.
  if (request->path && request->path[0]) SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, (LPARAM)request->path);
  return 0;
}

BOOL BrowseForFolder(BrowseRequest *request) {
  WCHAR display_name[MAX_PATH];
  ZeroMemory(display_name, sizeof display_name);
  BROWSEINFOW info;
  ZeroMemory(&info, sizeof info);
  info.hwndOwner = request->owner;
  info.pidlRoot = NULL;  // the desktop
  info.pszDisplayName = display_name;
  info.lpszTitle = request->prompt;
  info.ulFlags = request->flags | kFixedBrowseFlags;
  info.lpfn = BrowseCallback;
  info.lParam = (LPARAM)request;
  info.iImage = 0;

  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (!item) return FALSE;  // cancelled
  // Converted aside first: an item without a file-system path leaves the request's path as it was.
  WCHAR picked[MAX_PATH];
  BOOL converted = SHGetPathFromIDListW(item, picked);
  CoTaskMemFree(item);
  if (converted) lstrcpyW(request->path, picked);
  return converted;
}

void BrowseForDestination(void) {
  SetupState *state = g_setup;
  BrowseRequest request;
  request.owner = state->pages[state->current_page];
  request.flags = 0;
  request.caption = NULL;
  request.prompt = L"Select a destination folder for Tevorlyn App Pack.";
  request.ok_text = NULL;
  request.path = state->browse_path;
  if (!BrowseForFolder(&request)) return;
  // The picked folder becomes the destination as it is, with a trailing backslash.
  lstrcpyW(state->install_dir, state->browse_path);
  AppendSlash(state->install_dir);
  SetDlgItemTextW(state->pages[PAGE_DESTINATION], IDC_DESTINATION_EDIT, state->install_dir);
  UpdateSpaceInfo(state);
}
