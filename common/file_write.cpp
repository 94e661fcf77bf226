#include "common/file_write.h"

#include "common/stage_times.h"
#include "common/text.h"

namespace
{

// With the pause of the system's side, about three seconds: long enough for a
// scanner's look, short enough that a program left open is asked about soon.
constexpr int kHeldFileRetries = 12;

template <class Attempt> FileWrite Patiently(Attempt attempt, void (*keepAlive)())
{
    FileWrite result = attempt();
    for (int retry = 0; result == FileWrite::InUse && retry < kHeldFileRetries; ++retry) {
        PauseForHeldFile(keepAlive);
        result = attempt();
    }
    return result;
}

// A piece takes about a millisecond to write, far below what a window may
// stay unanswered.
constexpr size_t kWritePieceBytes = 1 << 20;

bool WritePieces(FILE *file, const void *bytes, size_t size, void (*betweenWrites)())
{
    StageTimer timer(Stage::Writing);
    const char *at = static_cast<const char *>(bytes);
    while (size > 0) {
        const size_t piece = betweenWrites && size > kWritePieceBytes ? kWritePieceBytes : size;
        if (fwrite(at, 1, piece, file) != piece)
            return false;
        at += piece;
        size -= piece;
        if (size > 0)
            betweenWrites();
    }
    return true;
}

} // namespace

bool CloseWrittenFile(FILE *file, bool written)
{
    StageTimer timer(Stage::Writing);
    return fclose(file) == 0 && written;
}

FileWrite BeginReplacement(FileReplacement *replacement, const char *path, void (*keepAlive)())
{
    replacement->File = nullptr;
    StageTimer timer(Stage::Creating);
    if (!CopyInto(replacement->Path, path) || !FormatInto(replacement->PartPath, "%s~", path))
        return FileWrite::NotCreated;
    bool earlier = false, stalePart = false;
    const FileWrite ready = Patiently([&] { return PrepareToReplace(path, &earlier); }, keepAlive);
    if (ready != FileWrite::Written)
        return ready;
    // A part left by an earlier run that stopped is ours to clear as well.
    if (PrepareToReplace(replacement->PartPath, &stalePart) != FileWrite::Written)
        return FileWrite::NotCreated;
    // With no earlier file there is nothing to lose: the bytes go straight
    // under their name, and go again if they fail. That spares a move per
    // file, several requests to the system each.
    replacement->Direct = !earlier;
    if (replacement->Direct && stalePart)
        remove(replacement->PartPath); // result ignored: a leftover only
    replacement->File =
        replacement->Direct ? CreateNewFile(replacement->Path) : fopen(replacement->PartPath, "wb");
    return replacement->File ? FileWrite::Written : FileWrite::NotCreated;
}

FileWrite EndReplacement(FileReplacement *replacement, bool written, void (*keepAlive)())
{
    FileWrite result = FileWrite::NotWritten;
    if (CloseWrittenFile(replacement->File, written)) {
        StageTimer timer(Stage::Moving);
        result = replacement->Direct
                     ? FileWrite::Written
                     : Patiently([&] { return MoveIntoPlace(replacement->PartPath, replacement->Path); },
                                 keepAlive);
    }
    replacement->File = nullptr;
    // Results ignored: the earlier file, if any, stands either way.
    if (result != FileWrite::Written)
        remove(replacement->Direct ? replacement->Path : replacement->PartPath);
    return result;
}

FileWrite ReplaceWholeFile(const char *path, const void *bytes, size_t size, void (*keepAlive)())
{
    FileReplacement replacement;
    const FileWrite begun = BeginReplacement(&replacement, path, keepAlive);
    if (begun != FileWrite::Written)
        return begun;
    return EndReplacement(&replacement, WritePieces(replacement.File, bytes, size, keepAlive), keepAlive);
}
