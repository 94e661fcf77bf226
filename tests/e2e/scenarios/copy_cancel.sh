#!/usr/bin/env bash
# Cancel on the copy page while it unpacks the payload: the click is heard
# after the first record, which is finished; the rest is not written, the
# translation list still is, the temporaries are gone, and the setup ends
# with its cancel message and exit code 0.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
start_scenario

drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 click 1 0 \
      waittext 215 '\Dunvo\' 60 click 2 \
      msgbox "Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org" \
             "Dunvo - Setup" warning ok \
      exit 0
check_install "$(default_install)" --state 0=2 --cancelled
no_temporaries
