/// \file
/// BuildWizard: the main frame's initialisation. Creates the four pages, puts in every text
/// (the templates carry none), ticks the boxes, shows the licence, sets the icon, starts the
/// step timer, centres the frame and shows it.
#include "resources/resource_ids.h"
#include "shell/shell.h"
#include "wizard/wizard.h"

struct PageText {
  DWORD page;
  int control;
  const char *text;
};

// In the order they are set.
static const PageText kPageTexts[] = {
    {PAGE_LICENSE, IDC_LICENSE_HEADER,
     "Please review the license agreement before installing Tevorlyn App Pack. If you accept all terms of "
     "the agreement, click I Agree."},
    {PAGE_COMPONENTS, IDC_COMPONENTS_HEADER,
     "Check the components you want to install and uncheck the components you don't want to install. "
     "Click Next to continue."},
    {PAGE_DESTINATION, IDC_DESTINATION_HEADER,
     "Setup will install Tevorlyn App Pack in the following folder. To install in a different folder, click "
     "Browse and select another folder. Click Install to start the installation."},
    {PAGE_DESTINATION, IDC_DESTINATION_GROUP, "Destination Folder"},
    {PAGE_LICENSE, IDC_NEXT, "I &Agree"},
    {PAGE_COMPONENTS, IDC_NEXT, "&Next >"},
    {PAGE_DESTINATION, IDC_NEXT, "&Install"},
    {PAGE_PROGRESS, IDC_NEXT, "&Close"},
    {PAGE_LICENSE, IDC_CANCEL, "Cancel"},
    {PAGE_COMPONENTS, IDC_CANCEL, "Cancel"},
    {PAGE_DESTINATION, IDC_CANCEL, "Cancel"},
    {PAGE_DESTINATION, IDC_BROWSE, "B&rowse..."},
    {PAGE_COMPONENTS, IDC_BACK, "< &Back"},
    {PAGE_DESTINATION, IDC_BACK, "< &Back"},
    {PAGE_PROGRESS, IDC_SHOW_DETAILS, "Show &Details"},
};

static const DWORD kLicenseShownBytes = SETUP_SCRATCH_BYTES - 1;  // byte 511 stays 0

static BOOL CreatePages(SetupState *state, HWND frame) {
  for (DWORD i = 0; i < PAGE_COUNT; ++i) {
    // Pages already made stay: they die with the frame.
    state->pages[i] = CreateDialogParamW(state->instance, MAKEINTRESOURCEW(IDD_LICENSE + i), frame,
                                         PageDialogProc, 0);
    if (!state->pages[i]) return FALSE;
  }
  return TRUE;
}

static void SetTexts(SetupState *state) {
  for (const PageText &t : kPageTexts) SetDlgItemTextA(state->pages[t.page], t.control, t.text);
  HWND components = state->pages[PAGE_COMPONENTS];
  for (DWORD k = 0; k < COMPONENT_COUNT; ++k) {
    SetDlgItemTextW(components, IDC_COMPONENT_FIRST + k, state->component_names[k]);
    CheckDlgButton(components, IDC_COMPONENT_FIRST + k, BST_CHECKED);
  }
  SetDlgItemTextA(components, IDC_SHORTCUTS, "Start Menu Shortcuts");
  CheckDlgButton(components, IDC_SHORTCUTS, BST_CHECKED);
  SetDlgItemTextW(state->pages[PAGE_DESTINATION], IDC_DESTINATION_EDIT, state->install_dir);
}

// The licence entry carries no terminator: copy at most 511 bytes into zeroed scratch.
static void ShowLicenseText(SetupState *state) {
  const PayloadEntry *licence = &state->entries[0];
  DWORD n = licence->size < kLicenseShownBytes ? licence->size : kLicenseShownBytes;
  ZeroMemory(state->scratch.bytes, SETUP_SCRATCH_BYTES);
  CopyMemory(state->scratch.bytes, state->output.data + licence->offset, n);
  SetDlgItemTextA(state->pages[PAGE_LICENSE], IDC_LICENSE_TEXT, state->scratch.ansi);
}

BOOL BuildWizard(HWND frame) {
  SetupState *state = g_setup;  // main_window is stored only after the frame exists: use `frame`
  if (!CreatePages(state, frame)) return FALSE;
  state->details_list = GetDlgItem(state->pages[PAGE_PROGRESS], IDC_DETAILS_LIST);
  InsetEditRect(GetDlgItem(state->pages[PAGE_LICENSE], IDC_LICENSE_TEXT), 6, 6);
  SetWindowTextW(frame, SETUP_PRODUCT_TITLE);
  SetTexts(state);
  ShowLicenseText(state);

  state->app_icon = LoadIconW(state->instance, MAKEINTRESOURCEW(IDI_APP));
  SendMessageW(frame, WM_SETICON, ICON_SMALL, (LPARAM)state->app_icon);
  SendMessageW(frame, WM_SETICON, ICON_BIG, (LPARAM)state->app_icon);

  if (!SetTimer(frame, SETUP_TIMER_ID, SETUP_TIMER_PERIOD_MS, NULL)) return FALSE;
  CentreWindow(frame);
  ShowPage(state, PAGE_LICENSE);
  ShowWindow(frame, SW_SHOWNORMAL);
  return TRUE;
}
