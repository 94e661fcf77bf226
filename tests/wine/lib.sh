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

# Re-runs the calling script inside its own Xvfb unless it already is. Every
# Wine command of a run must share one display: a Wine command started without
# one leaves the prefix's background processes display-less for good.
# SCREEN (WIDTHxHEIGHTxDEPTH) sets the virtual screen.
on_private_display() {
    if [ -n "${DUNVO_ON_XVFB:-}" ]; then
        rm -f "${DUNVO_DISPLAY_CLAIM:-}" # the server holds its own lock now
        return 0
    fi
    # Tests run in parallel: pick the display number under a lock and claim
    # it until its server is up, so two runs never race for one number.
    mkdir -p "$WINE_HOME/displays"
    local n claim
    exec 8>"$WINE_HOME/displays/.lock"
    flock 8
    for n in $(seq 100 999); do
        claim=$WINE_HOME/displays/$n
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "$claim" ]; then
            touch "$claim"
            break
        fi
    done
    flock -u 8
    exec 8>&-
    export DUNVO_ON_XVFB=1 DUNVO_DISPLAY_CLAIM=$claim
    exec xvfb-run -n "$n" -s "-screen 0 ${SCREEN:-1024x768x24} -nolisten tcp" "$0" "$@"
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
