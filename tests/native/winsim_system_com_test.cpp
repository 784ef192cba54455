// winsim's COM: apartment initialisation results and counting, CoCreateInstance's answers,
// reference counting of the shell link object, task memory, and the GUID values.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <winsim_test.h>

#include <cstdio>
#include <thread>

namespace {

std::string GuidText(const GUID &g) {
  char text[40];
  snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", (unsigned)g.Data1, g.Data2,
           g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}

TEST(WinsimCom, GuidsHaveThePlatformValues) {
  struct Case {
    const char *row;
    const GUID &guid;
    const char *text;
  } cases[] = {
      {"CLSID_ShellLink", CLSID_ShellLink, "{00021401-0000-0000-C000-000000000046}"},
      {"IID_IShellLinkW", IID_IShellLinkW, "{000214F9-0000-0000-C000-000000000046}"},
      {"IID_IPersistFile", IID_IPersistFile, "{0000010B-0000-0000-C000-000000000046}"},
      {"IID_IUnknown", IID_IUnknown, "{00000000-0000-0000-C000-000000000046}"},
  };
  for (const Case &c : cases) EXPECT_EQ(c.text, GuidText(c.guid)) << c.row;
  EXPECT_TRUE(IsEqualGUID(CLSID_ShellLink, CLSID_ShellLink));
  EXPECT_FALSE(IsEqualIID(IID_IShellLinkW, IID_IPersistFile));
}

TEST(WinsimCom, InitialisationCountsPerModeAsDocumented) {
  winsim::Reset();
  struct Step {
    const char *row;
    DWORD mode;  // or ~0u for CoUninitialize
    HRESULT result;
    unsigned depth;
  } steps[] = {
      {"first, apartment", COINIT_APARTMENTTHREADED, S_OK, 1},
      {"again, same mode", COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE, S_FALSE, 2},
      {"other mode", COINIT_MULTITHREADED, RPC_E_CHANGED_MODE, 2},
      {"uninitialise", ~0u, S_OK, 1},
      {"uninitialise", ~0u, S_OK, 0},
      {"first again, other mode", COINIT_MULTITHREADED, S_OK, 1},
      {"apartment now refused", COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE, 1},
      {"uninitialise", ~0u, S_OK, 0},
  };
  for (const Step &s : steps) {
    if (s.mode == ~0u) CoUninitialize();
    else EXPECT_EQ(s.result, CoInitializeEx(nullptr, s.mode)) << s.row;
    EXPECT_EQ(s.depth, winsim::ComInitDepth()) << s.row;
  }
}

TEST(WinsimCom, InjectedInitialisationFaults) {
  winsim::Reset();
  winsim::FailCall("CoInitializeEx", 1, (DWORD)E_OUTOFMEMORY);
  winsim::FailCall("CoInitializeEx", 2, ERROR_ACCESS_DENIED);
  EXPECT_EQ(E_OUTOFMEMORY, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) << "an HRESULT is returned as is";
  EXPECT_EQ(E_FAIL, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) << "a Win32 code becomes E_FAIL";
  EXPECT_EQ(0u, winsim::ComInitDepth());
  EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  CoUninitialize();
}

TEST(WinsimCom, CreateInstanceNeedsComAndKnowsOnlyTheShellLink) {
  winsim::Reset();
  void *object = (void *)0x1;
  EXPECT_EQ(CO_E_NOTINITIALIZED,
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &object));
  EXPECT_EQ(nullptr, object);

  ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const GUID other = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  struct Case {
    const char *row;
    const GUID &clsid;
    DWORD context;
    const GUID &iid;
    HRESULT result;
  } cases[] = {
      {"IShellLinkW", CLSID_ShellLink, CLSCTX_INPROC_SERVER, IID_IShellLinkW, S_OK},
      {"IUnknown", CLSID_ShellLink, CLSCTX_INPROC_SERVER, IID_IUnknown, S_OK},
      {"IPersistFile", CLSID_ShellLink, CLSCTX_ALL, IID_IPersistFile, S_OK},
      {"unknown interface", CLSID_ShellLink, CLSCTX_INPROC_SERVER, other, E_NOINTERFACE},
      {"unknown class", other, CLSCTX_INPROC_SERVER, IID_IUnknown, REGDB_E_CLASSNOTREG},
      {"out of process only", CLSID_ShellLink, CLSCTX_LOCAL_SERVER, IID_IUnknown, REGDB_E_CLASSNOTREG},
  };
  for (const Case &c : cases) {
    object = (void *)0x1;
    EXPECT_EQ(c.result, CoCreateInstance(c.clsid, nullptr, c.context, c.iid, &object)) << c.row;
    if (SUCCEEDED(c.result)) {
      ASSERT_NE(nullptr, object) << c.row;
      EXPECT_EQ(1u, winsim::LiveComObjects()) << c.row;
      EXPECT_EQ(0u, ((IUnknown *)object)->Release()) << c.row << ": one reference was handed out";
    } else {
      EXPECT_EQ(nullptr, object) << c.row;
    }
    EXPECT_EQ(0u, winsim::LiveComObjects()) << c.row;
  }
  EXPECT_EQ(E_POINTER, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr));
  CoUninitialize();
}

