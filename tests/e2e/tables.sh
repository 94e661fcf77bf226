# The end-to-end groups, sourced by run.sh; each is one CTest test. Steps are
# e2e_driver's (driver.cpp); in table fields {NAME} is the value of $NAME and
# @NAME the steps in array NAME.

CAPTION='Dunvo - Setup'
ADDRESS='Download a new copy of mp3data.gz from http://www.dunvo.org'
SUCCESS=(msgbox 'Dunvo was successfully installed' "$CAPTION" info ok)
CANCELLED=(msgbox 'Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org' "$CAPTION" warning ok)
EXISTS_YES=(msgbox 'Directory allready exsist. Continue with the instalation ?\n\nNOTES: Click on the YES button if this is previous installation of this software, otherwise click on the NO button and select another installation directory.' "$CAPTION" question yes)
ASK_CANCEL=(msgbox 'Are you sure you want to cancel the setup?' "$CAPTION" question)
FINISH=(page IDC_SHORTCUT_START_MENU click IDOK "${SUCCESS[@]}") # the shortcut page as it comes
INSTALL='C:\Program files\Dunvo'
PROGRAMS='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
APP_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Dunvo'
UNINSTALL_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dunvo'
repeat() { printf "%${2}s" '' | tr ' ' "$1"; }

# The newcomer's first run, which scripts/run shows: every page with its
# defaults and a screenshot of each; the agreement from the keyboard (Escape
# asks, No leaves the page as it was, Enter accepts); the copy page, held as
# its first stage is shown, already painted whole. Again, in a prefix of its
# own, on a screen of 144 dots per inch (LogPixels, read as a program starts):
# the pages grow, the pictures of those that have one still fill them, and the
# rows, their pictures and the title grow by the ratio to the first row's.
group_walk() { table walk_row <<<$'96\n144'; } # rows: the screen's dots per inch
walk_row() {
    local agreement at=
    if [ "$1" != 96 ]; then
        at=$1dpi/ && mkdir -p "$SHOTS/$at" && end_wine "$PREFIX" && PREFIX=$(new_prefix "e2e-$GROUP-$1") && begin_wine "$PREFIX"
        wine_reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f
    fi
    agreement=$(cat "$ROOT/resources/agreement.txt" && echo .) && agreement=${agreement%.}
    drive cover 3A6EA5 start SETUP page IDE_AGREEMENT_TEXT focus IDOK text IDE_AGREEMENT_TEXT "$agreement" picture shot "$(shot "${at}1-agreement")" \
        key escape @ASK_CANCEL no page IDE_AGREEMENT_TEXT focus IDOK text IDE_AGREEMENT_TEXT "$agreement" key enter gone IDE_AGREEMENT_TEXT \
        page IDL_DIR_TRANSLATIONS row IDL_DIR_TRANSLATIONS 0 text IDE_DIR_PATH "$INSTALL" shot "$(shot "${at}2-options")" \
        figures IDL_DIR_TRANSLATIONS "$(winpath "$OUT/figures-96.txt")" \
        click IDC_DIR_BROWSE page IDL_BROWSE_FOLDERS text IDE_BROWSE_PATH "$INSTALL" shot "$(shot "${at}3-browser")" click IDCANCEL gone IDL_BROWSE_FOLDERS \
        page IDL_DIR_TRANSLATIONS freeze 'Loading setup files' click IDOK frozen IDE_COPY_STATUS IDT_COPY_PROGRESS "$(shot "${at}4-copy")" "$INSTALL\\readme.rtf" \
        page IDC_SHORTCUT_START_MENU checked IDC_SHORTCUT_START_MENU 1 checked IDC_SHORTCUT_DESKTOP 0 picture shot "$(shot "${at}8-shortcuts")" click IDOK \
        page IDC_STATIC shot "$(shot "${at}9-final-message")" @SUCCESS exit 0 window Dunvo shot "$(shot "${at}10-start-menu-folder")"
}

# The dimmed backdrop over a screen of one colour, then Cancel on the first page.
group_backdrop() {
    drive cover C87828 start SETUP page IDE_AGREEMENT_TEXT shot "$(shot agreement-over-backdrop)" backdrop C87828 \
        click IDCANCEL @ASK_CANCEL yes @CANCELLED exit 0
}

