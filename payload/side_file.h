// mp3data.gz, the side file the recitations travel in: where it is looked
// for, and whether it arrived whole, asked before the options page opens.
#pragma once
#include <windows.h>

// Where a new copy of the side file, or of the setup, is to be had.
constexpr char kPublisherAddress[] = "http://www.dunvo.org";

// Sets SideFile to mp3data.gz in the current directory at start (SourceDir),
// else beside the setup program itself, when its ends say it can be whole.
// One that cannot is told at once in a box owned by `owner`, and then treated
// as absent: Dunvo itself can still be installed.
void FindSideFile(HWND owner);
