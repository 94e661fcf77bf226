#!/usr/bin/env bash
# The newcomer's first run: every page with its default choices, a screenshot
# of each step, ending at the final message. scripts/run runs this too.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario

drive cover 3A6EA5 start SETUP \
      page 151 shot "$(shot 1-agreement)" click 1 \
      page 112 row 112 0 text 101 'C:\Program files\Dunvo' shot "$(shot 2-options)" \
      click 100 page 107 text 102 'C:\Program files\Dunvo' shot "$(shot 3-browser)" click 2 \
      gone 107 page 112 click 1 0 \
      waittext 215 '\Dunvo\' 60 shot "$(shot 4-copy)" 0 \
      page 111 120 checked 111 1 checked 110 0 shot "$(shot 8-shortcuts)" click 1 \
      page 65535 shot "$(shot 9-final-message)" \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0 window Dunvo 30 shot "$(shot 10-start-menu-folder)"
