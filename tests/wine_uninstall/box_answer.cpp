/// \file
/// Answers the uninstaller's message boxes as a person would: a console program that finds
/// each box by its caption, prints its text and clicks one of its buttons (BM_CLICK).
///
///   box_answer.exe BUTTON...     BUTTON: yes, no or ok; one per box, in the order they come
///
/// For each button it waits for a box titled "Tevorlyn App Pack", prints "box: TEXT" (control
/// characters in caret notation) and clicks the button, then waits until that box is gone.
/// A last word "wait" instead of a button prints the next box's text and leaves it open, so
/// that the program showing it is still running while the caller looks around.
/// Exit code 1, with a line "error: ...", when a box does not come or lacks the button.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const wchar_t kCaption[] = L"Tevorlyn App Pack";
const wchar_t kDialogClass[] = L"#32770";
const int kBoxTextId = 0xFFFF;  // the static holding a message box's text
const DWORD kWaitMs = 30000;
const DWORD kPollMs = 50;

std::string Utf8(const wchar_t *text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string s(n - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &s[0], n, nullptr, nullptr);
  return s;
}

std::string Shown(const std::string &text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 32) {
      out += '^';
      out += (char)(c + 64);
    } else {
      out += (char)c;
    }
  }
  return out;
}

int Fail(const char *what) {
  printf("error: %s\n", what);
  fflush(stdout);
  return 1;
}

HWND WaitForBox() {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    HWND box = FindWindowW(kDialogClass, kCaption);
    if (box && IsWindowVisible(box)) return box;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool WaitUntilGone(HWND box) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (!IsWindow(box)) return true;
    Sleep(kPollMs);
  }
  return false;
}

int ButtonId(const char *word) {
  if (!strcmp(word, "yes")) return IDYES;
  if (!strcmp(word, "no")) return IDNO;
  if (!strcmp(word, "ok")) return IDOK;
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    bool look_only = !strcmp(argv[i], "wait");
    int id = ButtonId(argv[i]);
    if (!id && !look_only) return Fail("unknown button (yes, no, ok)");
    if (look_only && i + 1 < argc) return Fail("\"wait\" comes last");
    HWND box = WaitForBox();
    if (!box) return Fail("no message box came");
    wchar_t text[4096] = L"";
    GetDlgItemTextW(box, kBoxTextId, text, (int)(sizeof text / sizeof text[0]));
    printf("box: %s\n", Shown(Utf8(text)).c_str());
    fflush(stdout);
    if (look_only) break;
    HWND button = GetDlgItem(box, id);
    if (!button) return Fail("the box has no such button");
    DWORD_PTR result = 0;
    // A button's click ends the box; the sent message returns once the box has handled it.
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &result))
      return Fail("the click was not handled");
    if (!WaitUntilGone(box)) return Fail("the box stayed after the click");
  }
  return 0;
}
