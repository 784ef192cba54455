/// \file
/// The registry entries of an installation: the MicroChime verb on folders and audio files,
/// the three file types, "AppPath", and the uninstall entry. All under HKEY_LOCAL_MACHINE.
#include "install/install.h"
#include "shell/shell.h"

struct FileType {
  DWORD component;
  LPCWSTR extension;
  LPCWSTR prog_id;
  LPCWSTR description;
};

static const DWORD kVerbComponent = 4;  // MicroChime
static const FileType kFileTypes[] = {
    {5, L".qtxt", L"QuietQuill.Document", L"QuietQuill Document"},
    {6, L".qzv", L"LockQZV.File", L"QZV Encrypted File"},
    {7, L".fro", L"Frostbin.File", L"Frostbin Archive"},
};

static DWORD TextBytes(LPCWSTR text) { return (DWORD)(lstrlenW(text) + 1) * sizeof(WCHAR); }

// The key's default value, as text.
static void WriteDefaultText(LPCWSTR key_path, LPCWSTR text) {
  WriteRegistryValue(key_path, NULL, REG_SZ, text, TextBytes(text));
}

static void WriteVerb(SetupState *state, LPCWSTR verb, const InstallValues *values) {
  static const WCHAR kVerbText[] = L"Play with MicroChime";
  WriteDefaultText(BuildRegistryPath(state, L"Classes", L"Directory", L"shell", verb, NULL, NULL), kVerbText);
  WriteRegistryValue(BuildRegistryPath(state, L"Classes", L"Directory", L"shell", verb, L"command", NULL), NULL,
                     REG_SZ, values->command_value, values->command_bytes);
  WriteDefaultText(BuildRegistryPath(state, L"Classes", L"SystemFileAssociations", L"audio", L"shell", verb, NULL),
                   kVerbText);
  WriteRegistryValue(
      BuildRegistryPath(state, L"Classes", L"SystemFileAssociations", L"audio", L"shell", verb, L"command"), NULL,
      REG_SZ, values->command_value, values->command_bytes);
}

static void WriteFileType(SetupState *state, const FileType *type, const InstallValues *values) {
  WriteDefaultText(BuildRegistryPath(state, L"Classes", type->extension, NULL, NULL, NULL, NULL), type->prog_id);
  WriteDefaultText(BuildRegistryPath(state, L"Classes", type->prog_id, NULL, NULL, NULL, NULL), type->description);
  WriteRegistryValue(BuildRegistryPath(state, L"Classes", type->prog_id, L"DefaultIcon", NULL, NULL, NULL), NULL,
                     REG_SZ, values->icon_value, values->icon_bytes);
  WriteDefaultText(BuildRegistryPath(state, L"Classes", type->prog_id, L"shell", NULL, NULL, NULL), L"open");
  WriteRegistryValue(BuildRegistryPath(state, L"Classes", type->prog_id, L"shell", L"open", L"command", NULL), NULL,
                     REG_SZ, values->command_value, values->command_bytes);
}

void WriteComponentRegistration(SetupState *state, DWORD component, const InstallValues *values) {
  if (component == kVerbComponent) WriteVerb(state, state->component_names[component], values);
  for (const FileType &type : kFileTypes)
    if (type.component == component) WriteFileType(state, &type, values);
}

void WriteAppPath(SetupState *state) {
  WriteRegistryValue(BuildRegistryPath(state, SETUP_VENDOR_KEY, NULL, NULL, NULL, NULL, NULL),
                     SETUP_APP_PATH_VALUE, REG_SZ, state->install_dir, TextBytes(state->install_dir));
}

void WriteUninstallEntry(SetupState *state, const InstallValues *values) {
  // Built once: the eight writes below leave the scratch area alone.
  LPCWSTR key = BuildRegistryPath(state, L"Microsoft", L"Windows", L"CurrentVersion", L"Uninstall",
                                  SETUP_VENDOR_KEY, NULL);
  const DWORD estimated_kib = state->required_bytes >> 10;
  const DWORD yes = 1;
  WriteRegistryValue(key, L"DisplayIcon", REG_SZ, values->icon_value, values->icon_bytes);
  WriteRegistryValue(key, L"DisplayName", REG_SZ, SETUP_PRODUCT_TITLE, TextBytes(SETUP_PRODUCT_TITLE));
  WriteRegistryValue(key, L"DisplayVersion", REG_SZ, L"2610", TextBytes(L"2610"));
  WriteRegistryValue(key, L"Publisher", REG_SZ, L"Tevorlyn", TextBytes(L"Tevorlyn"));
  WriteRegistryValue(key, L"UninstallString", REG_SZ, values->command_value, values->command_bytes);
  WriteRegistryValue(key, L"EstimatedSize", REG_DWORD, &estimated_kib, sizeof estimated_kib);
  WriteRegistryValue(key, L"NoModify", REG_DWORD, &yes, sizeof yes);
  WriteRegistryValue(key, L"NoRepair", REG_DWORD, &yes, sizeof yes);
}
