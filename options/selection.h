// The selection rules of the options page: what a click, a column click or
// Next does to TranslationState, RecitationState and RequiredBytes.
// Portable: no <windows.h>. The page calls these and redraws; it never writes
// the states itself, so RequiredBytes always matches them.
#pragma once
#include <cstdint>

// Start values: every translation file installed and none loaded, the alias
// rows offered, no recitation selected (or none available when the side file
// "mp3data.gz" is missing; the caller looks for it and passes the answer).
void StartSelection(bool recitationsAvailable);

// One click on a translation row: 0 -> 1 -> 2 -> 0 for a row with its own
// file, 5 -> 3 -> 4 -> 5 for an alias row. Rows outside the catalogue are ignored.
void CycleTranslation(int row);
// One click on a recitation: 0 <-> 1 for indices 1-113. Index 0 is part of the
// payload and always installed; a recitation that is not available never changes.
void ToggleRecitation(int index);

void SelectAllTranslations(); // loaded rows go back to merely installed
void ClearAllTranslations();
void SelectAllRecitations(); // available ones only
void ClearAllRecitations();

// Run when the selection is accepted: an offered alias row needs its target's
// file, so a target left at "don't install" becomes "install".
void FixUpAliases();

// The acceptance rules in order: null when the selection may be installed,
// else the text to show the user.
const char *CheckSelection();

// Recitations 1-113 chosen for installation, 0 when the side file was not found.
int CountChosenRecitations();

// BaseRequiredBytes plus the files the states select; every change above
// stores it in RequiredBytes.
uint32_t ComputeRequiredBytes();
