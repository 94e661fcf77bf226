#include "common/file_write.h"

#include "common/stage_times.h"
#include "common/text.h"

bool CloseWrittenFile(FILE *file, bool written)
{
    StageTimer timer(Stage::Writing);
    return fclose(file) == 0 && written;
}

FileWrite BeginReplacement(FileReplacement *replacement, const char *path)
{
    replacement->File = nullptr;
    StageTimer timer(Stage::Creating);
    if (!CopyInto(replacement->Path, path) || !FormatInto(replacement->PartPath, "%s~", path))
        return FileWrite::NotCreated;
    const FileWrite ready = PrepareToReplace(path);
    if (ready != FileWrite::Written)
        return ready;
    // A part left by an earlier run that stopped is ours to clear as well.
    if (PrepareToReplace(replacement->PartPath) == FileWrite::Written)
        replacement->File = fopen(replacement->PartPath, "wb");
    return replacement->File ? FileWrite::Written : FileWrite::NotCreated;
}

FileWrite EndReplacement(FileReplacement *replacement, bool written)
{
    FileWrite result = FileWrite::NotWritten;
    if (CloseWrittenFile(replacement->File, written)) {
        StageTimer timer(Stage::Moving);
        result = MoveIntoPlace(replacement->PartPath, replacement->Path);
    }
    replacement->File = nullptr;
    if (result != FileWrite::Written)
        remove(replacement->PartPath); // result ignored: the earlier file stands either way
    return result;
}

FileWrite ReplaceWholeFile(const char *path, const void *bytes, size_t size)
{
    FileReplacement replacement;
    const FileWrite begun = BeginReplacement(&replacement, path);
    if (begun != FileWrite::Written)
        return begun;
    bool written;
    {
        StageTimer timer(Stage::Writing);
        written = size == 0 || fwrite(bytes, 1, size, replacement.File) == size;
    }
    return EndReplacement(&replacement, written);
}
