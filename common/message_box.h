// The one seam between portable modules and the user: on the target it is
// MessageBoxA; in host builds it records what would have been shown, so the
// portable modules' tests can read the texts.
#pragma once

// Flags and answers carry MessageBoxA's values.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdYes = 6;

// owner is a window handle (HWND) or null; caption null gives the system's default caption.
int ShowMessage(void *owner, const char *text, const char *caption, unsigned flags);
