// Placeholder uninstaller shipped as the payload's last entry: it only says that
// uninstalling is not available yet.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  MessageBoxW(nullptr, L"The uninstaller of Tevorlyn App Pack is not available yet.",
              L"Tevorlyn App Pack", MB_OK | MB_ICONINFORMATION);
  return 0;
}
