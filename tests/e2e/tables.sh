# The end-to-end groups, sourced by run.sh: each is one CTest test, its rows
# run one after another in the group's prefix. Steps are e2e_driver's
# (driver.cpp); in table fields {NAME} is the value of $NAME and @NAME the
# steps of array NAME.

CAPTION='Dunvo - Setup'
ADDRESS='Download a new copy of mp3data.gz from http://www.dunvo.org'
CANCELED='Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org'
EXISTS='Directory allready exsist. Continue with the instalation ?\n\nNOTES: Click on the YES button if this is previous installation of this software, otherwise click on the NO button and select another installation directory.'
SUCCESS=(msgbox 'Dunvo was successfully installed' "$CAPTION" info ok)
CANCELLED=(msgbox "$CANCELED" "$CAPTION" warning ok)
EXISTS_YES=(msgbox "$EXISTS" "$CAPTION" question yes)
ASK_CANCEL=(msgbox 'Are you sure you want to cancel the setup?' "$CAPTION" question)
FINISH=(page 111 click 1 "${SUCCESS[@]}") # the shortcut page taken as it comes
INSTALL='C:\Program files\Dunvo'
PROGRAMS='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
APP_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Dunvo'
UNINSTALL_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dunvo'
repeat() { printf "%${2}s" '' | tr ' ' "$1"; }

# The newcomer's first run, which scripts/run shows: every page with its
# defaults and a screenshot of each; the agreement from the keyboard (Escape
# asks, No leaves the page as it was, Enter accepts).
group_walk() {
    local agreement
    agreement=$(cat "$ROOT/resources/agreement.txt" && echo .) && agreement=${agreement%.}
    drive cover 3A6EA5 start SETUP \
        page 151 focus 1 text 151 "$agreement" shot "$(shot 1-agreement)" \
        key escape @ASK_CANCEL no page 151 focus 1 text 151 "$agreement" key enter gone 151 \
        page 112 row 112 0 text 101 "$INSTALL" shot "$(shot 2-options)" \
        click 100 page 107 text 102 "$INSTALL" shot "$(shot 3-browser)" click 2 gone 107 \
        page 112 click 1 shot "$(shot 4-copy)" 215 'Decompressing setup files' \
        page 111 checked 111 1 checked 110 0 shot "$(shot 8-shortcuts)" click 1 \
        page 65535 shot "$(shot 9-final-message)" @SUCCESS exit 0 \
        window Dunvo shot "$(shot 10-start-menu-folder)"
}

# The dimmed backdrop over a screen of one colour, then Cancel on the first page.
group_backdrop() {
    drive cover C87828 start SETUP page 151 shot "$(shot agreement-over-backdrop)" backdrop C87828 \
        click 2 @ASK_CANCEL yes @CANCELLED exit 0
}

