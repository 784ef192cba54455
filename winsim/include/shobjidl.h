/// \file
/// winsim's <shobjidl.h>: item identifier lists and the IShellLinkW interface of the shell
/// link object (CLSID_ShellLink), methods in the documented vtable order.
#pragma once

#include <objbase.h>

typedef unsigned short USHORT;

#pragma pack(push, 1)
typedef struct _SHITEMID {
  USHORT cb;  // size of this item including cb; an item with cb 0 ends the list
  BYTE abID[1];
} SHITEMID, *LPSHITEMID;
typedef const SHITEMID *LPCSHITEMID;

typedef struct _ITEMIDLIST {
  SHITEMID mkid;
} ITEMIDLIST, *LPITEMIDLIST;
#pragma pack(pop)
typedef const ITEMIDLIST *LPCITEMIDLIST;
typedef ITEMIDLIST *PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST *PCIDLIST_ABSOLUTE;
typedef const ITEMIDLIST *PCUIDLIST_ABSOLUTE;

// Only passed through by pointer here; kernel headers may define the full record.
typedef struct _WIN32_FIND_DATAW *LPWIN32_FIND_DATAW;

#define SLGP_SHORTPATH 0x1
#define SLGP_UNCPRIORITY 0x2
#define SLGP_RAWPATH 0x4
#define SLR_NO_UI 0x1

#ifdef __cplusplus
struct IShellLinkW : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetPath(LPWSTR file, int chars, LPWIN32_FIND_DATAW find_data, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE *pidl) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE pidl) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR name, int chars) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR dir, int chars) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR dir) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR args, int chars) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR args) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHotkey(WORD *hotkey) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetHotkey(WORD hotkey) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetShowCmd(int *show_cmd) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetShowCmd(int show_cmd) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR icon_path, int chars, int *icon_index) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR icon_path, int icon_index) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR path_rel, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE Resolve(HWND window, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR file) = 0;
};
#endif

WINSIM_EXTERN_C const CLSID CLSID_ShellLink;
WINSIM_EXTERN_C const IID IID_IShellLinkW;