# One setup run per row, into "C:\Dunvo NAME" unless a hook says otherwise:
# NAME | HOOKS (called with before and after) | STEPS on the options page up
# to Next (a hook may put boxes before it in EARLY) | BOXES after Next | END (finished or cancelled) | INSTALLED
# (check_install's options, or "nothing"). Drive C: changes nowhere but in the
# installations, no temporary is left, a side file stays as it was.
setup_row() {
    local hook boxes end=("${CANCELLED[@]}") typed WORK=$WORK DRIVER_ENV=${DRIVER_ENV:-} START_IN= EARLY=()
    ROW=$1 FOLDER="C:\\Dunvo $1" && typed=(type IDE_DIR_PATH "C:\\Dunvo $1")
    [ -f "$OUT/before.txt" ] || drive_listing >"$OUT/before.txt"
    for hook in $2; do "$hook" before; done
    [ "$FOLDER" = "C:\\Dunvo $1" ] || typed=()
    words "$3" && boxes "$4" && [ "$5" = cancelled ] || end=("${FINISH[@]}")
    drive start SETUP page IDE_AGREEMENT_TEXT click IDOK "${EARLY[@]}" page IDL_DIR_TRANSLATIONS "${typed[@]}" "${WORDS[@]}" "${BOXES[@]}" "${end[@]}" exit 0
    [ "$5" = cancelled ] || new_session # a user closes the folder the setup opened
    for hook in $2; do "$hook" after; done
    if [ "$6" = nothing ]; then
        [ -z "$(listing "$(host_path "$FOLDER")")" ] || fail "files were installed without a payload"
    else
        words "$6" && check_install "$FOLDER" "${WORDS[@]}"
    fi
    [ ! -f "$WORK/mp3data.gz" ] || cmp "$OUT/side.gz" "$WORK/mp3data.gz" || fail "the side file was changed"
    drive_listing | diff "$OUT/before.txt" - || fail "drive C: changed outside the installations"
    no_temporaries
}
drive_listing() {
    (cd "$DRIVE_C" && find . \( -path './Dunvo *' -o -path './Program Files/Dunvo' -o -ipath './users/*/temp' \
        -o -path './windows/*.ini' -o -path './ProgramData/Microsoft/Windows/Start Menu/Programs/Dunvo' \) -prune \
        -o -printf '%p %s\n' | LC_ALL=C sort)
}
proposed() { FOLDER=$INSTALL; } # the installation directory the options page proposes

# Choices the copy page follows. Run as an ordinary user: Wine then refuses,
# as Windows does, to open the earlier read-me, marked read-only, for writing.
AS_USER=options
group_options() {
    table setup_row <<'ROWS'
# name        | hooks           | on the options page, up to Next                         | boxes after Next                       | end       | installed
default       | proposed plant  | row IDL_DIR_TRANSLATIONS 0 click IDOK                                        |                                        | finished  | --state 0=2
alias_fix_up  |                 | row IDL_DIR_TRANSLATIONS 0 row IDL_DIR_TRANSLATIONS 0 row IDL_DIR_TRANSLATIONS 4 row IDL_DIR_TRANSLATIONS 4 row IDL_DIR_TRANSLATIONS 7 announced IDL_DIR_TRANSLATIONS 7 type IDE_DIR_PATH C:\ click IDOK @FIXED_UP type IDE_DIR_PATH {FOLDER} click IDOK |                                       | finished  | --state 0=0 --state 4=1 --state 7=4
keyboard      | present         | @KEYBOARD                                                |                                        | finished  | --state 0=2 --state 2=0 --state 7=4
readme_folder | block           | row IDL_DIR_TRANSLATIONS 0 click IDOK                                        | @EXISTS_YES ; @PERCENT ; error: Could not create file:\n{FOLDER}\readme.rtf | cancelled | --state 0=2 --cancelled
held          | proposed damage | @HOLD row IDL_DIR_TRANSLATIONS 0 click IDOK                                  | @EXISTS_YES ; @LET_GO                  | finished  | --state 0=2
over_earlier  | proposed damage protect running | window {APP} row IDL_DIR_TRANSLATIONS 10 click IDOK       | @EXISTS_YES ; @IN_USE                  | finished  | --state 10=2
second_start  |                 | again row IDL_DIR_TRANSLATIONS 0 click IDOK                                  |                                        | finished  | --state 0=2
ROWS
}
# Tab reaches both lists, arrows only move, Space steps a row as a click does, the menu key offers Check All and UnCheck All, Enter is Next; the rows read in words.
KEYBOARD=(states IDL_DIR_RECITATIONS "Installed by default; Don't Install*113" focus IDOK key tab key tab key tab key tab focus IDL_DIR_TRANSLATIONS key apps key u states IDL_DIR_TRANSLATIONS "Don't Install*35"
    key apps key c states IDL_DIR_TRANSLATIONS 'Install*35' key down key space item IDL_DIR_TRANSLATIONS 0 'Albanian: Install and Load' announced IDL_DIR_TRANSLATIONS 0 key down key down key space key space key up
    row IDL_DIR_TRANSLATIONS 7 item IDL_DIR_TRANSLATIONS 7 'Croatian[Bosnian]: Install and Load' key tab focus IDL_DIR_RECITATIONS key down key down key space item IDL_DIR_RECITATIONS 1 '002.mp3: Install'
    key apps key c states IDL_DIR_RECITATIONS 'Installed by default; Install*113' key apps key u states IDL_DIR_RECITATIONS "Installed by default; Don't Install*113" key enter)
