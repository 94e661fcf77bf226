#!/usr/bin/env bash
# Runs one Windows test program under Wine in a fresh prefix on a private display.
# Usage: run-in-prefix.sh NAME PROGRAM.exe [ARGS...]
source "$(dirname "$0")/wine.sh"
on_private_display "$@"
name=$1; shift
ensure_template
prefix=$(new_prefix "$name")
set +e
WINEPREFIX=$prefix "$WINE" "$@"
rc=$?
end_wine "$prefix"
exit $rc
