/// \file
/// CreateDialogParamW: turns an extended RT_DIALOG template into a dialog window and its
/// controls, then runs WM_SETFONT and WM_INITDIALOG as the dialog manager does.
///
/// Geometry: dialog units become pixels with fixed base units of 7 x 15 pixels (a 9-point
/// UI font at 96 DPI): x = MulDiv(dlu, 7, 4), y = MulDiv(dlu, 15, 8), whatever font the
/// template names. Template sizes are client sizes; the window gets a non-client frame on top.
#include "user_state.h"
#include "user_template.h"

#include <winsim_test.h>

#include <cstdio>

namespace winsim {
namespace {

const int kBaseX = 7, kBaseY = 15;
const int kCaption = 23, kDialogFrame = 3, kBorder = 1, kClientEdge = 2, kScrollBar = 17;

int MulDivRound(int value, int mul, int div) {
  long long p = (long long)value * mul;
  return (int)(p >= 0 ? (p + div / 2) / div : -((-p + div / 2) / div));
}

// Non-client widths: a caption bar over a fixed dialog frame, thin borders, edges and
// scroll bars all come out of the window rectangle, so the client area is what remains.
RECT FrameFor(DWORD style, DWORD ex_style) {
  int edge = 0;
  if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME)) edge += kDialogFrame;
  else if (style & WS_BORDER) edge += kBorder;
  if (ex_style & WS_EX_CLIENTEDGE) edge += kClientEdge;
  if (ex_style & WS_EX_STATICEDGE) edge += kBorder;
  RECT f{edge, edge, edge, edge};
  if ((style & WS_CAPTION) == WS_CAPTION) f.top += kCaption;
  if (style & WS_VSCROLL) f.right += kScrollBar;
  if (style & WS_HSCROLL) f.bottom += kScrollBar;
  return f;
}

RECT PixelRect(short x, short y, short cx, short cy) {
  RECT r;
  r.left = MulDivRound(x, kBaseX, 4);
  r.top = MulDivRound(y, kBaseY, 8);
  r.right = r.left + MulDivRound(cx, kBaseX, 4);
  r.bottom = r.top + MulDivRound(cy, kBaseY, 8);
  return r;
}

bool SameName(const std::u16string &a, const char *b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char16_t x = a[i] >= 'A' && a[i] <= 'Z' ? (char16_t)(a[i] + 32) : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? (char)(b[i] + 32) : b[i];
    if (x != (char16_t)y) return false;
  }
  return i == a.size() && !b[i];
}

// The class of a template item; false when no such class is registered.
bool ResolveClass(const ItemTemplate &item, Kind *kind, std::string *name) {
  static const struct { WORD ordinal; const char *name; Kind kind; } kClasses[] = {
      {0x80, "Button", Kind::kButton},     {0x81, "Edit", Kind::kEdit},
      {0x82, "Static", Kind::kStatic},     {0x83, "ListBox", Kind::kListBox},
      {0x84, "ScrollBar", Kind::kOther},   {0x85, "ComboBox", Kind::kOther},
  };
  for (const auto &c : kClasses) {
    if (item.class_ordinal ? item.class_ordinal == c.ordinal : SameName(item.class_name, c.name)) {
      *kind = c.kind;
      *name = c.name;
      return true;
    }
  }
  // Common controls exist only once InitCommonControlsEx has registered them: a template
  // naming one earlier fails to load on Windows too.
  if (!item.class_ordinal && SameName(item.class_name, "msctls_progress32") &&
      (User().common_controls & ICC_PROGRESS_CLASS)) {
    *kind = Kind::kProgress;
    *name = "msctls_progress32";
    return true;
  }
  return false;
}

HWND AddWindow(Window w) {
  w.handle = NewHandle();
  w.frame = FrameFor(w.style, w.ex_style);
  w.format_rect = RECT{0, 0, w.pos.right - w.pos.left - w.frame.left - w.frame.right,
                       w.pos.bottom - w.pos.top - w.frame.top - w.frame.bottom};
  HWND h = w.handle;
  if (Window *p = Win(w.parent)) p->children.push_back(h);
  User().windows[h] = std::move(w);
  return h;
}

HWND Fail(DWORD error, const std::string &why) {
  fprintf(stderr, "winsim: CreateDialogParamW fails: %s\n", why.c_str());
  SetLastError(error);
  return nullptr;
}

}  // namespace
}  // namespace winsim

