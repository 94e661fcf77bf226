#!/usr/bin/env bash
# The dimmed backdrop over a screen of one known colour, on a screen whose
# width is not a multiple of 4 (so 24-bit rows carry filler bytes); then a
# cancel confirmed on the first page: the cancel message, and exit code 0.
export SCREEN=1021x767x24
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario

drive cover C87828 start SETUP \
      page 151 shot "$(shot agreement-over-backdrop)" backdrop C87828 \
      click 2 msgbox "Are you sure you want to cancel the setup?" "Dunvo - Setup" question yes \
      msgbox "Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org" \
             "Dunvo - Setup" warning ok \
      exit 0
