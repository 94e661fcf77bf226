#include "common/file_write.h"

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

} // namespace

bool CloseWrittenFile(FILE *file, bool written)
{
    return fclose(file) == 0 && written;
}

FileWrite BeginReplacement(FileReplacement *replacement, const char *path, void (*keepAlive)())
{
    replacement->File = nullptr;
    if (!CopyInto(replacement->Path, path) || !FormatInto(replacement->PartPath, "%s~", path))
        return FileWrite::NotCreated;
    const FileWrite ready = Patiently([&] { return PrepareToReplace(path); }, keepAlive);
    if (ready != FileWrite::Written)
        return ready;
    // A part left by an earlier run that stopped is ours to clear as well.
    if (PrepareToReplace(replacement->PartPath) == FileWrite::Written)
        replacement->File = fopen(replacement->PartPath, "wb");
    return replacement->File ? FileWrite::Written : FileWrite::NotCreated;
}

FileWrite EndReplacement(FileReplacement *replacement, bool written, void (*keepAlive)())
{
    FileWrite result = FileWrite::NotWritten;
    if (CloseWrittenFile(replacement->File, written))
        result =
            Patiently([&] { return MoveIntoPlace(replacement->PartPath, replacement->Path); }, keepAlive);
    replacement->File = nullptr;
    if (result != FileWrite::Written)
        remove(replacement->PartPath); // result ignored: the earlier file stands either way
    return result;
}

FileWrite ReplaceWholeFile(const char *path, const void *bytes, size_t size, void (*keepAlive)())
{
    FileReplacement replacement;
    const FileWrite begun = BeginReplacement(&replacement, path, keepAlive);
    if (begun != FileWrite::Written)
        return begun;
    return EndReplacement(&replacement, size == 0 || fwrite(bytes, 1, size, replacement.File) == size,
                          keepAlive);
}
