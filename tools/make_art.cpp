// Draws the setup's pictures into a folder, so every resource picture can be
// rebuilt from the repository. Usage: make_art <output folder>
#include "tools/art.h"

#include <cstdio>

bool WriteReported(bool ok, const std::string &path)
{
    if (!ok)
        fprintf(stderr, "make_art: cannot write %s\n", path.c_str());
    return ok;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_art <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = DrawShellArt(folder);
    ok = DrawOptionsArt(folder) && ok;
    return ok ? 0 : 1;
}
