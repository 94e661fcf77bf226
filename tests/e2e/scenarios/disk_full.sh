#!/usr/bin/env bash
# Full disks, made with small tmpfs mounts that the prefix sees as drives:
# - X: (8 MB) as the installation drive: the options page measures the drive
#   last picked (C:), so X:\Dunvo is accepted and fills up part-way. The file
#   that did not fit is named, no cut-off file is left, the setup ends as
#   cancelled;
# - Y: as the temporary drive (TEMP and TMP of the setup): first full, so
#   that the payload's gzip file cannot be written, then with room for it but
#   not for its expansion. Each is named; nothing is installed; no temporary
#   file is left. Last, a side file whose expansion does not fit in Y: is
#   named and left out, the rest is installed.
# Needs root for mount; skipped with a message where mounting is impossible.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
source "$(dirname "$0")/../env_lib.sh"
on_private_display "$@"

INSTALL_MOUNT=$BUILD/e2e-mounts/$SCENARIO-install
TEMP_MOUNT=$BUILD/e2e-mounts/$SCENARIO-temp
unmount_all() {
    local m
    for m in "$INSTALL_MOUNT" "$TEMP_MOUNT"; do
        mountpoint -q "$m" 2>/dev/null && umount -l "$m"
    done
    return 0
}
unmount_all # a run that was killed may have left them
mkdir -p "$INSTALL_MOUNT" "$TEMP_MOUNT"
if ! mount -t tmpfs -o size=8m tmpfs "$INSTALL_MOUNT" 2>/dev/null; then
    echo "SKIP $SCENARIO: cannot mount a tmpfs here (needs root); full disks not tested"
    exit 0
fi
mount -t tmpfs -o size=16m tmpfs "$TEMP_MOUNT" || { unmount_all; fail "the second tmpfs would not mount"; }

start_scenario
cleanup() {
    local rc=$?
    end_wine "$PREFIX"
    unmount_all
    (exit $rc)
    finish_scenario
}
trap cleanup EXIT
ln -s "$INSTALL_MOUNT" "$PREFIX/dosdevices/x:"
ln -s "$TEMP_MOUNT" "$PREFIX/dosdevices/y:"

CANCELED='Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org'

# The first record, in archive order, that does not fit in the 8 MB drive,
# whose pages tmpfs counts whole.
FIRST_MISSING=$(python3 - "$TEST_BIN/payload/filesdata.gz" <<'PY'
import gzip, struct, sys
data = gzip.open(sys.argv[1]).read()
at, used, limit = 0, 0, 8 * 1024 * 1024
while at < len(data):
    length = data[at]
    name = data[at + 1:at + 1 + length].decode("latin-1")
    size, = struct.unpack_from("<I", data, at + 1 + length)
    at += 5 + length + size
    used += (size + 4095) // 4096 * 4096
    if used > limit:
        print(name)
        break
PY
)
[ -n "$FIRST_MISSING" ] || fail "the payload fits in 8 MB: this scenario needs a larger one"

drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 type 101 'X:\Dunvo' click 1 \
      msgbox "Could not write file, the disk may be full:\nX:\\Dunvo\\$FIRST_MISSING" - error ok \
      msgbox "$CANCELED" "Dunvo - Setup" warning ok \
      exit 0
check_install "$INSTALL_MOUNT/Dunvo" --state 0=2 --cancelled
[ ! -e "$INSTALL_MOUNT/Dunvo/${FIRST_MISSING//\\//}" ] || fail "the file that did not fit was left behind"
no_temporaries
echo "installation drive full: $FIRST_MISSING named, nothing cut off"

# The setup's temporary folder on Y:, through the user's environment.
end_wine "$PREFIX"
mkdir -p "$TEMP_MOUNT/Temp"
set_user_temp 'Y:\Temp'

# temp_run FOLDER FIRST-MESSAGE-STEPS...: nothing installed, nothing left in Y:\Temp.
temp_run() {
    drive start SETUP \
          page 151 click 1 \
          page 112 row 112 0 type 101 "$1" click 1 \
          "${@:2}" \
          msgbox "Can't decompress setup files" - error ok \
          msgbox "$CANCELED" "Dunvo - Setup" warning ok \
          exit 0
    local installed
    installed=$(ls -A "$(host_path "$1")")
    [ -z "$installed" ] || fail "files were installed without a payload: $installed"
    [ -z "$(ls -A "$TEMP_MOUNT/Temp")" ] || fail "temporary files left: $(ls -A "$TEMP_MOUNT/Temp")"
    no_temporaries
}

dd if=/dev/zero of="$TEMP_MOUNT/filler" bs=1M count=32 status=none 2>/dev/null || true
temp_run 'C:\Dunvo Full Temp' \
    msgbox "Could not write file, the disk may be full:\nY:\\Temp\\filesdata.gz" - error ok
echo "temporary drive full: filesdata.gz named"

rm -f "$TEMP_MOUNT/filler"
temp_run 'C:\Dunvo Small Temp' \
    msgbox "gzip: failed fwrite: Y:\\Temp\\filesdata.dat (the disk may be full)\n" - none ok
echo "temporary drive too small for the expansion: filesdata.dat named"

# The side file's expansion on Y: grown to 40 MB, room for the payload's
# temporaries but not for the side file's: named, left out, the payload
# installed, the setup a success.
mount -o remount,size=40m "$TEMP_MOUNT" || fail "Y: would not grow"
"$ROOT/tests/e2e/tools/craft_side_file.py" large "$WORK/mp3data.gz"
drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 row 113 1 type 101 'C:\Dunvo Side Temp' click 1 \
      msgbox "gzip: failed fwrite: Y:\\Temp\\mp3data.dat (the disk may be full)\n" - none ok \
      msgbox "Can't decompress MP3 sound files" - error ok \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
check_install "$(host_path 'C:\Dunvo Side Temp')" --state 0=2
[ -z "$(ls -A "$TEMP_MOUNT/Temp")" ] || fail "temporary files left: $(ls -A "$TEMP_MOUNT/Temp")"
no_temporaries
echo "temporary drive too small for the side file: mp3data.dat named, the rest installed"