present() { rm -f "$WORK/mp3data.gz" && [ "$1" = after ] || ln -s "$FIXTURES/mp3data.gz" "$WORK/mp3data.gz"; } # a whole side file offers the recitations (linked: the group's user may not hard-link it)
FIXED_UP=(msgbox 'You were forgoten to select an directory' "$CAPTION" warning ok item IDL_DIR_TRANSLATIONS 4 'Bosnian: Install' announced IDL_DIR_TRANSLATIONS 4 states IDL_DIR_RECITATIONS 'Installed by default; Not available*113') # the fix-up shown when Next is refused; no side file
PERCENT=(page IDC_STATIC page IDT_COPY_PROGRESS text IDT_COPY_PROGRESS '87 %') # at readme.rtf, record 39 of 47
# Over the earlier installation, damaged, with the application left open: the
# setup meets its running dunvo.exe, the user closes it and retries. Its
# read-me marked read-only, hidden and system is replaced all the same (as
# on Windows, the group's user may not open it for writing while so marked).
APP='Dunvo (sample application)'
IN_USE=(page IDC_STATIC close "$APP" msgbox "This file is in use by another program, such as Dunvo if it is still open:\n$INSTALL\\dunvo.exe\n\nClose that program and click Retry, or click Cancel to stop the installation." - warning retry)
# The earlier read-me held as a scanner holds it, let go only once the copy
# has reached it and tried: it is tried again without a word, and replaced.
HOLD=(hold "$INSTALL\\readme.rtf") LET_GO=(letgo IDE_COPY_STATUS "$INSTALL\\readme.rtf")
running() { [ "$1" = after ] || (cd "$(host_path "$FOLDER")" && in_wine dunvo.exe </dev/null >>"$WINE_LOG" &); }
protect() { # marks it (Wine's attrib takes one mark a call, and a user's read-only file no other)
    local mark marks
    [ "$1" = before ] || return 0
    for mark in +h +s +r; do in_wine attrib $mark "$FOLDER\\readme.rtf" >>"$WINE_LOG" || fail "attrib"; done
    marks=$(in_wine attrib "$FOLDER\\readme.rtf") && marks=${marks%%[A-Z]:*}
    [[ $marks = *R* && $marks = *H* && $marks = *S* ]] || fail "the read-me was not marked: $marks"
}
damage() { # the run over it makes the earlier installation whole again
    [ "$1" = after ] || { printf garbage >"$(host_path "$FOLDER")/qtext/ARABIC.TX_" &&
        truncate -s 100 "$(host_path "$FOLDER")/images/earth.bmp" "$(host_path "$FOLDER")/readme.rtf"; }
}
block() { [ "$1" = after ] || mkdir -p "$(host_path "$FOLDER")/readme.rtf"; } # where the payload's readme.rtf goes
# DLLs of ours beside the setup, named as DLLs it loads by name and preferred
# by Wine as Windows prefers a program's own folder. WINEDEBUG=+loaddll on a
# default run lists what it loads; left out are the known DLLs, which Windows
# never takes from there (kernel32 user32 gdi32 advapi32 ole32 shell32 shlwapi
# shcore imm32 rpcrt4 combase sechost msvcrt), Wine's own (ucrtbase win32u
# zlib1 winex11.drv; version as its user32's import) and msimg32, which Wine's
# uxtheme delay-loads past the search order the setup restricts.
PLANTED=(comctl32 uxtheme)
plant() {
    local name markers
    for name in "${PLANTED[@]}"; do [ "$1" = after ] || cp "$TEST_BIN/planted_dll.dll" "$WORK/$name.dll"; done
    DRIVER_ENV="WINEDLLOVERRIDES=$WINEDLLOVERRIDES;$(IFS=,; echo "${PLANTED[*]}")=n,b"
    [ "$1" = after ] || return 0
    markers=$(cd "$WORK" && echo planted-*) DRIVER_ENV=
    rm -f "$WORK"/*.dll "$WORK"/planted-*
    [ "$markers" = 'planted-*' ] || fail "the setup loaded DLLs from its own folder: $markers"
}

# Side files beside the setup: made from the sample (recitations) or crafted
# (side_files); what the user is told and which recitations are installed.
group_recitations() {
    mkdir -p "$DRIVE_C/users/$ARABIC/Temp" "$DRIVE_C/表" # for the rows abroad
    table setup_row <<'ROWS'
# name   | hooks | on the options page, up to Next                            | boxes after Next                                                            | end       | installed
sample   | side  | row IDL_DIR_TRANSLATIONS 0 column IDL_DIR_RECITATIONS 0 column IDL_DIR_RECITATIONS 1 row IDL_DIR_RECITATIONS 2 row IDL_DIR_RECITATIONS 5 row IDL_DIR_RECITATIONS 9 row IDL_DIR_RECITATIONS 11 click IDOK |                                                                            | finished  | --state 0=2 --recitation 2 --recitation 5 --recitation 9 --recitation 11
cut      | side  | @TWO                                                                        |                                                                            | finished  | --state 0=2
damaged  | side  | @TWO                                                                        | none: gzip: {SIDE_PATH}: incorrect data check\n ; error: {DAMAGED}         | finished  | --state 0=2
sample_elsewhere     | side elsewhere | @TWO |  | finished | --state 0=2 --recitation 2 --recitation 7
sample_arabic_folder | abroad side | @TWO |  | finished | --state 0=2 --recitation 2 --recitation 7
sample_japanese      | abroad side | click IDC_DIR_BROWSE page IDL_BROWSE_FOLDERS dblrow IDL_BROWSE_FOLDERS ........ dblrow IDL_BROWSE_FOLDERS 表 text IDE_BROWSE_PATH C:\表\Dunvo dblrow IDL_BROWSE_FOLDERS ........ text IDE_BROWSE_PATH C:\Dunvo click IDCANCEL gone IDL_BROWSE_FOLDERS page IDL_DIR_TRANSLATIONS type IDE_DIR_PATH {FOLDER} @TWO |  | finished | --state 0=2 --recitation 2 --recitation 7
sample_arabic_temp   | abroad side | click IDC_DIR_BROWSE page IDL_BROWSE_FOLDERS dblrow IDL_BROWSE_FOLDERS ........ dblrow IDL_BROWSE_FOLDERS users dblrow IDL_BROWSE_FOLDERS {ARABIC_8_3} text IDE_BROWSE_PATH C:\users\{ARABIC_8_3}\Dunvo click IDCANCEL gone IDL_BROWSE_FOLDERS page IDL_DIR_TRANSLATIONS type IDE_DIR_PATH {FOLDER} @TWO |  | finished | --state 0=2 --recitation 2 --recitation 7
sample_no_short_temp | abroad side | @TWO |  | finished | --state 0=2 --recitation 2 --recitation 7
sample_no_temp       | abroad side | @TWO | error: {NO_TEMP} ; error: Can't decompress setup files | cancelled | nothing
ROWS
}
# Where users outside the West keep things: the setup in a folder named in
# Arabic, or TEMP in a profile so named (or in one that does not exist, so has
# no short name; then the Windows one, or neither) on a Western code page; or,
# on the Japanese one (932), the setup in a folder named with "ド" (0x83 'h')
# and a folder "表" (0x95 '\') on C:. The TEMP rows come last: TEMP stays so.
ARABIC=التنزيلات ARABIC_8_3=____~HAV # "downloads", and the short name Wine gives it
TWO=(row IDL_DIR_TRANSLATIONS 0 row IDL_DIR_RECITATIONS 2 row IDL_DIR_RECITATIONS 7 click IDOK)
NO_TEMP="Setup cannot use the temporary folder\\nC:\\users\\?????????\\?????????\\\\nnor the Windows temporary folder. Set TEMP to a folder whose name has only letters of this system's language, and start Setup again."
abroad() {
    local windows_temp=$DRIVE_C/windows/temp
    [ "$1" = before ] || { [ ! -f "$windows_temp" ] || { rm "$windows_temp" && mv "$OUT/windows_temp" "$windows_temp"; }; return 0; }
    case $ROW in
    *folder) WORK=$OUT/$ARABIC ;;
    *japanese) WORK=$OUT/ド表 DRIVER_ENV=LC_ALL=ja_JP.UTF-8 ;;
    *arabic_temp) set_user_temp "C:\\users\\$ARABIC\\Temp" ;;
    *no_temp) mv "$windows_temp" "$OUT/windows_temp" && touch "$windows_temp" ;&
    *) set_user_temp "C:\\users\\$ARABIC\\$ARABIC" ;;
    esac
    mkdir -p "$WORK" && cp "$TEST_BIN/SetupD.exe" "$WORK/"
}
group_side_files() {
    local UNSAFE='mp3data.gz is damaged: record 1 has a file name that cannot be installed:' D245
    local ENDS='mp3data.gz is damaged: it ends in record' CHOSEN=(row IDL_DIR_TRANSLATIONS 0 row IDL_DIR_RECITATIONS 1 click IDOK)
    D245=$(repeat d 245)
    table setup_row <<'ROWS'
# name        | hooks | options  | boxes after Next                                                                   | end       | installed
dotdot        | side  | @CHOSEN  | error: {UNSAFE}\n..\..\dunvo_escape\n{ADDRESS}                                     | cancelled | --state 0=2
control_name  | side  | @CHOSEN  | error: {UNSAFE}\nsound\002.mp3??Setup is complete\n{ADDRESS}                       | cancelled | --state 0=2
size_top_bit  | side  | @CHOSEN  | error: mp3data.gz is damaged: record 1 has an impossible size.\n{ADDRESS}          | cancelled | --state 0=2
size_huge     | side  | @CHOSEN  | error: {ENDS} 1 of 113.\n{ADDRESS}                                                 | cancelled | --state 0=2
name255       | side  | @CHOSEN  | offscreen: Could not create file:\n{FOLDER}\sound\{D245}.mp3                         | cancelled | --state 0=2
ROWS
    [ -z "$(find "$DRIVE_C" "$OUT" /tmp -name 'dunvo_escape*' 2>/dev/null)" ] || fail "a crafted name escaped"
}
NO_MP3="Can't decompress MP3 sound files"
DAMAGED="mp3data.gz is damaged: it does not expand as it should.\nThe chosen recitations were not installed; everything else was.\n$ADDRESS and start Setup again to install them."
# A download cut short is told before the options page, which offers none of its recitations.
INCOMPLETE="\n\n$ADDRESS to install the recitations.\nDunvo itself can be installed now, without them."
elsewhere() { START_IN='C:\windows'; } # started by its full path, as from a shortcut with no "Start in"
# The side file named by the row as mp3data.gz beside the setup, and in side.gz.
side() {
    SIDE_PATH="$(winpath "$WORK")\\mp3data.gz"
    if [ "$1" = after ]; then # a sound name of 255 bytes makes a path longer than Windows takes: nothing of it is left
        [ "$ROW" != name255 ] || [ -z "$(find "$(host_path "$FOLDER")/sound" -name 'ddd*')" ] || fail "a part of the 255-byte name was left"
        return 0
    fi
    rm -rf "$WORK/mp3data.gz"
    if [[ $ROW == sample* ]]; then cp "$FIXTURES/mp3data.gz" "$OUT/side.gz"
    else "$ROOT/tests/e2e/craft_side_file.py" "$ROW" "$OUT/side.gz" "$FIXTURES/mp3data.gz"; fi
    cp "$OUT/side.gz" "$WORK/mp3data.gz"
    [ "$ROW" != cut ] || EARLY=(msgbox "mp3data.gz is incomplete: $(awk -v s="$(stat -c %s "$WORK/mp3data.gz")" \
        'BEGIN { printf "%.1f", s / 1048576 }') MB of it arrived.\n$SIDE_PATH$INCOMPLETE" "$CAPTION" warning ok)
}

# Directories at and past the limits, typed on the options page of one run and
# refused there with the focus back in the field; then the longest the
# installed files fit in, served through a temporary folder of 300 characters,
# longer than the system's temporary path may be, so that the setup keeps its
# temporaries beside itself.
group_long_paths() {
    local DIR_512 REFUSALS=() deep='C:\deep' walk=() level name
    local WHOLE='The installation directory must be a full path, such as C:\Program files\Dunvo.'
    # qtext\ENGLISH_TRANSLITERATION.TX_~ is the longest path the installation writes.
    local TOO_LONG='The installation directory is longer than 224 characters, too long for the files it will hold.\nChoose a shorter path.'
    local DIR_224="C:\\Dunvo $(repeat l 215)" DIR_225="C:\\Dunvo $(repeat l 216)"
    DIR_512="C:\\$(repeat a 200)\\$(repeat b 200)\\$(repeat c 107)"
    set_user_temp "C:\\$(repeat t 150)\\$(repeat u 146)"
    table refusal <<'ROWS'
# typed          | message                                                                                               | icon
{DIR_512}        | The installation directory is longer than 511 characters.\nChoose a shorter path.                   | warning
{DIR_225}        | {TOO_LONG}                                                                                            | warning
C:\missing\Dunvo | Cannot create the directory\nC:\missing\Dunvo\nCheck that its parent folder exists and that you may write there. | error
C:\              | You were forgoten to select an directory                                                              | warning
Dunvo            | {WHOLE}                                                                                               | warning
ROWS
    table setup_row <<'ROWS'
long_temp | longest | row IDL_DIR_TRANSLATIONS 0 @REFUSALS type IDE_DIR_PATH {FOLDER} click IDOK | | finished | --state 0=2
ROWS
    [ ! -e "$(host_path "$DIR_225")" ] || fail "the directory too long was made"
    # The folder browser five folders of 50 characters deep (262 characters):
    # each level shown whole (with no row "." or ".." to enter, and the root with
    # no way up), OK takes it, and Next refuses it as too long.
    for level in 1 2 3 4 5; do
        name="level$level$(repeat x 44)" && deep="$deep\\$name" && walk+=(dblrow IDL_BROWSE_FOLDERS "$name" text IDE_BROWSE_PATH "$deep\\Dunvo")
    done
    mkdir -p "$(host_path "$deep")/level6"
    # On the way, at the root: OK wants a name, a 100th character is refused, and
    # the green row is not entered while it has the setup's own name.
    local name_rules=(type IDE_BROWSE_NAME '' click IDOK msgbox 'You forget to select a directory' Warning warning ok
        focus IDE_BROWSE_NAME type IDE_BROWSE_NAME "$(repeat n 100)" text IDE_BROWSE_NAME ''
        type IDE_BROWSE_NAME Dunvo dblrow IDL_BROWSE_FOLDERS Dunvo text IDE_BROWSE_PATH 'C:\Dunvo')
    drive start SETUP page IDE_AGREEMENT_TEXT click IDOK page IDL_DIR_TRANSLATIONS row IDL_DIR_TRANSLATIONS 0 \
        click IDC_DIR_BROWSE page IDL_BROWSE_FOLDERS dblrow IDL_BROWSE_FOLDERS ........ text IDE_BROWSE_PATH 'C:\Dunvo' \
        norow IDL_BROWSE_FOLDERS ........ \
        "${name_rules[@]}" dblrow IDL_BROWSE_FOLDERS deep text IDE_BROWSE_PATH 'C:\deep\Dunvo' \
        norow IDL_BROWSE_FOLDERS . norow IDL_BROWSE_FOLDERS .. "${walk[@]}" \
        shot "$(shot deep-browser)" click IDOK gone IDL_BROWSE_FOLDERS page IDL_DIR_TRANSLATIONS \
        text IDE_DIR_PATH "$deep\\Dunvo" click IDOK msgbox "$TOO_LONG" "$CAPTION" warning ok kill
    [ ! -e "$(host_path "$deep")/Dunvo" ] || fail "the deep directory was made"
}
longest() { FOLDER=$DIR_224; }
refusal() { # TYPED MESSAGE ICON
    fill "$1" && local typed=$FILLED
    fill "$2" && REFUSALS+=(type IDE_DIR_PATH "$typed" click IDOK msgbox "$FILLED" "$CAPTION" "$3" ok focus IDE_DIR_PATH)
}

# Full disks: small tmpfs drives, which need root to mount. X: (8 MB) is
# refused on the options page; W: has room for what that page asks, but not
# for the temporaries besides, which go there too, so it is refused on Next;
# Y: is the temporary folder alone, with room for the payload's temporaries
# but not the side file's, so with a recitation chosen the installation keeps
# them in a folder of its own, which goes also after a failure.
group_full_disks() {
    local spec
    unmount_all # what a killed run left
    for spec in x:8m w:32m y:40m; do
        mkdir -p "$MOUNTS/${spec%%:*}" && ln -s "$MOUNTS/${spec%%:*}" "$PREFIX/dosdevices/${spec%%:*}:"
        mount -t tmpfs -o "size=${spec#*:}" tmpfs "$MOUNTS/${spec%%:*}" 2>/dev/null ||
            { echo "cannot mount a tmpfs here (needs root): full disks not tested"; exit 77; }
    done
    local full='You do not have enough Free disk space on this drive for installation.' more='Change the drive or remove some other program-s to free more disk space.'
    NOT_ENOUGH=(msgbox "$full $more" "$CAPTION" error ok) NO_ROOM=(msgbox "$full $more" - error) # the browser's: either answer stays
    # The payload's gzip file and its expansion side by side (and a megabyte for their clusters), besides 18.79 MB installed.
    read -r TEMP_MB BOTH_MB < <(python3 -c 'import os, sys; f = sys.argv[1]; t = os.path.getsize(f) + int.from_bytes(open(f, "rb").read()[-4:], "little") + 2**20
print("%.2f %.2f" % (t / 2**20, (t + 19704738) / 2**20))' "$TEST_BIN/payload/filesdata.gz")
    NO_ROOM_W=(msgbox "$full While it runs, the installation needs $BOTH_MB MB here: 18.79 MB for its files and $TEMP_MB MB for temporary files, which it removes at the end. $more" "$CAPTION" error ok)
    X_SPACE='Available: 8.00 MB  --  Required: 18.79 MB' X_LESS='Available: 8.00 MB  --  Required: 18.41 MB'
    # X: picked in the browser (C: shown first): its root with no way up, its space shown and refused, and
    # so on the options page, whose figure follows clicks (row 1 round to where it was).
    X_BROWSED=(click IDC_DIR_BROWSE page IDL_BROWSE_FOLDERS text IDC_BROWSE_DRIVES 'C:\' pick IDC_BROWSE_DRIVES 'X:\'
        norow IDL_BROWSE_FOLDERS ........ text IDT_BROWSE_SPACE "$X_SPACE" click IDOK "${NO_ROOM[@]}" yes
        click IDOK "${NO_ROOM[@]}" no click IDCANCEL gone IDL_BROWSE_FOLDERS page IDL_DIR_TRANSLATIONS
        text IDE_DIR_PATH 'X:\Dunvo' text IDT_DIR_SPACE "$X_SPACE" row IDL_DIR_TRANSLATIONS 1 row IDL_DIR_TRANSLATIONS 1
        text IDT_DIR_SPACE "$X_LESS" row IDL_DIR_TRANSLATIONS 1)
    table setup_row <<'ROWS'
# name        | hooks  | on the options page, up to Next                                   | boxes after Next | end       | installed
install_drive | temp   | row IDL_DIR_TRANSLATIONS 0 @X_BROWSED click IDOK @NOT_ENOUGH type IDE_DIR_PATH W:\Dunvo click IDOK @NO_ROOM_W click IDCANCEL @ASK_CANCEL yes | | cancelled | nothing
small_temp    | temp   | row IDL_DIR_TRANSLATIONS 0 row IDL_DIR_RECITATIONS 1 click IDOK     |                  | finished  | --state 0=2 --recitation 1
small_failed  | temp block | row IDL_DIR_TRANSLATIONS 0 row IDL_DIR_RECITATIONS 1 click IDOK | @EXISTS_YES ; error: Could not create file:\n{FOLDER}\readme.rtf | cancelled | --state 0=2 --cancelled
ROWS
}
# The temporary folder of each row; what it holds before, empty after.
temp() {
    local drive=y && [ "$ROW" != install_drive ] || drive=w FOLDER='W:\Dunvo'
    if [ "$1" = after ]; then
        [ -z "$(ls -A "$MOUNTS/$drive/Temp")" ] || fail "temporary files left: $(ls -A "$MOUNTS/$drive/Temp")"
        [ -z "$(ls -A "$MOUNTS/x")" ] || fail "X: was written to"
        return 0
    fi
    mkdir -p "$MOUNTS/$drive/Temp" && set_user_temp "${drive^^}:\\Temp"
    [ "$ROW" != small_temp ] || { cp "$FIXTURES/mp3data.gz" "$OUT/side.gz" && cp "$OUT/side.gz" "$WORK/mp3data.gz"; }
}
# The shortcut page and the uninstaller over one installation: every row runs
# the setup again over it and checks what its choices added (shortcuts, both
# registry entries, the Start-menu folder opened or not), then takes the
# shortcuts away again. In between, the uninstaller and a restart take it all.
group_shortcuts() {
    PROGRAMS_DIR=$(host_path "$PROGRAMS") DESKTOP_DIR=$(host_path 'C:\users\Public\Desktop') DIR=$(host_path "$INSTALL")
    ASK_SHORTCUTS=(msgbox 'Are you want to cancel creating shortcuts ?' Confirmation question)
    local tools='Administrative Tools' installed
    CHOOSER=(click IDC_SHORTCUT_CHOOSE page IDL_CHOOSER_FOLDERS text IDE_CHOOSER_PATH "$PROGRAMS\\Dunvo" shot "$(shot chooser)" dblrow IDL_CHOOSER_FOLDERS "$tools"
        text IDE_CHOOSER_PATH "$PROGRAMS\\$tools\\Dunvo" dblrow IDL_CHOOSER_FOLDERS ........ text IDE_CHOOSER_PATH "$PROGRAMS\\Dunvo" dblrow IDL_CHOOSER_FOLDERS "$tools"
        click IDCANCEL gone IDL_CHOOSER_FOLDERS page IDC_SHORTCUT_START_MENU text IDE_SHORTCUT_FOLDER "$PROGRAMS\\$tools\\Dunvo")
    table shortcut_row <<'ROWS'
# name     | on the shortcut page, to the end                                                         | Start-menu folder made | desktop | entries
cancel_no  | click IDC_SHORTCUT_DESKTOP click IDCANCEL @ASK_SHORTCUTS no page IDC_SHORTCUT_START_MENU checked IDC_SHORTCUT_DESKTOP 1 checked IDC_SHORTCUT_START_MENU 1 kill                |                        | no      | no
cancel     | click IDC_SHORTCUT_DESKTOP key escape @ASK_SHORTCUTS yes @SUCCESS exit 0 started 0                           |                        | no      | yes
ROWS
    uninstall yes && [ "$(listing "$DIR")" = uninstall.exe ] || fail "left: $(listing "$DIR")"
    restart_windows && [ ! -e "$DIR" ] || fail "the folder outlived the restart: $(listing "$DIR")"
    table shortcut_row <<'ROWS'
finish     | checked IDC_SHORTCUT_DESKTOP 0 checked IDC_SHORTCUT_START_MENU 1 text IDE_SHORTCUT_FOLDER {PROGRAMS} shot {PAGE_SHOT} click IDOK @OPENED           | {PROGRAMS}\Dunvo       | no      | yes
desktop    | click IDC_SHORTCUT_DESKTOP click IDC_SHORTCUT_START_MENU checked IDC_SHORTCUT_DESKTOP 1 checked IDC_SHORTCUT_START_MENU 0 click IDOK @SUCCESS exit 0 started 0            |                        | yes     | yes
none       | click IDC_SHORTCUT_START_MENU checked IDC_SHORTCUT_START_MENU 0 checked IDC_SHORTCUT_DESKTOP 0 click IDOK @SUCCESS exit 0 started 0                      |                        | no      | yes
backslash  | text IDE_SHORTCUT_FOLDER C:\ click IDOK @OPENED                                                                 | C:\Dunvo               | no      | yes
no_programs | text IDE_SHORTCUT_FOLDER C: click IDOK @OPENED                                                                | C:\Dunvo               | no      | yes
chooser    | @CHOOSER click IDC_SHORTCUT_DESKTOP click IDOK @OPENED                                                           | {PROGRAMS}\Administrative Tools\Dunvo | yes | yes
ROWS
    echo "the user's own notes" >"$DIR/my notes.txt" && installed=$(listing "$DIR")
    uninstall no && [ "$(listing "$DIR")" = "$installed" ] && [ -e "$DESKTOP_DIR/Dunvo.lnk" ] &&
        [ -d "$PROGRAMS_DIR/$tools/Dunvo" ] && [ -n "$(reg_values "$UNINSTALL_KEY")" ] || fail "No still removed something"
    uninstall yes && [ "$(listing "$DIR")" = $'my notes.txt\nuninstall.exe' ] || fail "left: $(listing "$DIR")"
    [ ! -e "$PROGRAMS_DIR/$tools/Dunvo" ] && [ ! -e "$DESKTOP_DIR/Dunvo.lnk" ] || fail "shortcuts left behind"
    restart_windows && [ "$(listing "$DIR")" = 'my notes.txt' ] || fail "after the restart: $(listing "$DIR")"
    [ "$(cat "$DIR/my notes.txt")" = "the user's own notes" ] || fail "the user's file changed"
}
OPENED=("${SUCCESS[@]}" exit 0 started 1 window Dunvo) # the new Start-menu folder, opened
shortcut_row() { # NAME STEPS FOLDER DESKTOP ENTRIES
    local road=(start SETUP page IDE_AGREEMENT_TEXT click IDOK page IDL_DIR_TRANSLATIONS row IDL_DIR_TRANSLATIONS 0 click IDOK) lnk
    local folders='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
    [ ! -d "$DIR" ] || road+=(@EXISTS_YES)
    PAGE_SHOT=$(shot shortcut-page) && words "$2" && fill "$3" && local folder=$FILLED
    # A folder that ends in a backslash (the shell-folder read removes one of two), and none.
    case $1 in
    backslash) wine_reg add "$folders" /v 'Common Programs' /d 'C:\\' /f ;;
    no_programs) wine_reg delete "$folders" /v 'Common Programs' /f ;;
    esac
    drive "${road[@]}" page IDC_SHORTCUT_START_MENU "${WORDS[@]}"
    [[ $1 != @(backslash|no_programs) ]] || wine_reg add "$folders" /v 'Common Programs' /d "$PROGRAMS" /f
    new_session # a user closes the folder the setup opened; the registry is saved
    if [ -n "$folder" ]; then
        [ "$(listing "$(host_path "$folder")")" = $'Dunvo.lnk\nReadme.lnk\nUninstall.lnk' ] || fail "$folder holds other files"
        for lnk in 'Dunvo Dunvo.exe' 'Uninstall uninstall.exe' 'Readme Readme.rtf'; do
            expect_lnk "$(host_path "$folder")/${lnk% *}.lnk" "$INSTALL\\${lnk#* }" "${lnk% *}"
        done
    fi
    [ -n "$folder" ] || [ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "a Start-menu folder was made"
    [ "$(listing "$DESKTOP_DIR")" = "$([ "$4" = no ] || echo Dunvo.lnk)" ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"
    [ "$4" = no ] || expect_lnk "$DESKTOP_DIR/Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
    [ "$5" = yes ] || { no_entries; return; }
    # Both entries as Wine saves them: backslashes doubled, a string that lacks its terminator in hex.
    local i=${INSTALL//\\/\\\\} s=${folder:-$PROGRAMS\\Dunvo} size
    s=${s//\\/\\\\} && size=$(find "$DIR" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%08x", (s + 1023) / 1024 }')
    diff <(reg_values "$APP_KEY" && reg_values "$UNINSTALL_KEY") - <<EOF || fail "the registry entries differ"
"Path"="$i"
@="Dunvo"
"DisplayIcon"="$i\\\\dunvo.exe"
"DisplayName"="Dunvo"
"DisplayVersion"="7.02"
"EstimatedSize"=dword:$size
"InstallLocation"="$i"
"NoModify"=dword:00000001
"NoRepair"=dword:00000001
"Progdir"="$i"
"Publisher"="Dunvo"
"Scdir"="$s"
"UninstallString"="\"$i\\\\uninstall.exe\""
EOF
    [ "$1" = chooser ] || { [ -z "$folder" ] || rm -r "$(host_path "$folder")"; rm -f "$DESKTOP_DIR/Dunvo.lnk"; }
}
# HKLM\KEY's values as Wine saves them, sorted: "Name"="text", @="default", "Name"=dword:0000000a.
reg_values() {
    KEY="[${1//\\/\\\\}]" awk 'BEGIN { key = tolower(ENVIRON["KEY"]) } /^\[/ { on = index(tolower($0), key) == 1 }
        on && /^[@"]/' "$PREFIX/system.reg" | LC_ALL=C sort
}
uninstall() { # yes|no
    local removed="Dunvo was removed from this computer.\n\nFiles in use, this uninstaller among them, are removed when Windows restarts, and with them the folder $INSTALL if nothing else is left in it."
    # Without its entry it finds nothing to remove. (A new Wine session is a restart: it runs first.)
    local steps=(msgbox "$removed" 'Dunvo - Uninstall' info ok exit 0 start "$INSTALL\\uninstall.exe" 'C:\' msgbox
        'Dunvo is not installed on this computer: its uninstall entry is missing.' 'Dunvo - Uninstall' warning ok exit 1)
    [ "$1" = yes ] || steps=(exit 0)
    drive start "$INSTALL\\uninstall.exe" 'C:\' msgbox "Remove Dunvo from this computer?\n\nIts files in $INSTALL, its shortcuts and its registry entries are removed. Files that Dunvo did not install are kept." 'Dunvo - Uninstall' question "$1" "${steps[@]}"
    new_session
    [ "$1" = no ] || no_entries
}
no_entries() { [ -z "$(reg_values "$APP_KEY")$(reg_values "$UNINSTALL_KEY")" ] || fail "registry entries are there"; }
# Every program ended, then Wine's boot, which carries out the removals left for a restart.
restart_windows() {
    new_session && { in_wine wineboot -r >>"$WINE_LOG" || true; } && new_session
}
