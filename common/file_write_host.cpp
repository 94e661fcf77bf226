// Host builds: nothing is marked or held, and a rename replaces.
#include "common/file_write.h"

FileWrite PrepareToReplace(const char *)
{
    return FileWrite::Written;
}

FileWrite MoveIntoPlace(const char *part, const char *path)
{
    return rename(part, path) == 0 ? FileWrite::Written : FileWrite::NotCreated;
}

void PauseForHeldFile(void (*keepAlive)())
{
    if (keepAlive)
        keepAlive();
}

bool NameFileHolder(const char *, char *, size_t)
{
    return false;
}
