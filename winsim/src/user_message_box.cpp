/// \file
/// Message boxes, recorded and answered by the test instead of shown (no modal loop runs),
/// and LoadIconW over the module's RT_GROUP_ICON resources.
#include "user_state.h"

#include <winsim_test.h>

namespace winsim {
namespace {

// What Enter would choose: the box's default button (MB_DEFBUTTONn, else the first).
int DefaultAnswer(UINT type) {
  static const std::vector<int> kButtons[] = {
      {IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
      {IDYES, IDNO}, {IDRETRY, IDCANCEL}, {IDCANCEL, 10 /* try again */, 11 /* continue */}};
  UINT set = type & 0xF;
  if (set >= sizeof kButtons / sizeof kButtons[0]) return IDOK;
  UINT which = (type >> 8) & 0xF;
  const std::vector<int> &buttons = kButtons[set];
  return which < buttons.size() ? buttons[which] : buttons[0];
}

int Show(HWND owner, const std::string &text, const std::string &caption, UINT type) {
  EnsureReady();
  UserWorld &u = User();
  u.boxes.push_back(MessageBoxRecord{owner, text, caption, type});
  if (u.answers.empty()) return DefaultAnswer(type);
  int answer = u.answers.front();
  u.answers.pop_front();
  return answer;
}

}  // namespace

std::vector<MessageBoxRecord> MessageBoxes() {
  EnsureReady();
  return User().boxes;
}

void AnswerNextMessageBox(int answer) {
  EnsureReady();
  User().answers.push_back(answer);
}

}  // namespace winsim

using namespace winsim;

// A null caption shows as "Error", as the platform titles such a box.
extern "C" int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  return Show(owner, Utf8(text), caption ? Utf8(caption) : "Error", type);
}

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::vector<WCHAR> wide_text = FromAnsi(text);
  std::vector<WCHAR> wide_caption = FromAnsi(caption);
  return Show(owner, Utf8(wide_text.data()), caption ? Utf8(wide_caption.data()) : "Error", type);
}

// The module's own icons only; the system's predefined icons are not modelled.
extern "C" HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
  EnsureReady();
  if (!instance || !IS_INTRESOURCE(name) || ResourceBytes(RT_GROUP_ICON, (WORD)(ULONG_PTR)name).empty()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return (HICON)(uintptr_t)(0x1C00000 + (WORD)(ULONG_PTR)name);
}
