// Host builds: nothing is marked or held, and a rename replaces.
#include "common/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileWrite PrepareToReplace(const char *path, bool *earlier)
{
    struct stat status;
    *earlier = stat(path, &status) == 0;
    return FileWrite::Written;
}

FileWrite MoveIntoPlace(const char *part, const char *path)
{
    return rename(part, path) == 0 ? FileWrite::Written : FileWrite::NotCreated;
}

FILE *CreateNewFile(const char *path)
{
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    FILE *file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (fd >= 0 && !file)
        close(fd);
    return file;
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
