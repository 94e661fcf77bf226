#include "common/file_write.h"

bool CloseWrittenFile(FILE *file, bool written)
{
    return fclose(file) == 0 && written;
}
