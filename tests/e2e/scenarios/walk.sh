#!/usr/bin/env bash
# The newcomer's first run: every page with its default choices, a screenshot
# of each step, ending at the final message. scripts/run runs this too.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario

drive start SETUP \
      page 65535 shot "$(shot 9-final-message)" \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
