// The installer's own dialog templates, as windres compiled them into the embedded .res, load
// in winsim with the controls, classes and styles the resource script gives them.
#include <gtest/gtest.h>

#include "native/winsim_user_fixture.h"
#include "resources/resource_ids.h"

namespace {

using namespace user_fixture;

HWND Create(WORD id, HWND parent) {
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), parent, RecordingProc, 0);
}

TEST(WinsimRealTemplates, EveryPageLoadsIntoTheHiddenFrame) {
  Fresh();
  HWND frame = Create(IDD_MAIN, nullptr);
  ASSERT_NE(nullptr, frame);
  EXPECT_FALSE(IsWindowVisible(frame)) << "the frame is created hidden";
  EXPECT_TRUE((winsim::Style(frame) & WS_CAPTION) == WS_CAPTION);
  struct Row {
    WORD id;
    size_t controls;
  } rows[] = {{IDD_LICENSE, 5}, {IDD_COMPONENTS, 15}, {IDD_DESTINATION, 10}, {IDD_PROGRESS, 6}};
  for (const Row &r : rows) {
    size_t before = winsim::WindowCount();
    HWND page = Create(r.id, frame);
    ASSERT_NE(nullptr, page) << "template " << r.id;
    EXPECT_EQ(frame, GetParent(page)) << "template " << r.id;
    EXPECT_EQ(1 + r.controls, winsim::WindowCount() - before) << "template " << r.id;
    HWND icon = GetDlgItem(page, -1);
    ASSERT_NE(nullptr, icon) << "template " << r.id;
    EXPECT_EQ(IDI_APP, winsim::TitleOrdinal(icon)) << "template " << r.id;
    EXPECT_EQ((DWORD)SS_ICON, winsim::Style(icon) & 0x1F) << "template " << r.id;
    HWND next = GetDlgItem(page, IDC_NEXT);
    EXPECT_EQ((DWORD)BS_DEFPUSHBUTTON, winsim::Style(next) & BS_TYPEMASK) << "template " << r.id;
    EXPECT_EQ(MAKELRESULT(IDC_NEXT, DC_HASDEFID), SendMessageW(page, DM_GETDEFID, 0, 0)) << "template " << r.id;
  }
}

TEST(WinsimRealTemplates, HiddenControlsAndTheProgressPageControls) {
  Fresh();
  HWND frame = Create(IDD_MAIN, nullptr);
  HWND components = Create(IDD_COMPONENTS, frame);
  HWND spare = GetDlgItem(components, IDC_COMPONENT_SPARE);
  EXPECT_FALSE(winsim::Style(spare) & WS_VISIBLE);
  EXPECT_FALSE(IsWindowEnabled(spare));
  HWND progress = Create(IDD_PROGRESS, frame);
  HWND list = GetDlgItem(progress, IDC_DETAILS_LIST);
  EXPECT_EQ("ListBox", winsim::ClassName(list));
  EXPECT_FALSE(winsim::Style(list) & WS_VISIBLE);
  EXPECT_TRUE(winsim::ExStyle(list) & WS_EX_STATICEDGE);
  HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
  EXPECT_EQ("msctls_progress32", winsim::ClassName(bar));
  EXPECT_EQ(0, winsim::ProgressPos(bar));
  HWND edit = GetDlgItem(Create(IDD_LICENSE, frame), IDC_LICENSE_TEXT);
  EXPECT_EQ((DWORD)(ES_MULTILINE | ES_READONLY), winsim::Style(edit) & (ES_MULTILINE | ES_READONLY));
}

TEST(WinsimRealTemplates, TheApplicationIconLoads) {
  winsim::Reset();
  EXPECT_NE(nullptr, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP)));
}

}  // namespace
