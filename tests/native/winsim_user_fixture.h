// Test fixtures for winsim's window tests: extended dialog templates written by code and
// registered as RT_DIALOG resources, and a dialog procedure that records what it receives.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <winsim_test.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace user_fixture {

const WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83;

struct ItemLayout {
  int id;
  WORD class_ordinal;      // kButton..kListBox, or 0 to name the class
  const char *class_name;  // with class_ordinal 0
  DWORD style, ex_style;
  short x, y, cx, cy;
  const char *title;       // with title_ordinal 0
  WORD title_ordinal;
};

struct DialogLayout {
  DWORD style, ex_style;
  short x, y, cx, cy;
  const char *title;
  std::vector<ItemLayout> items;
};

// DLGTEMPLATEEX bytes; DS_SETFONT in the style adds a 9-point "Segoe UI" font block.
std::vector<uint8_t> TemplateBytes(const DialogLayout &layout);
void RegisterDialog(WORD id, const DialogLayout &layout);

// Ids of the fixture dialogs and their controls.
const WORD kFrameId = 201, kPageId = 202, kNoCancelPageId = 203, kNoDefaultPageId = 204;
const int kNext = 1, kCancel = 2, kBack = 3, kOptionA = 1006, kOptionB = 1007, kPlainCheck = 1008,
          kGroup = 1016, kEditId = 1005, kList = 1019, kProgress = 1020, kIcon = 1021,
          kStatus = 1003, kHiddenButton = 1014;

// A top-level frame (caption, visible) and pages that are DS_CONTROL children of it.
DialogLayout Frame();
DialogLayout Page();           // Next (default), Cancel, Back (disabled), check boxes, edit, list...
DialogLayout NoCancelPage();   // Next (default) only
DialogLayout NoDefaultPage();  // two plain push buttons, no default
void RegisterAll();          // all four, and InitCommonControlsEx for the progress bar

struct Event {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  bool visible_then;  // IsWindowVisible(hwnd) when the message arrived
};

// The recording dialog procedure: logs every message to Events(), then answers with
// Handler() if one is set (else FALSE; TRUE for WM_INITDIALOG).
INT_PTR CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
std::vector<Event> &Events();
std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> &Handler();
std::vector<Event> EventsOf(UINT message);
// A fresh world, fixture dialogs registered, no events, no handler.
void Fresh();

// The frame with one page created inside it (a hidden page unless `show_page`).
struct Wizard {
  HWND frame, page;
};
Wizard MakeWizard(WORD page_id = kPageId, bool show_page = true);

std::string Describe(UINT message);  // "WM_COMMAND" etc. for failure messages

}  // namespace user_fixture
