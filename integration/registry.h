// The two machine-wide registrations of the installed application: its
// application path and its uninstall entry. Both read InstallDir; neither
// reports a failure (a key that cannot be written is simply missing).
#pragma once

extern const char kAppPathsKey[];    // parent key under HKEY_LOCAL_MACHINE
extern const char kUninstallKey[];   // parent key under HKEY_LOCAL_MACHINE
extern const char kRegistrySubkey[]; // "Dunvo" below both

// App Paths\Dunvo: the default value "Dunvo" and "Path" = InstallDir.
void RegisterAppPath();

// Uninstall\Dunvo: "DisplayName", "UninstallString" = `uninstallCommand`,
// "Scdir" = `startMenuFolder`, "Progdir" = InstallDir, in that order, then
// what the system's list of installed programs shows: version, publisher,
// icon, location, size in kilobytes, and no modify or repair buttons.
// An empty text (what a path that did not fit its buffer becomes) is not
// written at all.
void RegisterUninstallEntry(const char *uninstallCommand, const char *startMenuFolder);

// Kilobytes, rounded up, of the installed files (see installed_files.h)
// found under InstallDir.
unsigned long MeasureInstalledKilobytes();
