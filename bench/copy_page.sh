#!/usr/bin/env bash
# The copy page timed end to end for scripts/bench: every translation and all
# 113 recitations, from the moment the page opens until it ends, with its
# answers to a status-text request every 50 ms and the setup's memory. Checks
# the installation byte for byte afterwards, so a fast wrong run never counts.
# The driver's output is in $BUILD/e2e/copy_page/driver.log.
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/copy_lib.sh"
on_private_display "$@"
recitation_fixture
start_scenario
ln "$FIXTURES/mp3data.gz" "$WORK/mp3data.gz"

drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 column 113 0 click 1 0 \
      watch 215 215 600 \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0 | tee "$OUT/driver.log"
[ "${PIPESTATUS[0]}" = 0 ] || fail "the driver failed"
all=()
for k in $(seq 1 113); do all+=(--recitation "$k"); done
check_install "$(default_install)" --state 0=2 --recitations "$FIXTURES/recitations" "${all[@]}"
no_temporaries
