#!/usr/bin/env bash
# Choices the copy page has to follow: "Albanian" clicked round to "Don't
# Install" is not installed; "Croatian[Bosnian]" loaded while its target
# "Bosnian" is left out gets Bosnian's file through the fix-up, and
# "avaldata.dat" lists the alias row with its own name and Bosnian's file.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
start_scenario

drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 row 112 0 row 112 4 row 112 4 row 112 7 click 1 \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
check_install "$(default_install)" --state 0=0 --state 4=1 --state 7=4
no_temporaries
