#include "options/drive_rules.h"

#include "common/install_settings.h"
#include "common/message_box.h"
#include "common/text.h"

#include <cctype>
#include <cstring>

namespace
{

char UpperCase(char c)
{
    return static_cast<char>(toupper(static_cast<unsigned char>(c)));
}

void UpperCaseInPlace(char *text)
{
    for (; *text; ++text)
        *text = UpperCase(*text);
}

// Takes the root strings into DriveTable, in the system's order. Only
// complete entries inside the reported length are read, so a list that failed
// or did not fit gives no drives rather than whatever the buffer held. Drives
// past the 20 slots, and an entry too long for a slot (a root is "X:\"), are
// left out instead of being cut.
void TakeDriveList(const char *strings, size_t capacity, size_t reported)
{
    memset(DriveTable, 0, sizeof DriveTable);
    DriveCount = 0;
    CurrentDrive = 0;
    if (reported == 0 || reported >= capacity)
        return;
    size_t start = 0;
    for (size_t i = 0; i < reported && DriveCount < kDriveSlots; ++i) {
        if (strings[i] != '\0')
            continue;
        size_t length = i - start;
        if (length == 0)
            break; // the empty string that closes the list
        if (length < static_cast<size_t>(kDriveChars)) {
            char *entry = DriveTable[DriveCount];
            memcpy(entry, strings + start, length);
            UpperCaseInPlace(entry);
            if (entry[0] == UpperCase(SourceDir[0]))
                CurrentDrive = DriveCount;
            ++DriveCount;
        }
        start = i + 1;
    }
}

int FindDrive(char letter)
{
    for (int drive = 0; drive < DriveCount; ++drive)
        if (DriveTable[drive][0] == letter)
            return drive;
    return -1;
}

} // namespace

void ChooseDefaultFolderFrom(const char *driveStrings, size_t capacity, size_t reported,
                             const char *windowsDir, bool (*enterFolder)(const char *folder))
{
    TakeDriveList(driveStrings, capacity, reported);

    // Without a drive C there is no proposal: BaseFolder stays as it was and
    // the measured drive is the one the setup was started from.
    int driveC = FindDrive('C');
    if (driveC < 0)
        return;
    CurrentDrive = driveC;
    // The drive letter is upper-cased like the drive list, so a Windows
    // directory reported as "d:\windows" still finds drive D to measure
    // instead of measuring C for a folder on D.
    if (windowsDir[0] != '\0' && FormatInto(BaseFolder, "%c:\\Program files", UpperCase(windowsDir[0])) &&
        enterFolder(BaseFolder)) {
        int drive = FindDrive(BaseFolder[0]);
        if (drive >= 0)
            CurrentDrive = drive;
        return;
    }
    CopyInto(BaseFolder, DriveTable[driveC]);
}

uint64_t PickFreeBytes(uint64_t availableToCaller, uint64_t totalFree)
{
    return availableToCaller != 0 ? availableToCaller : totalFree;
}

void FormatSpaceText(char (&out)[kSpaceTextChars])
{
    // Two decimals of a mebibyte never need more than these 80 characters.
    const double kMebibyte = 1048576.0;
    FormatInto(out, "Available: %.02f MB  --  Required: %.02f MB", static_cast<double>(FreeBytes) / kMebibyte,
               static_cast<double>(RequiredBytes) / kMebibyte);
}

void ReportFreeSpaceError(unsigned long error)
{
    FormatInto(MessageText, "error: %lu:  could not get free space for\n", error);
    ShowMessage(nullptr, MessageText, SetupName, kMbIconError | kMbOk);
}

bool IsFullPath(const char *path)
{
    return isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
}

TempPlace PlaceTemporaries(bool sameDrive, uint64_t tempFree, uint64_t installFree, uint64_t installBytes,
                           uint64_t tempBytes)
{
    // Either figure is at most a few hundred megabytes, so their sum cannot wrap.
    const uint64_t both = installBytes + tempBytes;
    if (installFree < installBytes)
        return TempPlace::NoRoom;
    if (sameDrive)
        return installFree >= both ? TempPlace::TempFolder : TempPlace::NoRoom;
    if (tempFree >= tempBytes)
        return TempPlace::TempFolder;
    return installFree >= both ? TempPlace::InstallDrive : TempPlace::NoRoom;
}

bool OnSameDrive(const char *path, const char *other)
{
    // A drive's root may come without its backslash ("C:"); a network path has no letter.
    const auto lettered = [](const char *p) {
        return isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
    };
    return lettered(path) && lettered(other) && UpperCase(path[0]) == UpperCase(other[0]);
}
