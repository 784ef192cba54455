#!/usr/bin/env bash
# Cancel and Escape on the first three pages: the installer closes at once, without a
# question, ends with exit code 0 and has written nothing.
# shellcheck source=e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
e2e_begin "$@"

# Header texts of the pages, in wizard order.
PAGES=(
  "Please review the license agreement before installing Tevorlyn App Pack. If you accept all terms of the agreement, click I Agree."
  "Check the components you want to install and uncheck the components you don't want to install. Click Next to continue."
  "Setup will install Tevorlyn App Pack in the following folder. To install in a different folder, click Browse and select another folder. Click Install to start the installation."
)
# page index | what the person does there
CASES=(
  "0|click 2"
  "0|key escape"
  "1|key escape"
  "1|click 2"
  "2|click 2"
  "2|key escape"
)

for row in "${CASES[@]}"; do
  page=${row%%|*}
  read -r -a action <<<"${row#*|}"
  e2e_log "page $page, ${action[*]}"
  e2e_start
  commands=(wait-page "${PAGES[0]}")
  expected=("page: ${PAGES[0]}")
  for ((p = 1; p <= page; p++)); do
    commands+=(click 1 wait-page "${PAGES[p]}")
    expected+=("page: ${PAGES[p]}")
  done
  # The focus is on the page's first button before the key goes in, as after a person's
  # last click.
  drive "${commands[@]}" wait-focus 1 "${action[@]}" wait-exit
  printf '%s\n' "${expected[@]}" "focus: 1" "exit: window closed" | expect_lines
  e2e_installer_exit
done

e2e_log "nothing was installed"
for folder in "${E2E_INSTALLED_FOLDERS[@]}"; do
  [[ ! -e $E2E_DRIVE_C/$folder ]] || e2e_fail "C:/$folder exists"
done
if e2e_wine reg query 'HKLM\Software\Tevorlyn' >/dev/null 2>&1; then
  e2e_fail 'HKLM\Software\Tevorlyn exists'
fi
