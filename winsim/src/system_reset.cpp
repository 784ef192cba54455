/// \file
/// ResetSystem: puts the registry, security, COM, shell folders and picker back to their
/// initial state; called by Reset() once the sandbox exists.
#include <winsim_test.h>

namespace winsim {

void ResetRegistry();      // registry_tree.cpp
void ResetSecurity();      // security_sid.cpp
void ResetCom();           // com_apartment.cpp
void ResetShellFolders();  // shell_folders.cpp
void ResetPicker();        // shell_picker.cpp

void ResetSystem() {
  ResetRegistry();
  ResetSecurity();
  ResetCom();
  ResetShellFolders();
  ResetPicker();
}

}  // namespace winsim