using namespace winsim;

extern "C" HWND WINAPI CreateDialogParamW(HINSTANCE, LPCWSTR name, HWND parent, DLGPROC proc,
                                          LPARAM param) {
  EnsureReady();
  if (Injected("CreateDialogParamW", nullptr)) return nullptr;
  if (!IS_INTRESOURCE(name)) return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, "only integer template ids");
  WORD id = (WORD)(ULONG_PTR)name;
  std::vector<uint8_t> bytes = ResourceBytes(RT_DIALOG, id);
  if (bytes.empty()) return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, "no RT_DIALOG " + std::to_string(id));
  DialogTemplate t;
  std::string error;
  if (!ParseDialogTemplate(bytes.data(), bytes.size(), &t, &error))
    return Fail(ERROR_INVALID_PARAMETER, "RT_DIALOG " + std::to_string(id) + ": " + error);
  if (parent && !Win(parent)) return Fail(ERROR_INVALID_WINDOW_HANDLE, "parent is not a window");
  if ((t.style & WS_CHILD) && !parent) return Fail(ERROR_INVALID_PARAMETER, "WS_CHILD dialog without a parent");
  std::vector<std::pair<Kind, std::string>> classes;
  for (const ItemTemplate &item : t.items) {
    Kind kind;
    std::string class_name;
    if (!ResolveClass(item, &kind, &class_name))
      return Fail(ERROR_CANNOT_FIND_WND_CLASS, "control " + std::to_string(item.id) + " of RT_DIALOG " +
                  std::to_string(id) + " has an unregistered class '" + ToUtf8(item.class_name) + "'");
    classes.emplace_back(kind, class_name);
  }

  Window dialog;
  dialog.kind = Kind::kDialog;
  dialog.class_name = t.class_name.empty() ? "#32770" : ToUtf8(t.class_name);
  dialog.style = t.style & ~(DWORD)WS_VISIBLE;
  dialog.ex_style = t.ex_style | ((t.style & DS_CONTROL) ? WS_EX_CONTROLPARENT : 0);
  dialog.text = t.title;
  dialog.dialog_proc = proc;
  dialog.pos = PixelRect(t.x, t.y, t.cx, t.cy);
  // Template sizes are of the client area: grow the window by its frame.
  RECT frame = FrameFor(dialog.style, dialog.ex_style);
  dialog.pos.right += frame.left + frame.right;
  dialog.pos.bottom += frame.top + frame.bottom;
  if (t.style & WS_CHILD) {
    dialog.parent = parent;
  } else if (parent) {
    // A top-level dialog is placed relative to its owner's client area.
    dialog.owner = parent;
    RECT origin = ClientOriginRect(parent);
    dialog.pos.left += origin.left;
    dialog.pos.right += origin.left;
    dialog.pos.top += origin.top;
    dialog.pos.bottom += origin.top;
  }
  HWND dlg = AddWindow(dialog);

  HFONT font = (t.style & DS_SETFONT) ? (HFONT)(uintptr_t)(0x6F000 + t.point_size) : nullptr;
  if (font) SendMessageW(dlg, WM_SETFONT, (WPARAM)font, FALSE);
  for (size_t i = 0; i < t.items.size() && Win(dlg); ++i) {
    const ItemTemplate &item = t.items[i];
    Window control;
    control.kind = classes[i].first;
    control.class_name = classes[i].second;
    control.parent = dlg;
    control.id = (int)item.id;
    control.style = item.style | WS_CHILD;
    control.ex_style = item.ex_style;
    control.text = item.title;
    control.title_ordinal = item.title_ordinal;
    control.pos = PixelRect(item.x, item.y, item.cx, item.cy);
    HWND c = AddWindow(control);
    if (font) SendMessageW(c, WM_SETFONT, (WPARAM)font, FALSE);
  }
  if (!Win(dlg)) return nullptr;

  HWND first = FirstTabStop(dlg);
  LRESULT wants_focus = SendMessageW(dlg, WM_INITDIALOG, (WPARAM)first, param);
  if (!Win(dlg)) return nullptr;  // the procedure destroyed its own dialog
  if (wants_focus && Win(first)) SetFocus(first);
  if (t.style & WS_VISIBLE) ShowWindow(dlg, SW_SHOWNORMAL);
  return Win(dlg) ? dlg : nullptr;
}
