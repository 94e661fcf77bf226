#!/usr/bin/env bash
# The copy page timed end to end for scripts/bench: every translation and all
# 113 recitations, from the moment the page opens until it ends, with its
# answers to a status-text request every 50 ms and the setup's memory. Checks
# the installation byte for byte afterwards, so a fast wrong run never counts.
# The driver's output is in $BUILD/e2e/copy_page/driver.log.
group_copy_page() {
    local all=() k
    for k in $(seq 1 113); do all+=(--recitation "$k"); done
    cp "$FIXTURES/mp3data.gz" "$WORK/mp3data.gz"
    drive start SETUP page IDE_AGREEMENT_TEXT click IDOK page IDL_DIR_TRANSLATIONS row IDL_DIR_TRANSLATIONS 0 \
        column IDL_DIR_RECITATIONS 0 click IDOK watch IDE_COPY_STATUS IDE_COPY_STATUS page IDC_SHORTCUT_START_MENU \
        click IDOK @SUCCESS exit 0 >"$OUT/driver.log"
    check_install "$INSTALL" --state 0=2 "${all[@]}"
    no_temporaries
}
source "$(dirname "$0")/../tests/e2e/run.sh" copy_page
