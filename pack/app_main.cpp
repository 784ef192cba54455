// One of the eight Tevorlyn App Pack programs: a window showing the program's name, its
// version and the file it was started with. TEVORLYN_APP_NAME picks which program.
#include <windows.h>
#include <shellapi.h>

#ifndef TEVORLYN_APP_NAME
#error "build with -DTEVORLYN_APP_NAME=<program name>"
#endif

#define TEVORLYN_WIDE_(x) L"" #x
#define TEVORLYN_WIDE(x) TEVORLYN_WIDE_(x)

namespace {

const wchar_t kAppName[] = TEVORLYN_WIDE(TEVORLYN_APP_NAME);
const wchar_t kClassPrefix[] = L"TevorlynAppPack.";
const wchar_t kVersion[] = L"26.10";

// Built once in wWinMain; WM_PAINT only draws it.
wchar_t g_text[2 * MAX_PATH + 128];

void Append(wchar_t* out, size_t capacity, const wchar_t* text) {
  size_t used = lstrlenW(out);
  while (*text && used + 1 < capacity) out[used++] = *text++;
  out[used] = L'\0';
}

void ComposeText() {
  const size_t cap = sizeof g_text / sizeof g_text[0];
  g_text[0] = L'\0';
  Append(g_text, cap, kAppName);
  Append(g_text, cap, L"\r\nVersion ");
  Append(g_text, cap, kVersion);
  Append(g_text, cap, L"\r\n\r\n");

  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv && argc > 1) {
    Append(g_text, cap, L"Opened: ");
    Append(g_text, cap, argv[1]);
  } else {
    Append(g_text, cap, L"No file opened.");
  }
  if (argv) LocalFree(argv);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      InflateRect(&rc, -16, -16);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      DrawTextW(dc, g_text, -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  ComposeText();

  // A class name of its own per program, so two pack programs never share a class.
  wchar_t class_name[64] = L"";
  Append(class_name, 64, kClassPrefix);
  Append(class_name, 64, kAppName);

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = class_name;
  if (!RegisterClassExW(&wc)) return 1;

  HWND hwnd = CreateWindowExW(0, class_name, kAppName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 480, 240, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
