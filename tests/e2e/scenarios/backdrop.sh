#!/usr/bin/env bash
# The dimmed backdrop over a screen of one known colour, on a screen whose
# width is not a multiple of 4 (so 24-bit rows carry filler bytes), and the
# final message with the exit code.
export SCREEN=1021x767x24
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario

drive cover C87828 start SETUP \
      page 65535 shot "$(shot final-message)" backdrop C87828 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
