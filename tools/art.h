// Each folder of pictures draws itself into the output folder; make_art calls
// them all. Each returns false after reporting a file it could not write.
#pragma once
#include "tools/image_file.h"

#include <string>

bool WriteReported(bool ok, const std::string &path);

bool DrawShellArt(const std::string &folder);   // tools/art_shell.cpp
bool DrawOptionsArt(const std::string &folder); // tools/art_options.cpp
