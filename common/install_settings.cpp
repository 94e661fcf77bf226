#include "common/install_settings.h"

char SetupName[20];
char SourceDir[kPathChars];
char MessageText[kPathChars];
char LaunchFile[kPathChars];

int32_t TranslationState[kTranslationRows];
int32_t RecitationState[kRecitationCount];
uint32_t RequiredBytes;
int32_t RecitationsAvailable;
char SideFile[kPathChars];

char InstallDir[kPathChars];
char InstallDirName[kPathChars];

char BaseFolder[kPathChars];
char DriveTable[kDriveSlots][kDriveChars];
int32_t DriveCount;
int32_t CurrentDrive;
uint64_t FreeBytes;

char StartMenuFolder[kPathChars];
