/// \file
/// CreateShortcut: a shell link to an installed program, saved through the link object's
/// IPersistFile. Returns the first failing COM result, else the result of saving.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "install/install.h"

HRESULT CreateShortcut(LPCWSTR target, LPCWSTR link_path) {
  IShellLinkW *link = NULL;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void **)&link);
  if (FAILED(result)) return result;
  link->SetPath(target);  // not tested: a bad target shows when the link is saved or used

  IPersistFile *file = NULL;
  result = link->QueryInterface(IID_IPersistFile, (void **)&file);
  if (FAILED(result)) {
    link->Release();
    return result;
  }
  result = file->Save(link_path, TRUE);
  file->Release();
  link->Release();
  return result;
}
