// Shared by the uninstaller's scenarios: a machine with other programs' registry entries,
// installations through the real installer, and one run of the uninstaller with queued answers.
#pragma once
#include <winsim_test.h>

#include <string>
#include <vector>

#include "native/setup_scenario.h"

namespace uninstall_fixture {

extern const char *const kNames[8];
extern const std::string kFolder;   // "C:\\Program Files\\Tevorlyn\\"
extern const std::string kMenu;     // the common Start Menu's Tevorlyn folder, with a backslash
extern const std::string kProgram;  // kFolder + "uninstall.exe"
extern const std::string kQuestion;
extern const std::string kRemoved;
extern const std::string kFailedIntro;

// A fresh world whose registry already holds what the platform and other programs keep in the
// keys an installation writes into (so that removing ours must leave exactly this).
void FreshMachine();

// An installation through the installer's WinMain, with these moves on the Components page.
void Install(std::vector<scenario::Step> on_components = {});

// One run of RunUninstaller as kProgram, the boxes answered in order. Returns the boxes it
// showed. Checks that it ended with exit code 0 and left nothing open.
std::vector<winsim::MessageBoxRecord> Uninstall(std::vector<int> answers);

// What the system does at the next restart with the scheduled removals: files go, folders go
// when empty.
void Restart();

// Every file below a folder (recursively), as Windows paths; empty if there is no such folder.
std::vector<std::string> FilesBelow(const std::string &folder);

std::string RegistrySoftware();  // RegistryDump("HKLM\\Software")
std::string SzValue(const std::string &key, const std::string &name);  // "(missing)" if none

}  // namespace uninstall_fixture
