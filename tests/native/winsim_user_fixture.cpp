// Writes extended dialog templates byte by byte as the resource compiler lays them out, and
// keeps the recording dialog procedure's log.
#include "native/winsim_user_fixture.h"

#include <cstdio>

namespace user_fixture {
namespace {

struct Writer {
  std::vector<uint8_t> bytes;
  void Word(WORD v) {
    bytes.push_back((uint8_t)v);
    bytes.push_back((uint8_t)(v >> 8));
  }
  void Dword(DWORD v) {
    Word((WORD)v);
    Word((WORD)(v >> 16));
  }
  void Text(const char *utf8) {
    std::vector<WCHAR> w = winsim::Wide(utf8 ? utf8 : "");
    for (WCHAR c : w) Word((WORD)c);  // includes the terminator
  }
  void Ordinal(WORD v) {
    Word(0xFFFF);
    Word(v);
  }
  void Align() {
    while (bytes.size() % 4) bytes.push_back(0);
  }
};

std::vector<Event> g_events;
std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> g_handler;

}  // namespace

std::vector<uint8_t> TemplateBytes(const DialogLayout &layout) {
  Writer w;
  w.Word(1);
  w.Word(0xFFFF);
  w.Dword(0);  // help id
  w.Dword(layout.ex_style);
  w.Dword(layout.style);
  w.Word((WORD)layout.items.size());
  w.Word((WORD)layout.x);
  w.Word((WORD)layout.y);
  w.Word((WORD)layout.cx);
  w.Word((WORD)layout.cy);
  w.Word(0);  // no menu
  w.Word(0);  // the predefined dialog class
  w.Text(layout.title);
  if (layout.style & DS_SETFONT) {
    w.Word(9);
    w.Word(400);
    w.bytes.push_back(0);
    w.bytes.push_back(1);
    w.Text("Segoe UI");
  }
  for (const ItemLayout &item : layout.items) {
    w.Align();
    w.Dword(0);
    w.Dword(item.ex_style);
    w.Dword(item.style);
    w.Word((WORD)item.x);
    w.Word((WORD)item.y);
    w.Word((WORD)item.cx);
    w.Word((WORD)item.cy);
    w.Dword((DWORD)item.id);
    if (item.class_ordinal) w.Ordinal(item.class_ordinal);
    else w.Text(item.class_name);
    if (item.title_ordinal) w.Ordinal(item.title_ordinal);
    else w.Text(item.title);
    w.Word(0);  // no creation data
  }
  return w.bytes;
}

void RegisterDialog(WORD id, const DialogLayout &layout) {
  std::vector<uint8_t> bytes = TemplateBytes(layout);
  winsim::SetResource(RT_DIALOG, id, bytes.data(), bytes.size());
}

DialogLayout Frame() {
  return DialogLayout{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE | DS_SETFONT,
                    0, 10, 20, 320, 200, "Tevorlyn Test Setup", {}};
}

DialogLayout Page() {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  return DialogLayout{
      WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 320, 200, "",
      {
          {kStatus, kStatic, nullptr, child | SS_LEFT, 0, 8, 8, 200, 10, "Ready to install.", 0},
          {kIcon, kStatic, nullptr, child | SS_ICON | SS_REALSIZECONTROL, 0, 280, 8, 21, 20, nullptr, 101},
          {kEditId, kEdit, nullptr, child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
           8, 24, 200, 14, "C:\\Program Files\\Tevorlyn", 0},
          {kOptionA, kButton, nullptr, child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 8, 44, 100, 10, "Option &A", 0},
          {kOptionB, kButton, nullptr, child | WS_TABSTOP | BS_AUTOCHECKBOX | WS_DISABLED, 0, 8, 56, 100, 10,
           "Option &B", 0},
          {kPlainCheck, kButton, nullptr, child | WS_TABSTOP | BS_CHECKBOX, 0, 8, 68, 100, 10, "Plain", 0},
          {kGroup, kButton, nullptr, child | BS_GROUPBOX, 0, 4, 40, 200, 44, "Options", 0},
          {kList, kListBox, nullptr, child | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT,
           0, 8, 90, 200, 60, nullptr, 0},
          {kProgress, 0, "msctls_progress32", child | WS_BORDER, 0, 8, 154, 200, 10, "", 0},
          {kHiddenButton, kButton, nullptr, WS_CHILD | WS_TABSTOP, 0, 210, 90, 50, 14, "Hidden", 0},
          {kBack, kButton, nullptr, child | WS_TABSTOP | WS_DISABLED, 0, 150, 178, 50, 14, "< &Back", 0},
          {kNext, kButton, nullptr, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 204, 178, 50, 14, "&Next >", 0},
          {kCancel, kButton, nullptr, child | WS_TABSTOP, 0, 262, 178, 50, 14, "Cancel", 0},
      }};
}

DialogLayout NoCancelPage() {
  return DialogLayout{WS_CHILD | DS_CONTROL, 0, 0, 0, 320, 200, "",
                    {{kNext, kButton, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 204,
                      178, 50, 14, "&Close", 0}}};
}

DialogLayout NoDefaultPage() {
  const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  return DialogLayout{WS_CHILD | DS_CONTROL, 0, 0, 0, 320, 200, "",
                    {{kBack, kButton, nullptr, button, 0, 150, 178, 50, 14, "< &Back", 0},
                     {kNext, kButton, nullptr, button, 0, 204, 178, 50, 14, "&Next >", 0}}};
}

void RegisterAll() {
  RegisterDialog(kFrameId, Frame());
  RegisterDialog(kPageId, Page());
  RegisterDialog(kNoCancelPageId, NoCancelPage());
  RegisterDialog(kNoDefaultPageId, NoDefaultPage());
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
}

INT_PTR CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  g_events.push_back(Event{hwnd, message, wparam, lparam, IsWindowVisible(hwnd) != 0});
  if (g_handler) return g_handler(hwnd, message, wparam, lparam);
  return message == WM_INITDIALOG;
}

std::vector<Event> &Events() { return g_events; }
std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> &Handler() { return g_handler; }

std::vector<Event> EventsOf(UINT message) {
  std::vector<Event> out;
  for (const Event &e : g_events)
    if (e.message == message) out.push_back(e);
  return out;
}

void Fresh() {
  winsim::Reset();
  g_events.clear();
  g_handler = nullptr;
  RegisterAll();
}

Wizard MakeWizard(WORD page_id, bool show_page) {
  Wizard w;
  w.frame = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kFrameId), nullptr, RecordingProc, 0);
  w.page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(page_id), w.frame, RecordingProc, 0);
  if (show_page) ShowWindow(w.page, SW_SHOW);
  return w;
}

std::string Describe(UINT message) {
  switch (message) {
    case WM_DESTROY: return "WM_DESTROY";
    case WM_SETFONT: return "WM_SETFONT";
    case WM_INITDIALOG: return "WM_INITDIALOG";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_TIMER: return "WM_TIMER";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case BM_CLICK: return "BM_CLICK";
    case WM_QUIT: return "WM_QUIT";
    default: {
      char text[32];
      snprintf(text, sizeof text, "message 0x%04x", message);
      return text;
    }
  }
}

}  // namespace user_fixture