# Choices the copy page follows, one installation per row.
group_options() {
    table options_row <<'ROWS'
# name        | folder           | before | on the options page, up to Next                            | then                              | installed
default       |                  |        | row 112 0 click 1                                           | @FINISH                           | --state 0=2
over_damaged  |                  | damage | row 112 10 click 1                                          | @EXISTS_YES @FINISH               | --state 10=2
alias_fix_up  | C:\Dunvo Choices |        | row 112 0 row 112 0 row 112 4 row 112 4 row 112 7 click 1  | @FINISH                           | --state 0=0 --state 4=1 --state 7=4
keyboard      | C:\Dunvo Keys    |        | @KEYBOARD                                                   | @FINISH                           | --state 0=2 --state 2=0
readme_folder | C:\Dunvo Blocked | block  | row 112 0 click 1                                           | @EXISTS_YES @NOT_CREATED @CANCELLED | --state 0=2 --cancelled
planted_dlls  | C:\Dunvo Planted | plant  | row 112 0 click 1                                           | @FINISH                           | --state 0=2
ROWS
}
# Tab reaches both lists, Space steps the focused row as a click does, arrows
# only move; Next with Enter. Rows 0 and 2 are stepped, row 1 passed over.
KEYBOARD=(focus 1)
for k in tab tab tab tab; do KEYBOARD+=(key $k); done
KEYBOARD+=(focus 112 key space key down key down key space key space key up key tab focus 113 key enter)
options_row() { # NAME FOLDER BEFORE STEPS THEN INSTALLED
    local folder=${2:-$INSTALL} steps
    [ -z "$3" ] || "$3" before "$folder"
    words "$4" && steps=("${WORDS[@]}")
    [ -z "$2" ] || steps=(type 101 "$2" "${steps[@]}")
    local rc=0
    words "$5" && (drive start SETUP page 151 click 1 page 112 "${steps[@]}" "${WORDS[@]}" exit 0) || rc=$?
    [ -z "$3" ] || "$3" after "$folder"
    [ $rc = 0 ] || fail "the setup did not run as chosen"
    words "$6" && check_install "$folder" "${WORDS[@]}"
    no_temporaries
}
damage() { # an earlier installation, damaged: the run over it makes it whole
    [ "$1" = before ] || return 0
    printf garbage >"$(host_path "$2")/qtext/ARABIC.TX_"
    truncate -s 100 "$(host_path "$2")/images/earth.bmp"
}
block() { # a folder where the payload's readme.rtf goes
    [ "$1" = before ] && mkdir -p "$(host_path "$2")/readme.rtf"
    NOT_CREATED=(msgbox "Could not create file:\n$2\\readme.rtf" - error ok)
}
# DLLs of ours beside the setup, named as DLLs it loads by name, preferred by
# Wine as Windows prefers a program's own folder. Found with WINEDEBUG=+loaddll
# on a default run; the system's known DLLs, which Windows never takes from
# there, are left out: comctl32 uxtheme version winmm.
PLANTED=(comctl32 uxtheme msimg32)
plant() {
    local name markers
    if [ "$1" = before ]; then
        for name in "${PLANTED[@]}"; do cp "$TEST_BIN/planted_dll.dll" "$WORK/$name.dll"; done
        DRIVER_ENV="WINEDLLOVERRIDES=$WINEDLLOVERRIDES;$(IFS=,; echo "${PLANTED[*]}")=n,b"
        return
    fi
    DRIVER_ENV=
    markers=$(cd "$WORK" && ls planted-* 2>/dev/null || true)
    rm -f "$WORK"/*.dll "$WORK"/planted-*
    [ -z "$markers" ] || fail "the setup loaded DLLs from its own folder: $markers"
}

# Side files beside the setup, each installed into a folder of its own: what
# the user is told, which recitations are installed, and that nothing of the
# side file lands anywhere else. Boxes have the system's caption.
group_recitations() {
    recitation_fixture
    side_files_before
    table side_row <<'ROWS'
# kind   | chosen   | boxes (icon: text)                                                                      | end       | installed
sample   | 2 5 9 11 |                                                                                          | finished  | 2 5 9 11
damaged  | 2 7      | none: gzip: {SIDE_PATH}: incorrect data check\n ; error: Can't decompress MP3 sound files | finished  |
short    | 2 7      | none: gzip: failed gzclose\n ; error: Can't decompress MP3 sound files                    | finished  |
cut      | 2 7      | error: mp3data.gz is damaged: it ends in record 5 of 113.\n{ADDRESS}                      | cancelled | 2
folder   | 3        | none: Can't open file {SIDE_PATH}\n ; error: Can't decompress MP3 sound files            | finished  |
ROWS
}
group_side_files() {
    side_files_before
    local UNSAFE='mp3data.gz is damaged: record 1 has a file name that cannot be installed:'
    local ENDS='mp3data.gz is damaged: it ends in record' D245
    D245=$(repeat d 245)
    table side_row <<'ROWS'
# kind          | chosen | boxes (icon: text)                                                                           | end       | installed
dotdot          | 1      | error: {UNSAFE}\n..\..\dunvo_escape\n{ADDRESS}                                                | cancelled |
backslash       | 1      | error: {UNSAFE}\n\dunvo_escape\n{ADDRESS}                                                     | cancelled |
drive           | 1      | error: {UNSAFE}\nC:\dunvo_escape\n{ADDRESS}                                                   | cancelled |
stream          | 1      | error: {UNSAFE}\nsound\002.mp3:dunvo_escape\n{ADDRESS}                                        | cancelled |
empty_name      | 1      | error: {UNSAFE}\n\n{ADDRESS}                                                                  | cancelled |
control_name    | 1      | error: {UNSAFE}\nsound\002.mp3??Setup is complete\n{ADDRESS}                                  | cancelled |
size_top_bit    | 1      | error: mp3data.gz is damaged: record 1 has an impossible size.\n{ADDRESS}                     | cancelled |
size_past_end   | 1      | error: {ENDS} 1 of 113.\n{ADDRESS}                                                            | cancelled |
size_huge       | 1      | error: {ENDS} 1 of 113.\n{ADDRESS}                                                            | cancelled |
ends_in_name    | 1      | error: {ENDS} 1 of 113.\n{ADDRESS}                                                            | cancelled |
ends_in_size    | 1      | error: {ENDS} 1 of 113.\n{ADDRESS}                                                            | cancelled |
ends_in_data    | 1      | error: {ENDS} 1 of 113.\n{ADDRESS}                                                            | cancelled |
not_gzip        | 1      | error: {ENDS} 1 of 113.\n{ADDRESS}                                                            | cancelled |
bad_crc         | 1      | none: gzip: {SIDE_PATH}: incorrect data check\n ; error: Can't decompress MP3 sound files    | finished  |
name255         | 1      | offscreen: 16 = 13407752\nFile: C:\Dunvo name255\sound\{D245}.mp3 was corrupted.\n{ADDRESS} ; error: {ENDS} 2 of 113.\n{ADDRESS} | cancelled |
ROWS
    local escaped
    escaped=$(find "$DRIVE_C" "$OUT" /tmp -name 'dunvo_escape*' 2>/dev/null | head -5)
    [ -z "$escaped" ] || fail "a crafted name escaped: $escaped"
}
# Paths and sizes on drive C: but for what a run may change by right: the
# installation folders, the temporary folder, Wine's .ini files and the
# Start-menu folder of a finished installation.
drive_listing() {
    (cd "$DRIVE_C" && find . \( -path './Dunvo *' -o -ipath './users/*/temp' -o -path './windows/*.ini' \
        -o -path './ProgramData/Microsoft/Windows/Start Menu/Programs/Dunvo' \) -prune -o -printf '%p %s\n' | LC_ALL=C sort)
}
side_files_before() {
    SIDE_PATH=$(winpath "$WORK") && SIDE_PATH="${SIDE_PATH^^}\\mp3data.gz" # as zlib names it
    drive_listing >"$OUT/before.txt"
}
side_row() { # KIND CHOSEN BOXES END INSTALLED
    local folder="C:\\Dunvo $1" steps=(page 151 click 1 page 112 row 112 0) k installed=()
    side_file "$1" "$OUT/$1.gz"
    for k in $2; do steps+=(row 113 "$k"); done
    for k in $5; do installed+=(--recitation "$k"); done
    boxes "$3"
    local end=("${CANCELLED[@]}") && [ "$4" = cancelled ] || end=("${FINISH[@]}")
    drive start SETUP "${steps[@]}" type 101 "$folder" click 1 "${BOXES[@]}" "${end[@]}" exit 0
    if [ "$1" = name255 ]; then # a sound name of 255 bytes: its 16 bytes written whole, then the end
        local served
        served="$(host_path "$folder")/sound/$(repeat d 245).mp3"
        [ "$(cat "$served")" = xxxxxxxxxxxxxxxx ] || fail "the 255-byte name was not served whole"
        rm "$served"
    fi
    check_install "$folder" --state 0=2 --recitations "$FIXTURES/recitations" "${installed[@]}"
    [ "$1" = folder ] || cmp "$OUT/$1.gz" "$WORK/mp3data.gz" || fail "the side file was not left as it was"
    drive_listing | diff "$OUT/before.txt" - || fail "drive C: changed outside the installation"
    no_temporaries
}
# The side file KIND as mp3data.gz beside the setup, a copy of it in FILE.
side_file() { # KIND FILE
    rm -rf "$WORK/mp3data.gz"
    local sample=$FIXTURES/mp3data.gz size cut=0 number
    case $1 in
    sample) cp "$sample" "$2" ;;
    damaged) # the bits of one byte in the middle turned
        cp "$sample" "$2"
        size=$(($(stat -c %s "$sample") / 2))
        number=$(od -An -tu1 -j "$size" -N1 "$sample" | tr -d ' ')
        printf "\\$(printf %03o $((number ^ 0x5A)))" | dd of="$2" bs=1 seek="$size" conv=notrunc status=none ;;
    short) head -c $(($(stat -c %s "$sample") / 2)) "$sample" >"$2" ;;
    cut) # a whole gzip member whose archive ends inside record 5
        for number in 002 003 004 005; do
            cut=$((cut + 18 + $(stat -c %s "$FIXTURES/recitations/sound/$number.mp3")))
        done
        (gzip -dc "$sample" || true) | head -c $((cut + 18 + 1000)) | gzip -1 >"$2" ;;
    folder) mkdir "$WORK/mp3data.gz" && return ;; # there when looked for, unreadable when needed
    *) "$ROOT/tests/e2e/craft_side_file.py" "$1" "$2" ;;
    esac
    cp "$2" "$WORK/mp3data.gz"
}

# Directories at and past the limits, typed on the options page of one run and
# refused there, the focus back in the field; then a short one is served
# through a temporary folder of 300 characters, longer than the system's
# temporary path may be, so that the setup keeps its temporaries beside itself.
group_long_paths() {
    local DIR_511 DIR_512 REFUSALS=() WHOLE='The installation directory must be a full path, such as C:\Program files\Dunvo.'
    DIR_511="C:\\$(repeat a 200)\\$(repeat b 200)\\$(repeat c 106)" && DIR_512="${DIR_511}c"
    mkdir -p "$DRIVE_C/$(repeat a 200)/$(repeat b 200)/$(repeat c 106)"
    set_user_temp "C:\\$(repeat t 150)\\$(repeat u 146)"
    table refusal <<'ROWS'
# typed          | message                                                                                          | icon
{DIR_512}        | The installation directory is longer than 511 characters.\nChoose a shorter path.              | warning
{DIR_511}        | Cannot create the directory\n{DIR_511}\nCheck that its parent folder exists and that you may write there. | offscreen
Dunvo            | {WHOLE}                                                                                          | warning
Programs\Dunvo   | {WHOLE}                                                                                          | warning
ROWS
    drive start SETUP page 151 click 1 page 112 row 112 0 "${REFUSALS[@]}" \
        type 101 'C:\Dunvo Long Temp' click 1 @FINISH exit 0
    [ -z "$(find "$DRIVE_C/$(repeat a 200)" -mindepth 3)" ] || fail "something was written under the long directory"
    check_install 'C:\Dunvo Long Temp' --state 0=2
    no_temporaries
    # The folder browser five folders of 50 characters deep (262 characters):
    # each level shown whole, OK takes it, Next refuses what it cannot create.
    local deep='C:\deep' walk=() level name
    for level in 1 2 3 4 5; do
        name="level$level$(repeat x 44)" && deep="$deep\\$name"
        walk+=(dblrow 107 "$name" text 102 "$deep\\Dunvo")
    done
    mkdir -p "$(host_path "$deep")/level6"
    drive start SETUP page 151 click 1 page 112 row 112 0 click 100 page 107 \
        dblrow 107 ........ text 102 'C:\Dunvo' dblrow 107 deep text 102 'C:\deep\Dunvo' \
        "${walk[@]}" shot "$(shot deep-browser)" click 1 gone 107 page 112 text 101 "$deep\\Dunvo" click 1 \
        msgbox "Cannot create the directory\n$deep\\Dunvo\nCheck that its parent folder exists and that you may write there." "$CAPTION" offscreen ok \
        kill
    [ ! -e "$(host_path "$deep")/Dunvo" ] || fail "the deep directory was made"
}
refusal() { # TYPED MESSAGE ICON
    fill "$1" && local typed=$FILLED
    echo "${typed:0:60}..."
    fill "$2" && REFUSALS+=(type 101 "$typed" click 1 msgbox "$FILLED" "$CAPTION" "$3" ok focus 101)
}

# Full disks, made of small tmpfs mounts that the prefix sees as drives: X: (8
# MB) is refused by the options page, W: has just the room that page asks for
# but not the 4 KB pages the files take, Y: is the setup's temporary folder.
group_full_disks() {
    MOUNTS=$BUILD/e2e-mounts/$GROUP
    local spec size missing
    cleanup_group() { local m; for m in "$MOUNTS"/*; do mountpoint -q "$m" && umount -l "$m"; done; return 0; }
    cleanup_group
    # W: holds the room the options page asks for (every payload file) in
    # whole pages, and eight pages more: fewer than the files' part pages.
    read -r size missing < <(python3 - "$TEST_BIN/payload/filesdata.gz" <<'PY'
import gzip, struct, sys
data, at, records = gzip.open(sys.argv[1]).read(), 0, []
while at < len(data):
    length = data[at]
    size, = struct.unpack_from("<I", data, at + 1 + length)
    records.append((data[at + 1:at + 1 + length].decode("latin-1"), size))
    at += 5 + length + size
pages = -(-sum(size for _, size in records) // 4096) + 8
used = 0
for name, size in records:
    used += -(-size // 4096)
    if used > pages:
        print(pages * 4, name)
        break
PY
)
    [ -n "$missing" ] || fail "every payload file fits in W:"
    for spec in x:8m w:${size}k y:16m; do
        mkdir -p "$MOUNTS/${spec%%:*}"
        mount -t tmpfs -o "size=${spec#*:}" tmpfs "$MOUNTS/${spec%%:*}" 2>/dev/null ||
            { echo "SKIP: cannot mount a tmpfs here (needs root)"; exit 77; }
        ln -s "$MOUNTS/${spec%%:*}" "$PREFIX/dosdevices/${spec%%:*}:"
    done
    drive start SETUP page 151 click 1 page 112 row 112 0 \
        type 101 'X:\Dunvo' click 1 \
        msgbox 'You do not have enough Free disk space on this drive for installation. Change the drive or remove some other program-s to free more disk space.' "$CAPTION" error ok \
        type 101 'W:\Dunvo' click 1 \
        msgbox "Could not write file, the disk may be full:\nW:\\Dunvo\\$missing" - error ok @CANCELLED exit 0
    [ -z "$(ls -A "$MOUNTS/x")" ] || fail "X: was written to: $(ls -A "$MOUNTS/x")"
    "$BUILD/tools/check_install" "$MOUNTS/w/Dunvo" "$PAYLOAD_SOURCE" --state 0=2 --cancelled || fail "W:\\Dunvo"
    [ ! -e "$MOUNTS/w/Dunvo/${missing//\\//}" ] || fail "the file that did not fit was left behind"
    mkdir -p "$MOUNTS/y/Temp"
    set_user_temp 'Y:\Temp'
    table temp_row <<'ROWS'
# name       | Y: holds     | boxes (icon: text)                                                                                          | end
full_temp    | a filler     | error: Could not write file, the disk may be full:\nY:\Temp\filesdata.gz ; error: Can't decompress setup files | cancelled
small_temp   |              | none: gzip: failed fwrite: Y:\Temp\filesdata.dat (the disk may be full)\n ; error: Can't decompress setup files | cancelled
side_temp    | 40 MB room   | none: gzip: failed fwrite: Y:\Temp\mp3data.dat (the disk may be full)\n ; error: Can't decompress MP3 sound files | finished
ROWS
}
temp_row() { # NAME Y-HOLDS BOXES END
    local folder="C:\\Dunvo $1" end=("${CANCELLED[@]}") recitation=()
    rm -f "$MOUNTS/y/filler"
    case $2 in
    'a filler') dd if=/dev/zero of="$MOUNTS/y/filler" bs=1M count=32 status=none 2>/dev/null || true ;;
    '40 MB room') mount -o remount,size=40m "$MOUNTS/y" && "$ROOT/tests/e2e/craft_side_file.py" large "$WORK/mp3data.gz"
        recitation=(row 113 1) end=("${FINISH[@]}") ;;
    esac
    boxes "$3"
    drive start SETUP page 151 click 1 page 112 row 112 0 "${recitation[@]}" type 101 "$folder" click 1 \
        "${BOXES[@]}" "${end[@]}" exit 0
    if [ "$4" = finished ]; then
        check_install "$folder" --state 0=2
    else
        [ -z "$(ls -A "$(host_path "$folder")")" ] || fail "files were installed without a payload"
    fi
    [ -z "$(ls -A "$MOUNTS/y/Temp")" ] || fail "temporary files left: $(ls -A "$MOUNTS/y/Temp")"
    no_temporaries
}

# The shortcut page and the uninstaller over one installation: every row runs
# the setup again over it, loading the first translation, and checks what its
# choices on the shortcut page added: shortcuts, both registry entries, the
# Start-menu folder opened or not. Then the shortcuts are taken away again.
group_shortcuts() {
    PROGRAMS_DIR=$(host_path "$PROGRAMS") && DESKTOP_DIR=$(host_path 'C:\users\Public\Desktop')
    NO_ENTRIES=(reg "$APP_KEY" '*' missing reg "$UNINSTALL_KEY" '*' missing)
    ASK_SHORTCUTS=(msgbox 'Are you want to cancel creating shortcuts ?' Confirmation question)
    local tools='Administrative Tools'
    CHOOSER=(click 100 page 212 text 211 "$PROGRAMS\\Dunvo" shot "$(shot chooser)"
        dblrow 212 "$tools" text 211 "$PROGRAMS\\$tools\\Dunvo" dblrow 212 ........ text 211 "$PROGRAMS\\Dunvo"
        dblrow 212 "$tools" click 2 gone 212 page 111 text 101 "$PROGRAMS\\$tools\\Dunvo")
    table shortcut_row <<'ROWS'
# name      | on the shortcut page                                                                                  | Start-menu folder made             | desktop
cancel      | click 110 click 2 @ASK_SHORTCUTS no page 111 checked 110 1 checked 111 1 @NO_ENTRIES key escape @ASK_SHORTCUTS yes |                   | no
ROWS
    uninstall yes
    [ "$(listing "$(host_path "$INSTALL")")" = uninstall.exe ] || fail "left: $(listing "$(host_path "$INSTALL")")"
    restart_windows # which takes the uninstaller, and the folder with it
    [ ! -e "$(host_path "$INSTALL")" ] || fail "the installation folder outlived the restart: $(listing "$(host_path "$INSTALL")")"
    table shortcut_row <<'ROWS'
finish      | checked 110 0 checked 111 1 text 101 {PROGRAMS} shot {FINISH_SHOT} click 1                            | {PROGRAMS}\Dunvo                   | no
desktop     | click 110 click 111 checked 110 1 checked 111 0 click 1                                               |                                    | yes
none        | click 111 checked 111 0 checked 110 0 click 1                                                         |                                    | no
backslash   | text 101 C:\ click 1                                                                                  | C:\Dunvo                           | no
chooser     | @CHOOSER click 110 click 1                                                                            | {PROGRAMS}\Administrative Tools\Dunvo | yes
ROWS
    # The uninstaller: No leaves everything; Yes removes what is ours and keeps
    # the user's file; its own file goes at the restart.
    local dir
    dir=$(host_path "$INSTALL")
    echo "the user's own notes" >"$dir/my notes.txt"
    local before
    before=$(listing "$dir")
    uninstall no
    [ "$(listing "$dir")" = "$before" ] && [ -e "$DESKTOP_DIR/Dunvo.lnk" ] && [ -d "$PROGRAMS_DIR/$tools/Dunvo" ] ||
        fail "No still removed something"
    uninstall yes
    [ "$(listing "$dir")" = $'my notes.txt\nuninstall.exe' ] || fail "left: $(listing "$dir")"
    [ ! -e "$PROGRAMS_DIR/$tools/Dunvo" ] && [ ! -e "$DESKTOP_DIR/Dunvo.lnk" ] || fail "shortcuts left behind"
    drive start "$INSTALL\\uninstall.exe" 'C:\' \
        msgbox 'Dunvo is not installed on this computer: its uninstall entry is missing.' 'Dunvo - Uninstall' warning ok exit 1
    restart_windows
    [ "$(listing "$dir")" = 'my notes.txt' ] || fail "after the restart: $(listing "$dir")"
    [ "$(cat "$dir/my notes.txt")" = "the user's own notes" ] || fail "the user's file changed"
}
FINISH_SHOT=
shortcut_row() { # NAME STEPS FOLDER DESKTOP
    local road=(start SETUP page 151 click 1 page 112 row 112 0 click 1) lnk
    [ ! -d "$(host_path "$INSTALL")" ] || road+=(@EXISTS_YES)
    FINISH_SHOT=$(shot shortcut-page)
    [ "$1" != backslash ] || wine_reg add "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders" \
        /v 'Common Programs' /d 'C:\\' /f # of which the shell-folder read removes one backslash
    words "$2"
    fill "$3" && local folder=$FILLED opened=(started 0)
    [ -z "$folder" ] || opened=(started 1 window Dunvo)
    drive "${road[@]}" page 111 "${WORDS[@]}" @SUCCESS exit 0 "${opened[@]}"
    [ "$1" != backslash ] || wine_reg add "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders" \
        /v 'Common Programs' /d "$PROGRAMS" /f
    end_wine "$PREFIX" # a user closes the folder the setup opened
    if [ -n "$folder" ]; then
        [ "$(listing "$(host_path "$folder")")" = $'Dunvo.lnk\nReadme.lnk\nUninstall.lnk' ] ||
            fail "$folder holds: $(listing "$(host_path "$folder")")"
        expect_lnk "$(host_path "$folder")/Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
        expect_lnk "$(host_path "$folder")/Uninstall.lnk" "$INSTALL\\uninstall.exe" Uninstall
        expect_lnk "$(host_path "$folder")/Readme.lnk" "$INSTALL\\Readme.rtf" Readme
    fi
    [ -n "$folder" ] || [ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "a Start-menu folder was made"
    if [ "$4" = yes ]; then
        [ "$(listing "$DESKTOP_DIR")" = Dunvo.lnk ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"
        expect_lnk "$DESKTOP_DIR/Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
    else
        [ -z "$(listing "$DESKTOP_DIR")" ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"
    fi
    local scdir=${folder:-$PROGRAMS\\Dunvo} size
    size=$(find "$(host_path "$INSTALL")" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%d\n", (s + 1023) / 1024 }')
    drive reg "$APP_KEY" - sz:Dunvo reg "$APP_KEY" Path "sz:$INSTALL" \
        reg "$UNINSTALL_KEY" DisplayName sz:Dunvo reg "$UNINSTALL_KEY" UninstallString "sz:\"$INSTALL\\uninstall.exe\"" \
        reg "$UNINSTALL_KEY" Scdir "sz:$scdir" reg "$UNINSTALL_KEY" Progdir "sz:$INSTALL" \
        reg "$UNINSTALL_KEY" DisplayVersion sz:7.02 reg "$UNINSTALL_KEY" Publisher sz:Dunvo \
        reg "$UNINSTALL_KEY" DisplayIcon "sz:$INSTALL\\dunvo.exe" reg "$UNINSTALL_KEY" InstallLocation "sz:$INSTALL" \
        reg "$UNINSTALL_KEY" EstimatedSize "dword:$size" reg "$UNINSTALL_KEY" NoModify dword:1 \
        reg "$UNINSTALL_KEY" NoRepair dword:1
    [ "$1" = chooser ] && return # the uninstaller rows take these away
    [ -z "$folder" ] || rm -r "$(host_path "$folder")"
    rm -f "$DESKTOP_DIR/Dunvo.lnk"
}
uninstall() { # yes|no
    local question=(msgbox "Remove Dunvo from this computer?\n\nIts files in $INSTALL, its shortcuts and its registry entries are removed. Files that Dunvo did not install are kept." 'Dunvo - Uninstall' question)
    if [ "$1" = no ]; then
        drive start "$INSTALL\\uninstall.exe" 'C:\' "${question[@]}" no exit 0 reg "$UNINSTALL_KEY" Progdir "sz:$INSTALL"
        return
    fi
    drive start "$INSTALL\\uninstall.exe" 'C:\' "${question[@]}" yes \
        msgbox "Dunvo was removed from this computer.\n\nFiles in use, this uninstaller among them, are removed when Windows restarts, and with them the folder $INSTALL if nothing else is left in it." 'Dunvo - Uninstall' info ok \
        exit 0 @NO_ENTRIES
}
# A restart of the prefix's Windows: every program ended, then Wine's boot,
# which carries out the removals left for the restart.
restart_windows() {
    end_wine "$PREFIX"
    WINEPREFIX=$PREFIX "$WINE" wineboot -r >/dev/null 2>&1 || true
    end_wine "$PREFIX"
}
