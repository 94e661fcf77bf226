#include "payload/copy_page.h"

#include <climits>
#include <cstring>

#include "common/app_window.h"
#include "common/file_write.h"
#include "common/stage_times.h"
#include "common/text.h"
#include "options/catalogue.h"
#include "options/selection.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"
#include "payload/progress_bar.h"
#include "payload/side_file.h"
#include "payload/temporaries.h"
#include "payload/translation_list_win.h"
#include "resources/resource.h"
#include "shell/agreement_page.h"
#include "shell/dispatch.h"
#include "shell/pages.h"

int CopyAborted;

namespace
{

// How often the page paints and answers during a long write or expansion:
// well inside the tenth of a second after which a user sees a window hang,
// with room for a loaded machine. Each piece of work between two chances
// (inflating 128 KB, writing or reading 1 MB) takes about a millisecond.
constexpr DWORD kKeepAliveMilliseconds = 20;
// Large records are read out of the archive in pieces of this size.
constexpr uint32_t kReadPieceBytes = 1 << 20;

void ShowError(HWND page, const char *text)
{
    MessageBoxA(page, text, nullptr, MB_ICONERROR);
}

void ShowStatus(HWND page, const char *text)
{
    StageTimer timer(Stage::Showing);
    SetDlgItemTextA(page, IDE_COPY_STATUS, text);
}

// Stage texts are shown before a long stretch without records, so they are painted at once.
void ShowStageStatus(HWND page, const char *text)
{
    ShowStatus(page, text);
    UpdateWindow(GetDlgItem(page, IDE_COPY_STATUS));
}

// Through the resource write and the two expansions no record ends, so
// Cancel and every other input wait in the queue as always; but the page
// still paints, and answers what other programs and the system send it,
// which would otherwise mark it "Not Responding" in the middle of an
// installation.
DWORD LastKeptAlive;
void KeepPageAlive()
{
    const DWORD now = GetTickCount();
    if (now - LastKeptAlive < kKeepAliveMilliseconds)
        return;
    LastKeptAlive = now;
    StageTimer timer(Stage::Pumping);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
        DispatchMessageA(&message);
}

void ShowPathTooLong(HWND page, const char *folder, const char *name, size_t length)
{
    const int shown = static_cast<int>(length < kMaxRecordNameLength ? length : kMaxRecordNameLength);
    FormatInto(MessageText, "The path is too long, nothing was written to it:\n%.200s\\%.*s", folder, shown,
               name);
    ShowError(page, MessageText);
}

// folder, a backslash and the first `length` characters of name. A path that
// does not fit is refused with a message that names it; nothing is cut.
template <size_t N>
bool ComposePath(HWND page, char (&out)[N], const char *folder, const char *name, size_t length)
{
    if (FormatInto(out, "%s\\%.*s", folder, static_cast<int>(length), name))
        return true;
    ShowPathTooLong(page, folder, name, length);
    return false;
}

template <size_t N> bool ComposePath(HWND page, char (&out)[N], const char *folder, const char *name)
{
    return ComposePath(page, out, folder, name, strlen(name));
}

// Every file the page writes goes through here, so a full disk and a file
// held by a running program are told in the same words wherever they happen.
// A file still held after the write's own tries is the earlier installation's,
// held by the program the system names, or most likely by the application
// itself still open: the user may close it and have the same bytes written
// again, or give up, which stops the copy as any other failure does.
FileWrite WriteWholeFile(HWND page, const char *path, const void *bytes, uint32_t size)
{
    FileWrite result;
    while ((result = ReplaceWholeFile(path, bytes, size, KeepPageAlive)) == FileWrite::InUse) {
        char holder[64];
        if (NameFileHolder(path, holder, sizeof holder))
            FormatInto(MessageText,
                       "This file is in use by %s:\n%.280s\n\n"
                       "Close %s and click Retry, or click Cancel to stop the installation.",
                       holder, path, holder);
        else
            FormatInto(
                MessageText,
                "This file is in use by another program, such as Dunvo if it is still open:\n%.350s\n\n"
                "Close that program and click Retry, or click Cancel to stop the installation.",
                path);
        if (MessageBoxA(page, MessageText, nullptr, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
            break;
    }
    if (result == FileWrite::NotWritten) {
        FormatInto(MessageText, "Could not write file, the disk may be full:\n%.450s", path);
        ShowError(page, MessageText);
    }
    return result;
}

// A record's data read whole into `bytes`, the page kept alive between pieces.
bool ReadInPieces(FILE *archive, uint32_t size, char *bytes)
{
    for (uint32_t done = 0; done < size;) {
        const uint32_t piece = size - done < kReadPieceBytes ? size - done : kReadPieceBytes;
        if (ReadRecordData(archive, piece, bytes + done) != RecordStatus::Ok)
            return false;
        done += piece;
        KeepPageAlive();
    }
    return true;
}

enum class RecordWrite { Written, NotNamed, NoMemory, NoLock, ArchiveEnded, InUse, NotCreated, NotWritten };

// The record's data, read whole into one block of its own size, becomes
// `path`. Nothing is created when the archive ends inside the data, so no
// file of undefined content is left behind.
RecordWrite WriteRecordFile(HWND page, FILE *archive, uint32_t size, const char *path)
{
    RecordWrite result = RecordWrite::Written;
    HGLOBAL memory = nullptr;
    void *bytes = nullptr;
    // A movable block of 0 bytes cannot be locked; an empty file needs none.
    if (size > 0 && CheckRecordData(archive, size) != RecordStatus::Ok) {
        result = RecordWrite::ArchiveEnded;
    } else if (size > 0) {
        {
            StageTimer timer(Stage::Allocating);
            // Not zero-filled: the read below fills it, or nothing is written.
            memory = GlobalAlloc(GMEM_MOVEABLE, size);
            bytes = memory ? GlobalLock(memory) : nullptr;
        }
        if (!memory)
            result = RecordWrite::NoMemory;
        else if (!bytes)
            result = RecordWrite::NoLock;
        else if (!ReadInPieces(archive, size, static_cast<char *>(bytes)))
            result = RecordWrite::ArchiveEnded;
    }
    if (result == RecordWrite::Written) {
        const FileWrite file = WriteWholeFile(page, path, bytes, size);
        if (file == FileWrite::NotCreated)
            result = RecordWrite::NotCreated;
        else if (file == FileWrite::InUse)
            result = RecordWrite::InUse;
        else if (file == FileWrite::NotWritten)
            result = RecordWrite::NotWritten;
    }
    StageTimer timer(Stage::Allocating);
    if (bytes)
        GlobalUnlock(memory);
    if (memory)
        GlobalFree(memory);
    return result;
}

// The step both stages share: a chosen record written under InstallDir, its
// path shown, and what went wrong told in the same words in both stages (a
// full disk, a file left in use and a path too long have been told already;
// an archive that ends is the stage's to tell).
RecordWrite InstallRecord(HWND page, FILE *archive, const PayloadRecord &record, char (&path)[kPathChars])
{
    if (!ComposePath(page, path, InstallDir, record.Name))
        return RecordWrite::NotNamed;
    ShowStatus(page, path);
    const RecordWrite result = WriteRecordFile(page, archive, record.Size, path);
    const int size = static_cast<int>(record.Size);
    if (result == RecordWrite::NoMemory)
        FormatInto(MessageText, "Could not allocate memory %d bytes for a file:\n%.450s", size, path);
    else if (result == RecordWrite::NoLock)
        FormatInto(MessageText, "Could not Lock memory %d bytes for a file:\n%.450s", size, path);
    else if (result == RecordWrite::NotCreated)
        FormatInto(MessageText, "Could not create file:\n%.480s", path);
    else
        return result;
    ShowError(page, MessageText);
    return result;
}

// Between records the page stays alive: it paints, and Cancel is heard.
void PumpMessages(HWND page)
{
    StageTimer timer(Stage::Pumping);
    MSG message;
    while (CopyAborted == 0 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(page, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Every folder the name holds, made for every record, also for one that is skipped.
bool MakeRecordDirectories(HWND page, const char *name)
{
    char directory[kShortPathChars];
    const size_t length = strlen(name);
    for (size_t p = 1; p < length; ++p) {
        if (name[p] != '\\')
            continue;
        if (!ComposePath(page, directory, InstallDir, name, p))
            return false;
        MakeDirectory(directory); // result ignored: 0 also when it exists
    }
    return true;
}

// False when the stage must stop. A translation file of the wrong size is
// told, and the copy goes on.
bool InstallPayloadFile(HWND page, FILE *archive, const PayloadRecord &record, const ComponentEntry *row)
{
    char path[kPathChars];
    if (InstallRecord(page, archive, record, path) != RecordWrite::Written)
        return false;
    const int measured = MeasureFileSize(path);
    if (row && measured != static_cast<int>(row->FileSize)) {
        FormatInto(
            MessageText,
            "%d = %d\n%.190s Holy Qur'an file (%.190s) was corrupted.\nDownload a new copy of SetupD.exe "
            "from %s",
            measured, static_cast<int>(row->FileSize), row->DisplayName, row->FileName, kPublisherAddress);
        ShowError(page, MessageText);
    }
    return true;
}

// The side file is the user's own download; what is wrong with it is told in
// words that lead to a new copy.
void ReportDamagedSideFile(HWND page, int k, RecordStatus status, const PayloadRecord &record)
{
    // A refused name may hold control characters: shown as '?', they cannot
    // break the message into lines of the file's choosing.
    char shownName[sizeof record.Name];
    memcpy(shownName, record.Name, sizeof shownName);
    for (char &c : shownName)
        if (c != '\0' && static_cast<unsigned char>(c) < 32)
            c = '?';
    if (status == RecordStatus::UnsafeName)
        FormatInto(MessageText,
                   "mp3data.gz is damaged: record %d has a file name that cannot be installed:\n%.300s\n"
                   "Download a new copy of mp3data.gz from %s",
                   k, shownName, kPublisherAddress);
    else if (status == RecordStatus::BadSize)
        FormatInto(MessageText,
                   "mp3data.gz is damaged: record %d has an impossible size.\n"
                   "Download a new copy of mp3data.gz from %s",
                   k, kPublisherAddress);
    else
        FormatInto(MessageText,
                   "mp3data.gz is damaged: it ends in record %d of %d.\n"
                   "Download a new copy of mp3data.gz from %s",
                   k, kRecitationArchiveRecords, kPublisherAddress);
    ShowError(page, MessageText);
}

// False when the stage must stop. A recitation comes from the side file, so a
// wrong size sends the user for a new copy of that; the copy goes on.
bool InstallRecitation(HWND page, FILE *archive, const PayloadRecord &record, int k)
{
    ProgressStep();
    char path[kPathChars];
    const RecordWrite result = InstallRecord(page, archive, record, path);
    if (result == RecordWrite::ArchiveEnded)
        ReportDamagedSideFile(page, k, RecordStatus::EndedInData, record);
    if (result != RecordWrite::Written)
        return false;
    const int measured = MeasureFileSize(path);
    if (measured != static_cast<int>(RecitationSizes[k])) {
        FormatInto(MessageText,
                   "%d = %d\nFile: %.400s was corrupted.\nDownload a new copy of mp3data.gz from %s",
                   measured, static_cast<int>(RecitationSizes[k]), path, kPublisherAddress);
        ShowError(page, MessageText);
    }
    return true;
}

bool WritePayloadResource(HWND page, const char *path)
{
    const PayloadStream payload = FindPayload();
    return payload.bytes && WriteWholeFile(page, path, payload.bytes, payload.size) == FileWrite::Written;
}

// `gzipPath` expanded into TempDir\`plainName`, which is then open for
// reading; null when it could not be (the expansion has told why, and says
// in `expansion` whether the input was at fault).
FILE *ExpandIntoTemp(HWND page, const char *gzipPath, const char *plainName, Expansion *expansion = nullptr)
{
    char plainPath[kPathChars];
    const Expansion result = ComposePath(page, plainPath, TempDir, plainName)
                                 ? ExpandGzipFile(plainPath, gzipPath, KeepPageAlive)
                                 : Expansion::Failed;
    if (expansion)
        *expansion = result;
    return result == Expansion::Done ? fopen(plainPath, "rb") : nullptr;
}

// The resource written to TempDir\filesdata.gz and expanded to
// TempDir\filesdata.dat; the expanded archive open for reading, or null.
FILE *UnpackPayload(HWND page)
{
    char gzipPath[kPathChars];
    if (!ComposePath(page, gzipPath, TempDir, "filesdata.gz") || !WritePayloadResource(page, gzipPath))
        return nullptr;
    ShowStageStatus(page, "Decompressing setup files");
    return ExpandIntoTemp(page, gzipPath, "filesdata.dat");
}

void RunRecitationStage(HWND page)
{
    ShowStageStatus(page, "Decompressing MP3 sound files, could take a minute");
    Expansion expansion;
    FILE *archive = ExpandIntoTemp(page, SideFile, "mp3data.dat", &expansion);
    // Without the side file the rest of the installation stands: CopyAborted stays 0.
    // Its size and trailer were right when it was found, so damage shows only
    // now, and is the last word before the end.
    if (expansion == Expansion::Damaged) {
        FormatInto(MessageText,
                   "mp3data.gz is damaged: it does not expand as it should.\n"
                   "The chosen recitations were not installed; everything else was.\n"
                   "Download a new copy of mp3data.gz from %s and start Setup again to install them.",
                   kPublisherAddress);
        ShowError(page, MessageText);
    } else if (!archive) {
        ShowError(page, "Can't decompress MP3 sound files");
    } else {
        InstallRecitationArchive(page, archive);
        fclose(archive);
    }
    ShowStatus(page, "Deleting temproary file");
    DeleteTemporary("mp3data.dat");
}

int OnRunCopy(HWND page, uint16_t, uint32_t, LPARAM)
{
    ExtractPayload(page);
    return 0;
}

int OnCancel(HWND, uint16_t, uint32_t, LPARAM)
{
    CopyAborted = 1;
    return 1;
}

const CommandEntry kCopyCommands[] = {
    {CMD_RUN_COPY, OnRunCopy},
    {IDCANCEL, OnCancel},
};
const CommandTable kCopyCommandTable = MakeCommandTable(kCopyCommands, DefaultNone);

int OnInitCopy(HWND page, UINT, WPARAM, LPARAM)
{
    PostMessageA(page, WM_COMMAND, CMD_RUN_COPY, 0);
    return 1;
}

const MessageEntry kCopyMessages[] = {
    {WM_COMMAND, ForwardCommand<kCopyCommandTable>},
    {WM_INITDIALOG, OnInitCopy},
    {WM_PAINT, PagePainter},
};
const MessageTable kCopyMessageTable = MakeMessageTable(kCopyMessages, DefaultNone);

} // namespace

// One question to the file system, not an open, two seeks and a close.
int MeasureFileSize(const char *path)
{
    StageTimer timer(Stage::Measuring);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0 ||
        data.nFileSizeLow > INT_MAX)
        return 0;
    return static_cast<int>(data.nFileSizeLow);
}

void InstallFilesArchive(HWND page, FILE *archive)
{
    int c = 0;
    for (int j = 0; CopyAborted == 0 && j < kFilesArchiveRecords; ++j) {
        PayloadRecord record;
        // A damaged payload ends the stage: no size is guessed, nothing is written for the record.
        if (ReadRecordHeader(archive, &record) != RecordStatus::Ok ||
            !MakeRecordDirectories(page, record.Name)) {
            CopyAborted = 1;
            break;
        }
        // Alias rows have no record of their own: their file comes with their target's.
        while (c < kTranslationRows && TranslationState[c] > TS_INSTALL_LOAD)
            ++c;
        const bool chosen = j >= kTranslationFiles ||
                            (c < kTranslationRows &&
                             (TranslationState[c] == TS_INSTALL || TranslationState[c] == TS_INSTALL_LOAD));
        ProgressStep();
        const bool handled =
            chosen ? InstallPayloadFile(page, archive, record,
                                        j < kTranslationFiles ? &ComponentCatalogue[c] : nullptr)
                   : SkipRecordData(archive, record.Size) == RecordStatus::Ok;
        if (!handled)
            CopyAborted = 1;
        if (c < kTranslationRows - 1)
            ++c;
        PumpMessages(page);
    }
}

void InstallRecitationArchive(HWND page, FILE *archive)
{
    for (int k = 1; CopyAborted == 0 && k < kRecitationCount; ++k) {
        PayloadRecord record;
        const RecordStatus status = ReadRecordHeader(archive, &record);
        if (status != RecordStatus::Ok) {
            ReportDamagedSideFile(page, k, status, record);
            CopyAborted = 1;
            break;
        }
        if (RecitationState[k] == RS_INSTALL) {
            if (!InstallRecitation(page, archive, record, k))
                CopyAborted = 1;
        } else if (SkipRecordData(archive, record.Size) != RecordStatus::Ok) {
            ReportDamagedSideFile(page, k, RecordStatus::EndedInData, record);
            CopyAborted = 1;
        }
        PumpMessages(page);
    }
}

void ExtractPayload(HWND page)
{
    StageTimer timer(Stage::Other); // the breakdown's count starts here
    // The page has only just been shown, and the first stages keep the queue
    // waiting: it is painted whole now, not left blank until the first record.
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const bool haveTempDir = ChooseTempDir(page);
    const int chosenRecitations = CountChosenRecitations();
    CopyAborted = 0;
    ProgressBegin(GetDlgItem(page, IDT_COPY_PROGRESS), kFilesArchiveRecords + chosenRecitations);
    ShowStageStatus(page, "Loading setup files");
    ProgressStep();

    FILE *archive = haveTempDir ? UnpackPayload(page) : nullptr;
    if (!archive) {
        CopyAborted = 1;
        ShowError(page, "Can't decompress setup files");
    } else {
        InstallFilesArchive(page, archive);
        fclose(archive);
        // Also after Cancel or a failure: the list tells the application what it has.
        if (WriteTranslationList(page, KeepPageAlive) == TranslationListResult::NotWritten)
            CopyAborted = 1;
    }

    ShowStatus(page, "Deleting temproary files");
    DeleteTemporary("filesdata.dat");
    DeleteTemporary("filesdata.gz");

    if (RecitationsAvailable == 1 && CopyAborted == 0 && chosenRecitations > 0)
        RunRecitationStage(page);
    RemoveTemporaries();

    ProgressEnd();
    WriteStageTimes();
    EndDialog(page, CopyAborted);
}

int RunCopyPage(HWND owner)
{
    return static_cast<int>(
        DialogBoxParamA(AppInstance, "IDD_COPY", owner, TableDialogProc<kCopyMessageTable>, 0));
}
