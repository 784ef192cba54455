/// \file
/// winsim's <objbase.h>: GUIDs, COM HRESULTs, apartment initialisation, object creation, task
/// memory, and the IUnknown/IPersist/IPersistFile interfaces (abstract structs in vtable order).
#pragma once

#include <windows.h>

#define STDMETHODCALLTYPE
#define STDAPI WINSIM_EXTERN_C HRESULT WINAPI

typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID, IID, CLSID;
typedef GUID *LPGUID;
typedef IID *LPIID;
typedef CLSID *LPCLSID;
#ifdef __cplusplus
typedef const GUID &REFGUID;
typedef const IID &REFIID;
typedef const CLSID &REFCLSID;
#else
typedef const GUID *REFGUID;
typedef const IID *REFIID;
typedef const CLSID *REFCLSID;
#endif

typedef WCHAR OLECHAR;
typedef OLECHAR *LPOLESTR;
typedef const OLECHAR *LPCOLESTR;

// winerror.h: the COM results the installer and winsim report.
#ifndef E_POINTER
#define E_POINTER ((HRESULT)0x80004003L)
#endif
#ifndef E_NOTIMPL
#define E_NOTIMPL ((HRESULT)0x80004001L)
#endif
#ifndef E_UNEXPECTED
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#endif
#ifndef CO_E_NOTINITIALIZED
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#endif
#ifndef REGDB_E_CLASSNOTREG
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#endif
#ifndef CLASS_E_NOAGGREGATION
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#endif
#ifndef RPC_E_CHANGED_MODE
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#endif
#ifndef FACILITY_WIN32
#define FACILITY_WIN32 7
#endif
#ifndef HRESULT_FROM_WIN32
#define HRESULT_FROM_WIN32(x) \
  ((HRESULT)(x) <= 0 ? ((HRESULT)(x)) : ((HRESULT)(((x) & 0x0000FFFF) | (FACILITY_WIN32 << 16) | 0x80000000)))
#endif

#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_DISABLE_OLE1DDE 0x4

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | 0x10)

#define STGM_READ 0x00000000L
#define STGM_WRITE 0x00000001L
#define STGM_READWRITE 0x00000002L

#ifdef __cplusplus
inline bool operator==(const GUID &a, const GUID &b) { return memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool operator!=(const GUID &a, const GUID &b) { return !(a == b); }
inline BOOL IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)

// No virtual destructors: the vtable holds exactly the documented methods, in order.
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown *LPUNKNOWN;

struct IPersist : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetClassID(CLSID *clsid) = 0;
};

struct IPersistFile : public IPersist {
  virtual HRESULT STDMETHODCALLTYPE IsDirty() = 0;
  virtual HRESULT STDMETHODCALLTYPE Load(LPCOLESTR file_name, DWORD mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE Save(LPCOLESTR file_name, BOOL remember) = 0;
  virtual HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR file_name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR *file_name) = 0;
};
#endif

WINSIM_EXTERN_C const IID IID_IUnknown;
WINSIM_EXTERN_C const IID IID_IPersist;
WINSIM_EXTERN_C const IID IID_IPersistFile;

WINSIM_EXTERN_C HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD co_init);
WINSIM_EXTERN_C HRESULT WINAPI CoInitialize(LPVOID reserved);
WINSIM_EXTERN_C void WINAPI CoUninitialize(void);
#ifdef __cplusplus
WINSIM_EXTERN_C HRESULT WINAPI CoCreateInstance(REFCLSID clsid, IUnknown *outer, DWORD cls_context, REFIID riid,
                                                LPVOID *object);
#endif
WINSIM_EXTERN_C LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes);
WINSIM_EXTERN_C void WINAPI CoTaskMemFree(LPVOID block);
