#!/usr/bin/env bash
# The default road through the copy page: one translation loaded by a row
# click, everything installed byte for byte, "avaldata.dat" with that one row,
# no temporaries left. Then a second run over the damaged installation, with
# another translation loaded: the files are whole again and the list is new.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
start_scenario

EXISTS='Directory allready exsist. Continue with the instalation ?\n\nNOTES: Click on the YES button if this is previous installation of this software, otherwise click on the NO button and select another installation directory.'

drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 click 1 \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
INSTALL=$(default_install)
check_install "$INSTALL" --state 0=2
no_temporaries

# Damage the installation, then install over it loading English (B) instead.
printf 'garbage' >"$INSTALL/qtext/ARABIC.TX_"
truncate -s 100 "$INSTALL/images/earth.bmp"
drive start SETUP \
      page 151 click 1 \
      page 112 row 112 10 click 1 \
      msgbox "$EXISTS" "Dunvo - Setup" question yes \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
check_install "$INSTALL" --state 10=2
no_temporaries