TEST(WinsimCom, CreateInstanceRefusesAggregationAndHonoursFaults) {
  winsim::Reset();
  ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IUnknown *outer = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, (void **)&outer));
  void *object = (void *)0x1;
  EXPECT_EQ(CLASS_E_NOAGGREGATION,
            CoCreateInstance(CLSID_ShellLink, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
  EXPECT_EQ(nullptr, object);
  outer->Release();

  winsim::FailCall("CoCreateInstance", 1, ERROR_OUTOFMEMORY);
  winsim::FailCall("CoCreateInstance", 2, (DWORD)REGDB_E_CLASSNOTREG);
  EXPECT_EQ(E_FAIL, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
  EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
  EXPECT_EQ(nullptr, object);
  EXPECT_EQ(0u, winsim::LiveComObjects());
  EXPECT_EQ(0u, winsim::CallCount("QueryInterface")) << "creation does not spend the product's QueryInterface calls";
  CoUninitialize();
}

TEST(WinsimCom, ReferencesAreCountedAcrossInterfaces) {
  winsim::Reset();
  ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IShellLinkW *link = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void **)&link));
  IPersistFile *file = nullptr;
  ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, (void **)&file));
  IUnknown *unknown = nullptr;
  ASSERT_EQ(S_OK, file->QueryInterface(IID_IUnknown, (void **)&unknown));
  EXPECT_EQ((void *)link, (void *)unknown) << "IUnknown is the same pointer whichever interface is asked";
  EXPECT_EQ(4u, link->AddRef());
  EXPECT_EQ(3u, link->Release());
  CLSID clsid = {};
  EXPECT_EQ(S_OK, file->GetClassID(&clsid));
  EXPECT_TRUE(IsEqualCLSID(CLSID_ShellLink, clsid));
  EXPECT_EQ(2u, unknown->Release());
  EXPECT_EQ(1u, file->Release());
  EXPECT_EQ(1u, winsim::LiveComObjects());
  EXPECT_EQ(0u, link->Release());
  EXPECT_EQ(0u, winsim::LiveComObjects());
  CoUninitialize();
}

TEST(WinsimCom, InjectedQueryInterfaceFaultGivesNoInterfaceAndNoReference) {
  winsim::Reset();
  ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IShellLinkW *link = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void **)&link));
  winsim::FailCall("QueryInterface", 1, ERROR_ACCESS_DENIED);
  IPersistFile *file = (IPersistFile *)0x1;
  EXPECT_EQ(E_NOINTERFACE, link->QueryInterface(IID_IPersistFile, (void **)&file));
  EXPECT_EQ(nullptr, file);
  EXPECT_EQ(E_NOINTERFACE, link->QueryInterface(GUID{1, 2, 3, {}},
                                                (void **)&file))
      << "an interface the object lacks";
  EXPECT_EQ(E_POINTER, link->QueryInterface(IID_IPersistFile, nullptr));
  EXPECT_EQ(0u, link->Release());
  EXPECT_EQ(0u, winsim::LiveComObjects());
  CoUninitialize();
}

TEST(WinsimCom, ApartmentsBelongToThreads) {
  winsim::Reset();
  ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  HRESULT on_other_thread = S_OK;
  std::thread other([&] {
    void *object = nullptr;
    on_other_thread = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
  });
  other.join();
  EXPECT_EQ(CO_E_NOTINITIALIZED, on_other_thread);
  CoUninitialize();
}

TEST(WinsimCom, TaskMemoryIsTracked) {
  winsim::Reset();
  void *a = CoTaskMemAlloc(10);
  void *b = CoTaskMemAlloc(0);
  ASSERT_NE(nullptr, a);
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(2u, winsim::LiveTaskAllocations());
  CoTaskMemFree(a);
  CoTaskMemFree(nullptr);
  CoTaskMemFree(b);
  EXPECT_EQ(0u, winsim::LiveTaskAllocations());
  winsim::FailCall("CoTaskMemAlloc", 1, ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(nullptr, CoTaskMemAlloc(10));
  EXPECT_EQ(0u, winsim::LiveTaskAllocations());
}

}  // namespace
