#!/usr/bin/env bash
# The agreement page from the keyboard: Escape asks, No leaves the page as it
# was (text and focus), Enter accepts.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario

drive start SETUP \
      page 151 focus 1 textlen 151 3122 \
      key escape msgbox "Are you sure you want to cancel the setup?" "Dunvo - Setup" question no \
      page 151 focus 1 textlen 151 3122 \
      key enter gone 151 kill
