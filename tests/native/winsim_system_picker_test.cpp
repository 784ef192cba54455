// SHBrowseForFolderW as the test scripts it: answers in order, item lists that turn back into
// paths (or do not), and a record of each call and of what its callback did to the picker.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <winsim_test.h>

#include "../winsim/src/picker_hooks.h"

namespace {

struct Seen {
  int calls = 0;
  HWND window = nullptr;
  UINT message = 0;
  LPARAM data = 0;
  bool hooks_took_them = true;
};

// Does what the installer's callback does, through the hooks the GUI layer forwards to.
int CALLBACK Callback(HWND window, UINT message, LPARAM, LPARAM data) {
  Seen *seen = (Seen *)data;
  ++seen->calls;
  seen->window = window;
  seen->message = message;
  seen->data = data;
  LRESULT result = 1;
  seen->hooks_took_them &= winsim::PickerSetText(window, L"Choose a folder");
  seen->hooks_took_them &= winsim::PickerHandleMessage(window, BFFM_SETOKTEXT, 0, (LPARAM)L"Install here", &result);
  seen->hooks_took_them &= winsim::PickerHandleMessage(window, BFFM_SETSELECTIONW, TRUE,
                                                       (LPARAM)L"C:\\Program Files\\Tevorlyn", &result);
  seen->hooks_took_them &= result == 0;
  seen->hooks_took_them &= !winsim::PickerSetText((HWND)(ULONG_PTR)0x1234, L"someone else's window");
  return 0;
}

BROWSEINFOW Info(WCHAR *display_name, Seen *seen) {
  BROWSEINFOW info;
  memset(&info, 0, sizeof info);
  info.hwndOwner = (HWND)(ULONG_PTR)0x4242;
  info.pszDisplayName = display_name;
  info.lpszTitle = L"Select a destination folder";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = seen ? Callback : nullptr;
  info.lParam = (LPARAM)seen;
  return info;
}

TEST(WinsimPicker, ScriptedAnswersComeBackAsItemLists) {
  struct Case {
    const char *row;
    bool scripted;
    winsim::PickerAnswer answer;
    bool returns_item;
    BOOL has_path;
    const char *path;
    const char *display_name;
  } cases[] = {
      {"nothing scripted", false, {}, false, FALSE, "", "untouched"},
      {"cancel", true, {winsim::PickerKind::Cancel, ""}, false, FALSE, "", "untouched"},
      {"folder", true, {winsim::PickerKind::Folder, "D:\\Apps\\Tevorlyn"}, true, TRUE, "D:\\Apps\\Tevorlyn", "Tevorlyn"},
      {"drive root", true, {winsim::PickerKind::Folder, "E:\\"}, true, TRUE, "E:\\", "E:\\"},
      {"non-file-system item", true, {winsim::PickerKind::NonFileSystemItem, "Network"}, true, FALSE, "", "Network"},
      {"unnamed non-file-system item", true, {winsim::PickerKind::NonFileSystemItem, ""}, true, FALSE, "", "This PC"},
  };
  for (const Case &c : cases) {
    winsim::Reset();
    if (c.scripted) winsim::ScriptPicker(c.answer);
    WCHAR display_name[MAX_PATH];
    lstrcpyW(display_name, L"untouched");
    BROWSEINFOW info = Info(display_name, nullptr);
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    EXPECT_EQ(c.returns_item, item != nullptr) << c.row;
    EXPECT_EQ(c.display_name, winsim::Utf8(display_name)) << c.row;
    WCHAR path[MAX_PATH];
    memset(path, 0xff, sizeof path);
    EXPECT_EQ(c.has_path, SHGetPathFromIDListW(item, path)) << c.row;
    EXPECT_EQ(c.path, winsim::Utf8(path)) << c.row;
    EXPECT_EQ(c.returns_item ? 1u : 0u, winsim::LiveTaskAllocations()) << c.row << ": the item is task memory";
    CoTaskMemFree(item);
    EXPECT_EQ(0u, winsim::LiveTaskAllocations()) << c.row;
    ASSERT_EQ(1u, winsim::Pickers().size()) << c.row;
  }
}

TEST(WinsimPicker, RecordsTheCallAndWhatTheCallbackDid) {
  winsim::Reset();
  winsim::ScriptPicker({winsim::PickerKind::Folder, "C:\\Program Files\\Tevorlyn"});
  WCHAR display_name[MAX_PATH];
  Seen seen;
  BROWSEINFOW info = Info(display_name, &seen);
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  ILFree(item);

  EXPECT_EQ(1, seen.calls);
  EXPECT_EQ((UINT)BFFM_INITIALIZED, seen.message);
  EXPECT_EQ((LPARAM)&seen, seen.data);
  EXPECT_TRUE(seen.hooks_took_them);
  ASSERT_EQ(1u, winsim::Pickers().size());
  winsim::PickerRecord r = winsim::Pickers()[0];
  EXPECT_EQ((HWND)(ULONG_PTR)0x4242, r.owner);
  EXPECT_EQ(seen.window, r.window);
  EXPECT_NE(nullptr, r.window);
  EXPECT_EQ("Select a destination folder", r.title);
  EXPECT_EQ((UINT)(BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE), r.flags);
  EXPECT_FALSE(r.root_given);
  EXPECT_TRUE(r.callback_given);
  EXPECT_EQ((LPARAM)&seen, r.lparam);
  EXPECT_TRUE(r.caption_set);
  EXPECT_EQ("Choose a folder", r.caption);
  EXPECT_TRUE(r.ok_text_set);
  EXPECT_EQ("Install here", r.ok_text);
  EXPECT_TRUE(r.selection_set);
  EXPECT_EQ("C:\\Program Files\\Tevorlyn", r.selection);
  EXPECT_TRUE(r.selection_wparam);

  LRESULT result = 0;
  EXPECT_FALSE(winsim::PickerSetText(r.window, L"late")) << "the picker is gone once the call returns";
  EXPECT_FALSE(winsim::PickerHandleMessage(r.window, BFFM_SETOKTEXT, 0, (LPARAM)L"late", &result));
}

TEST(WinsimPicker, WithoutCallbackNothingIsSetAndAnswersGoInOrder) {
  winsim::Reset();
  winsim::ScriptPicker({winsim::PickerKind::Folder, "C:\\First"});
  winsim::ScriptPicker({winsim::PickerKind::Cancel, ""});
  winsim::ScriptPicker({winsim::PickerKind::Folder, "C:\\Third"});
  WCHAR display_name[MAX_PATH];
  BROWSEINFOW info = Info(display_name, nullptr);
  std::vector<std::string> got;
  for (int i = 0; i < 4; ++i) {
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    WCHAR path[MAX_PATH];
    got.push_back(item && SHGetPathFromIDListW(item, path) ? winsim::Utf8(path) : "(cancel)");
    ILFree(item);
  }
  EXPECT_EQ((std::vector<std::string>{"C:\\First", "(cancel)", "C:\\Third", "(cancel)"}), got);
  std::vector<winsim::PickerRecord> records = winsim::Pickers();
  ASSERT_EQ(4u, records.size());
  EXPECT_FALSE(records[0].callback_given);
  EXPECT_FALSE(records[0].caption_set || records[0].ok_text_set || records[0].selection_set);
  EXPECT_NE(records[0].window, records[1].window) << "each picker is a window of its own";
}

TEST(WinsimPicker, SelectionByItemListAndWindowTextMessage) {
  winsim::Reset();
  static PIDLIST_ABSOLUTE selection_item;
  selection_item = nullptr;
  struct Local {
    static int CALLBACK Callback(HWND window, UINT, LPARAM, LPARAM) {
      LRESULT result;
      selection_item = SHBrowseForFolderW(nullptr);  // no info: nothing, and no record
      winsim::PickerHandleMessage(window, 0x000C /* WM_SETTEXT */, 0, (LPARAM)L"By message", &result);
      winsim::PickerHandleMessage(window, BFFM_SETSTATUSTEXTW, 0, (LPARAM)L"Status", &result);
      return 0;
    }
  };
  winsim::ScriptPicker({winsim::PickerKind::Folder, "C:\\Chosen"});
  WCHAR display_name[MAX_PATH];
  BROWSEINFOW info = Info(display_name, nullptr);
  info.lpfn = Local::Callback;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  ASSERT_NE(nullptr, item);
  EXPECT_EQ(nullptr, selection_item);

  // A second picker whose callback selects by item list (wParam FALSE).
  static PIDLIST_ABSOLUTE chosen;
  chosen = item;
  struct ByList {
    static int CALLBACK Callback(HWND window, UINT, LPARAM, LPARAM) {
      LRESULT result;
      winsim::PickerHandleMessage(window, BFFM_SETSELECTIONW, FALSE, (LPARAM)chosen, &result);
      return 0;
    }
  };
  info.lpfn = ByList::Callback;
  EXPECT_EQ(nullptr, SHBrowseForFolderW(&info));
  ILFree(item);

  std::vector<winsim::PickerRecord> records = winsim::Pickers();
  ASSERT_EQ(2u, records.size());
  EXPECT_TRUE(records[0].caption_set);
  EXPECT_EQ("By message", records[0].caption);
  EXPECT_EQ("Status", records[0].status_text);
  EXPECT_TRUE(records[1].selection_set);
  EXPECT_FALSE(records[1].selection_wparam);
  EXPECT_EQ("C:\\Chosen", records[1].selection);
}

TEST(WinsimPicker, FaultAndLimits) {
  winsim::Reset();
  winsim::ScriptPicker({winsim::PickerKind::Folder, "C:\\Kept"});
  winsim::FailCall("SHBrowseForFolderW", 1, ERROR_NOT_ENOUGH_MEMORY);
  WCHAR display_name[MAX_PATH];
  Seen seen;
  BROWSEINFOW info = Info(display_name, &seen);
  EXPECT_EQ(nullptr, SHBrowseForFolderW(&info));
  EXPECT_EQ(0, seen.calls) << "a failed call shows no picker";
  EXPECT_TRUE(winsim::Pickers().empty());
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  WCHAR path[MAX_PATH];
  EXPECT_TRUE(SHGetPathFromIDListW(item, path)) << "the scripted answer waited for the next call";
  EXPECT_EQ("C:\\Kept", winsim::Utf8(path));
  ILFree(item);

  std::string longest(MAX_PATH - 1, 'a'), too_long(MAX_PATH, 'a');
  winsim::ScriptPicker({winsim::PickerKind::Folder, longest});
  winsim::ScriptPicker({winsim::PickerKind::Folder, too_long});
  info.lpfn = nullptr;
  for (const std::string &p : {longest, too_long}) {
    item = SHBrowseForFolderW(&info);
    EXPECT_EQ(p.size() < MAX_PATH, (bool)SHGetPathFromIDListW(item, path)) << p.size() << " characters";
    ILFree(item);
  }
  EXPECT_FALSE(SHGetPathFromIDListW(nullptr, path));
  EXPECT_EQ(0u, winsim::LiveTaskAllocations());
}

}  // namespace
