// The copy page (IDD_COPY): the moment it opens it installs the chosen files,
// writes "avaldata.dat" and, when chosen, the recitations. The page sequence
// runs it through RunCopyPage (shell/pages.h); its stages are declared here
// so tests can feed them archives of their own.
#pragma once
#include <windows.h>

#include <cstdio>

#include "common/install_settings.h"
#include "payload/temporaries.h"

constexpr UINT CMD_RUN_COPY = 4445;

// 0 while the copy may go on; 1 after Cancel or a failure, and the page's result.
extern int CopyAborted;

// The file's size in bytes, 0 when it cannot be opened or measured.
int MeasureFileSize(const char *path);

// The whole pipeline, run from the page's own command; ends the page.
void ExtractPayload(HWND page);

// The 47 records of the expanded payload: each chosen one is written under
// InstallDir, each translation file's size checked. Stops at Cancel or at a
// failure with CopyAborted = 1.
void InstallFilesArchive(HWND page, FILE *archive);
// The 113 records of the expanded side file: the chosen recitations are
// written. Every failure has its message and stops the stage with CopyAborted = 1.
void InstallRecitationArchive(HWND page, FILE *archive);
