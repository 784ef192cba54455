#!/usr/bin/env bash
# The four wizard pages in order, as a person sees them: header texts, button texts, the
# component boxes, the destination and space texts, Back and Next, and the last page after the
# installation. Ends with Close and exit code 0.
# shellcheck source=e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
e2e_begin "$@"

TITLE="Tevorlyn App Pack (32-bit)"
LICENCE="Please review the license agreement before installing Tevorlyn App Pack. If you accept all terms of the agreement, click I Agree."
COMPONENTS="Check the components you want to install and uncheck the components you don't want to install. Click Next to continue."
DESTINATION="Setup will install Tevorlyn App Pack in the following folder. To install in a different folder, click Browse and select another folder. Click Install to start the installation."
DONE="Installation completed successfully."
# Component boxes 1006..1013 and the shortcut box 1015 with their labels.
BOXES=(1006:Zirvex 1007:PanelTwine 1008:CloakBeacon 1009:Tumbly 1010:MicroChime 1011:QuietQuill
       1012:LockQZV 1013:Frostbin "1015:Start Menu Shortcuts")
REQUIRED_MB=$(python3 "$E2E_HELPER" required-mb "$E2E_IMAGE")

e2e_start

e2e_log "licence page"
drive wait-frame page wait-focus 1 text 1 text 2 visible 1004 enabled 1 text 1004
expect_lines <<EOF
frame: $TITLE
page: $LICENCE
focus: 1
text 1: I &Agree
text 2: Cancel
visible 1004: 1
enabled 1: 1
text 1004: $(python3 "$E2E_HELPER" licence "$E2E_IMAGE")
EOF

e2e_log "components page: every box ticked, the spare box hidden and disabled"
commands=(click 1 page wait-focus 1 text 1 text 2 text 3)
expected=("page: $COMPONENTS" "focus: 1" "text 1: &Next >" "text 2: Cancel" "text 3: < &Back")
for box in "${BOXES[@]}"; do
  id=${box%%:*}
  commands+=(text "$id" checked "$id" visible "$id" enabled "$id")
  expected+=("text $id: ${box#*:}" "checked $id: 1" "visible $id: 1" "enabled $id: 1")
done
commands+=(text 1014 checked 1014 visible 1014 enabled 1014)
expected+=("text 1014: " "checked 1014: 0" "visible 1014: 0" "enabled 1014: 0")
drive "${commands[@]}"
printf '%s\n' "${expected[@]}" | expect_lines

e2e_log "Back to the licence, and Next again"
drive click 3 page wait-focus 1 click 1 page
expect_lines <<EOF
page: $LICENCE
focus: 1
page: $COMPONENTS
EOF

e2e_log "destination page"
drive click 1 page wait-focus 1 text 1 enabled 1 text 2 text 3 text 4 text 1016 text 1005 text 1018 text 1017
expect_lines <<EOF
page: $DESTINATION
focus: 1
text 1: &Install
enabled 1: 1
text 2: Cancel
text 3: < &Back
text 4: B&rowse...
text 1016: Destination Folder
text 1005: C:\\Program Files\\Tevorlyn\\
text 1018: Space required:  $REQUIRED_MB MB
text 1017: Space available: <N> MB
EOF

e2e_log "Back to the components, and Next again"
drive click 3 page click 1 page text 1018
expect_lines <<EOF
page: $COMPONENTS
page: $DESTINATION
text 1018: Space required:  $REQUIRED_MB MB
EOF

e2e_log "progress page, once the installation is over"
drive click 1 wait-text 1003 "$DONE" page text 1 text 5 visible 5 visible 1019 visible 1020 progress
expect_lines <<EOF
text 1003: $DONE
page: $DONE
text 1: &Close
text 5: Show &Details
visible 5: 1
visible 1019: 0
visible 1020: 1
progress: 100
EOF

e2e_log "Close"
drive click 1 wait-exit
expect_lines <<EOF
exit: window closed
EOF
e2e_installer_exit
