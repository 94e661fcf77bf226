# Sourced by everything that runs Wine in the tests: one template prefix per
# build tree, a fresh copy of it for every run, and a private X display.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${DUNVO_BUILD:-$ROOT/build}
WINE_HOME=$BUILD/wine
TEMPLATE=$WINE_HOME/template

# shellcheck source=../../scripts/lib/machine.sh
source "$ROOT/scripts/lib/machine.sh"

# Which build the tests run, as the build found out (see cmake/host.cmake).
# shellcheck source=/dev/null
source "$BUILD/test-arch.sh"
TEST_BIN=$DUNVO_TEST_BIN
if [ "$DUNVO_TEST_ARCH" = i686 ]; then
    export WINEARCH=win32
    WINE=/usr/lib/wine/wine
else
    export WINEARCH=win64
    WINE=/usr/lib/wine/wine64
    export WINELOADER=$WINE
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No network here: keep Wine from offering to fetch Mono and Gecko. And no
# menu entries on this machine for the shortcuts the setup writes into the
# prefix's Start menu and desktop (winemenubuilder would copy them to $HOME).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Re-runs the calling script on an X display of its own, then ends the display.
# Every Wine command of a run must share one display: a Wine command started
# without one leaves the prefix's background processes display-less for good.
# Xvfb picks a free display number itself, so parallel runs of any build tree
# never race for one. SCREEN (WIDTHxHEIGHTxDEPTH) sets the virtual screen.
on_private_display() {
    [ -z "${DUNVO_DISPLAY:-}" ] || return 0
    local fifo number pid rc=0
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 "${SCREEN:-1024x768x24}" -nolisten tcp 9>"$fifo" 2>/dev/null &
    pid=$!
    read -r -t 60 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
    rm -f "$fifo"
    DUNVO_DISPLAY=1 DISPLAY=:$number "$0" "$@" || rc=$?
    kill "$pid" && wait "$pid" 2>/dev/null
    exit $rc
}

ensure_template() {
    mkdir -p "$WINE_HOME"
    (
        flock 9
        if [ ! -f "$TEMPLATE/.ready" ]; then
            echo "Creating the Wine template prefix (once per build tree; slow under emulation)..."
            rm -rf "$TEMPLATE"
            WINEPREFIX=$TEMPLATE "$WINE" wineboot -i >/dev/null 2>&1 || true
            WINEPREFIX=$TEMPLATE wineserver -w
            [ -f "$TEMPLATE/system.reg" ] || { echo "wineboot did not create a prefix" >&2; exit 1; }
            # There is no window manager on the private display: without this,
            # Wine waits up to two seconds for one whenever a captioned window
            # (a message box, the browser) is hidden or destroyed.
            WINEPREFIX=$TEMPLATE "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
            WINEPREFIX=$TEMPLATE wineserver -w
            touch "$TEMPLATE/.ready"
        fi
    ) 9>"$WINE_HOME/.lock"
}

# A fresh prefix for one run. Files are hard links to the template, which is
# instant; whatever Wine rewrites in place (the registry, the .ini files) is a
# real copy, so no run can change the template or see another run's traces.
new_prefix() { # name
    local prefix=$WINE_HOME/prefixes/$1
    rm -rf "$prefix"
    mkdir -p "$WINE_HOME/prefixes"
    cp -al "$TEMPLATE" "$prefix"
    local f
    for f in "$prefix"/*.reg "$prefix"/drive_c/windows/*.ini; do
        [ -e "$f" ] && cp --remove-destination "$TEMPLATE/${f#"$prefix"/}" "$f"
    done
    echo "$prefix"
}

# Unix path to the Windows path Wine gives it (Z: is the Unix root).
winpath() { local p=$1; echo "Z:${p//\//\\}"; }

end_wine() { # prefix
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}
