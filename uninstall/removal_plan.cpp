/// \file
/// The removal plan: the eight programs and the registry entries an installation writes
/// (install/registration.cpp), in the order they are removed.
#include "uninstall/uninstall.h"

const LPCWSTR UNINSTALL_COMPONENT_NAMES[UNINSTALL_COMPONENT_COUNT] = {
    L"Zirvex", L"PanelTwine", L"CloakBeacon", L"Tumbly", L"MicroChime", L"QuietQuill", L"LockQZV", L"Frostbin",
};

// The verbs and ProgIDs are ours alone: they go with their subtrees. An extension key is
// shared with whichever program holds the type now, so it goes only while it still names ours.
const RegistryRemoval UNINSTALL_REGISTRY_ENTRIES[] = {
    {REMOVE_KEY_TREE, L"Software\\Classes\\Directory\\shell\\MicroChime", NULL},
    {REMOVE_KEY_TREE, L"Software\\Classes\\SystemFileAssociations\\audio\\shell\\MicroChime", NULL},
    {REMOVE_EXTENSION_IF_OURS, L"Software\\Classes\\.qtxt", L"QuietQuill.Document"},
    {REMOVE_KEY_TREE, L"Software\\Classes\\QuietQuill.Document", NULL},
    {REMOVE_EXTENSION_IF_OURS, L"Software\\Classes\\.qzv", L"LockQZV.File"},
    {REMOVE_KEY_TREE, L"Software\\Classes\\LockQZV.File", NULL},
    {REMOVE_EXTENSION_IF_OURS, L"Software\\Classes\\.fro", L"Frostbin.File"},
    {REMOVE_KEY_TREE, L"Software\\Classes\\Frostbin.File", NULL},
    {REMOVE_VALUE, L"Software\\Tevorlyn", L"AppPath"},
    {REMOVE_KEY_TREE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn", NULL},
};

const DWORD UNINSTALL_REGISTRY_ENTRY_COUNT = sizeof UNINSTALL_REGISTRY_ENTRIES / sizeof UNINSTALL_REGISTRY_ENTRIES[0];
