// Process-wide values that more than one page reads or writes.
// Fixed sizes on purpose: they live for the whole run, are never freed, and
// every text composed into them goes through the bounded helpers of text.h.
#pragma once
#include <cstdint>

constexpr int kPathChars = 512;      // paths and messages
constexpr int kShortPathChars = 260; // temporary paths and record names

// The longest name the installation writes under InstallDir:
// "qtext\ENGLISH_TRANSLITERATION.TX_" with the '~' it is first written under
// (file_write.h). The longest folder it
// makes there: "images". The list of installed files is held to both by its test.
constexpr int kLongestInstalledName = 34;
constexpr int kLongestInstalledFolder = 6;

constexpr int kTranslationRows = 35;
constexpr int kRecitationCount = 114;
constexpr int kDriveSlots = 20;
constexpr int kDriveChars = 5;

extern char SetupName[20];
extern char SourceDir[kPathChars];
extern char MessageText[kPathChars];
extern char LaunchFile[kPathChars];

extern int32_t TranslationState[kTranslationRows];
extern int32_t RecitationState[kRecitationCount];
extern uint32_t RequiredBytes;
extern int32_t RecitationsAvailable;
// The side file the recitations come from, found and checked before the
// options page opens; empty when there is none that can be whole.
extern char SideFile[kPathChars];

extern char InstallDir[kPathChars];
extern char InstallDirName[kPathChars];

extern char BaseFolder[kPathChars];
extern char DriveTable[kDriveSlots][kDriveChars];
extern int32_t DriveCount;
extern int32_t CurrentDrive;
extern uint64_t FreeBytes;

extern char StartMenuFolder[kPathChars];
