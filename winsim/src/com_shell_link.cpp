/// \file
/// The shell link object (CLSID_ShellLink): IShellLinkW holds the link's fields, IPersistFile
/// saves them as a .lnk file through winsim's own file calls, so paths, sharing and faults apply.
#include "com_internal.h"
#include "link_file.h"
#include "paths.h"

#include <winsim_test.h>

namespace winsim {
namespace {

HRESULT CopyOut(const std::string &text, LPWSTR out, int chars) {
  if (!out || chars <= 0) return E_INVALIDARG;
  lstrcpynW(out, Wide(text).data(), chars);
  return S_OK;
}

HRESULT Store(LPCWSTR text, std::string *field) {
  if (!text) return E_INVALIDARG;
  *field = Utf8(text);
  return S_OK;
}

DWORD TargetAttributes(const std::string &target) {
  Resolved r = Resolve(Wide(target).data());
  if (r.error || !r.exists) return 0;
  return r.is_dir ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
}

struct ShellLink final : IShellLinkW, IPersistFile {
  ULONG refs = 1;
  LinkContents link;
  std::string current_file;
  bool dirty = false;

  ShellLink() { ComObjectCreated(); }
  ~ShellLink() { ComObjectDestroyed(); }

  HRESULT Query(REFIID riid, void **object) {
    if (riid == IID_IUnknown || riid == IID_IShellLinkW) {
      *object = static_cast<IShellLinkW *>(this);
    } else if (riid == IID_IPersist || riid == IID_IPersistFile) {
      *object = static_cast<IPersistFile *>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    ++refs;
    return S_OK;
  }

  // IUnknown, shared by both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    Fault hit;
    if (Injected("QueryInterface", nullptr, &hit)) return InjectedHresult(hit.error, E_NOINTERFACE);
    return Query(riid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs;
    if (!left) delete this;
    return left;
  }

  // IShellLinkW.
  HRESULT STDMETHODCALLTYPE GetPath(LPWSTR file, int chars, LPWIN32_FIND_DATAW, DWORD) override {
    HRESULT hr = CopyOut(link.target, file, chars);
    return FAILED(hr) ? hr : link.target.empty() ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE *pidl) override {
    if (!pidl) return E_POINTER;
    *pidl = nullptr;
    if (link.target.empty()) return S_FALSE;
    *pidl = NewPathItemList(link.target);
    return *pidl ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE pidl) override {
    std::string path;
    if (!ItemListPath(pidl, &path)) return E_INVALIDARG;
    return SetTarget(path);
  }
  HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR name, int chars) override {
    return CopyOut(link.description, name, chars);
  }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR name) override { return Changed(Store(name, &link.description)); }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR dir, int chars) override {
    return CopyOut(link.working_dir, dir, chars);
  }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR dir) override { return Changed(Store(dir, &link.working_dir)); }
  HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR args, int chars) override { return CopyOut(link.arguments, args, chars); }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR args) override { return Changed(Store(args, &link.arguments)); }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD *hotkey) override {
    if (!hotkey) return E_POINTER;
    *hotkey = link.hotkey;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD hotkey) override {
    link.hotkey = hotkey;
    return Changed(S_OK);
  }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int *show_cmd) override {
    if (!show_cmd) return E_POINTER;
    *show_cmd = link.show_command;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int show_cmd) override {
    link.show_command = show_cmd;
    return Changed(S_OK);
  }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR icon_path, int chars, int *icon_index) override {
    if (!icon_index) return E_POINTER;
    *icon_index = link.icon_index;
    return CopyOut(link.icon_path, icon_path, chars);
  }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR icon_path, int icon_index) override {
    link.icon_index = icon_index;
    return Changed(Store(icon_path ? icon_path : L"", &link.icon_path));
  }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR path_rel, DWORD) override {
    return Changed(Store(path_rel, &link.relative_path));
  }
  HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR file) override {
    if (!file || !file[0]) return E_INVALIDARG;
    return SetTarget(Utf8(file));
  }

  // IPersist and IPersistFile.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID *clsid) override {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_ShellLink;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return dirty ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR file_name, BOOL remember) override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR *file_name) override {
    if (!file_name) return E_POINTER;
    std::vector<WCHAR> w = Wide(current_file.empty() ? "*.lnk" : current_file);
    *file_name = (LPOLESTR)CoTaskMemAlloc(w.size() * sizeof(WCHAR));
    if (!*file_name) return E_OUTOFMEMORY;
    memcpy(*file_name, w.data(), w.size() * sizeof(WCHAR));
    return current_file.empty() ? S_FALSE : S_OK;
  }

  HRESULT SetTarget(const std::string &path) {
    link.target = path;
    return Changed(S_OK);
  }
  HRESULT Changed(HRESULT hr) {
    if (SUCCEEDED(hr)) dirty = true;
    return hr;
  }
};

HRESULT LastErrorResult() {
  DWORD error = GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

HRESULT ShellLink::Save(LPCOLESTR file_name, BOOL remember) {
  Fault hit;
  if (Injected("IPersistFile::Save", file_name, &hit)) return InjectedHresult(hit.error, HRESULT_FROM_WIN32(hit.error));
  std::string name = file_name ? Utf8(file_name) : current_file;
  if (name.empty()) return E_INVALIDARG;
  link.target_attributes = link.target.empty() ? 0 : TargetAttributes(link.target);
  std::vector<uint8_t> bytes = BuildLinkFile(link);
  HANDLE file = CreateFileW(Wide(name).data(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastErrorResult();
  DWORD written = 0;
  HRESULT hr = S_OK;
  if (!WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr)) hr = LastErrorResult();
  else if (written != bytes.size()) hr = HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
  if (!CloseHandle(file) && SUCCEEDED(hr)) hr = LastErrorResult();
  if (FAILED(hr)) return hr;
  if (remember) {
    current_file = name;
    dirty = false;
  }
  return S_OK;
}

}  // namespace

HRESULT NewShellLink(REFIID riid, void **object) {
  ShellLink *link = new ShellLink();
  HRESULT hr = link->Query(riid, object);
  link->Release();
  return hr;
}

}  // namespace winsim
