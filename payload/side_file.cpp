#include "payload/side_file.h"

#include <cstdio>

#include "common/ansi_path.h"
#include "common/install_settings.h"
#include "common/text.h"
#include "options/catalogue.h"
#include "payload/archive.h"

namespace
{

const char kSideFileName[] = "mp3data.gz";
constexpr double kMebibyte = 1024.0 * 1024.0;

bool Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The current directory first: a setup double-clicked in its folder starts
// there. A shortcut with an empty "Start in", a command prompt elsewhere or a
// launcher starts it somewhere else, so then the setup's own folder.
bool LocateSideFile(char (&path)[kPathChars])
{
    // An empty SourceDir (too long to record) would name the root of the drive.
    if (SourceDir[0] && FormatInto(path, "%s\\%s", SourceDir, kSideFileName) && Exists(path))
        return true;
    wchar_t wide[kPathChars];
    char program[kPathChars];
    if (!TakeSystemPath(program, wide, GetModuleFileNameW(nullptr, wide, kPathChars)))
        return false;
    const char *backslash = LastBackslash(program);
    return backslash &&
           FormatInto(path, "%.*s\\%s", static_cast<int>(backslash - program), program, kSideFileName) &&
           Exists(path);
}

} // namespace

void FindSideFile(HWND owner)
{
    SideFile[0] = '\0';
    char path[kPathChars];
    if (!LocateSideFile(path))
        return;
    long size = -1;
    FILE *file = fopen(path, "rb");
    const SideFileEnds ends =
        file ? CheckSideFileEnds(file, RecitationArchiveBytes(), &size) : SideFileEnds::Unreadable;
    if (file)
        fclose(file);
    if (ends == SideFileEnds::Whole) {
        CopyInto(SideFile, path);
        return;
    }
    char advice[kShortPathChars];
    FormatInto(advice,
               "Download a new copy of mp3data.gz from %s to install the recitations.\n"
               "Dunvo itself can be installed now, without them.",
               kPublisherAddress);
    if (ends == SideFileEnds::Cut)
        FormatInto(MessageText, "mp3data.gz is incomplete: %.1f MB of it arrived.\n%.300s\n\n%s",
                   size / kMebibyte, path, advice);
    else
        FormatInto(MessageText, "mp3data.gz cannot be read:\n%.300s\n\n%s", path, advice);
    MessageBoxA(owner, MessageText, "Dunvo - Setup", MB_OK | MB_ICONWARNING);
}
