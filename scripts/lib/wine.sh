# Sourced by everything that runs Wine (scripts/run, the tests, the benchmark):
# one template prefix per build tree, a fresh copy of it for every run, and an
# X display of its own.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${DUNVO_BUILD:-$ROOT/build}
WINE_HOME=$BUILD/wine
TEMPLATE=$WINE_HOME/template
# Which build the tests run, as the build found out (see cmake/host.cmake).
source "$BUILD/test-arch.sh"
TEST_BIN=$DUNVO_TEST_BIN
if [ "$DUNVO_TEST_ARCH" = i686 ]; then
    export WINEARCH=win32 && WINE=/usr/lib/wine/wine
else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 && WINE=/usr/lib/wine/wine64
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No network here: no offer to fetch Mono and Gecko. And no menu entries on
# this machine for the shortcuts the setup writes into the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Re-runs the calling script on an X display of its own, then ends it. Every
# Wine command of a run must share one display: one started without a display
# leaves the prefix's background processes without one for good. Xvfb picks a
# free display number itself, so parallel runs never race for one. SCREEN
# (WIDTHxHEIGHTxDEPTH) sets the virtual screen.
on_private_display() {
    [ -z "${DUNVO_DISPLAY:-}" ] || return 0
    local fifo number pid rc=0
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 "${SCREEN:-1024x768x24}" -nolisten tcp 9>"$fifo" 2>/dev/null &
    pid=$!
    read -r -t 60 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
    rm -f "$fifo"
    DUNVO_DISPLAY=1 DISPLAY=:$number "$0" "$@" || rc=$?
    # A display gone under the run's programs ended them from outside.
    if [[ $(awk '/^State:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) != [RSD] ]]; then
        echo "the display (Xvfb) had ended before the run did" >&2
        [ "$rc" != 0 ] || rc=1
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    exit $rc
}

ensure_template() {
    mkdir -p "$WINE_HOME"
    (
        flock 9
        [ ! -f "$TEMPLATE/.ready" ] || exit 0
        echo "Creating the Wine template prefix (once per build tree)..."
        rm -rf "$TEMPLATE"
        WINEPREFIX=$TEMPLATE "$WINE" wineboot -i >/dev/null 2>&1 || true
        WINEPREFIX=$TEMPLATE wineserver -w
        [ -f "$TEMPLATE/system.reg" ] || { echo "wineboot did not create a prefix" >&2; exit 1; }
        # Without a window manager on the display, Wine would wait up to two
        # seconds for one whenever a captioned window is hidden or destroyed.
        WINEPREFIX=$TEMPLATE "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        WINEPREFIX=$TEMPLATE wineserver -w
        touch "$TEMPLATE/.ready"
    ) 9>"$WINE_HOME/.lock"
}

# A fresh prefix for one run: hard links to the template, but real copies of
# what Wine rewrites in place (the registry, the .ini files), so that no run
# can change the template or see another's traces.
new_prefix() { # name
    local prefix=$WINE_HOME/prefixes/$1 f
    rm -rf "$prefix" && mkdir -p "$WINE_HOME/prefixes" && cp -al "$TEMPLATE" "$prefix"
    for f in "$prefix"/*.reg "$prefix"/drive_c/windows/*.ini; do
        [ ! -e "$f" ] || cp --remove-destination "$TEMPLATE/${f#"$prefix"/}" "$f"
    done
    echo "$prefix"
}

# An ordinary user for the tests that must not run as root, made when missing.
TEST_USER=dunvo-test
hand_over() { # prefix folder...: the prefix's folders and what Wine rewrites in it, and the folders, to TEST_USER
    id -u "$TEST_USER" >/dev/null 2>&1 ||
        useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$TEST_USER"
    find "$1" -type d -exec chown "$TEST_USER:" {} + # the files stay the template's: hard links, read-only
    chown "$TEST_USER:" "$1"/*.reg "$1"/drive_c/windows/*.ini
    # Debian's Wine names the template's server folder here, readable by root
    # alone; the user's first Wine command makes its own, and its profile.
    rm "$1/wineserver" && mkdir -p "$1/drive_c/users/$TEST_USER/AppData/"{Local,Roaming}
    chown -R "$TEST_USER:" "$1/drive_c/users/$TEST_USER" "${@:2}"
}
AS_TEST_USER=(setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --clear-groups)

# Unix path to the Windows path Wine gives it (Z: is the Unix root).
winpath() { local p=$1; echo "Z:${p//\//\\}"; }

# A prefix's Wine session: one server for every Wine command until end_wine.
# Debian's wineserver ends as soon as its last program has (persistence 0),
# which takes it a second or two (its own programs told to stop, the registry
# saved), and a command started meanwhile joins a server on its way out or
# waits for it to be gone: a group's back-to-back commands (a hook's reg right
# after a setup run, the driver right after the hook) would each race one.
begin_wine() { WINEPREFIX=$1 wineserver -p; } # prefix: no server of it running
end_wine() { # prefix
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}
