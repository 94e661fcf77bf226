// File-to-file gzip: the setup expands its payload and the recitation side
// file with it; the packing tool compresses with it, so both sides of the
// format go through the same zlib calls. Portable: no <windows.h>.
//
// Every failure is shown in its own message box. The two file operations also
// return whether they succeeded, so a caller can stop instead of reading a
// half-written output as if it were whole.
#pragma once
#include <cstdio>

#include <zlib.h>

constexpr int kGzipMessageChars = 512;
constexpr unsigned kGzipCopyBufferBytes = 16384;
// Expanding: zlib's own input buffer, and the copy buffer, large enough for
// zlib to inflate into it directly; each write of the output is this size.
constexpr unsigned kGzipInputBufferBytes = 64 * 1024;
constexpr unsigned kGzipExpandBufferBytes = 2 * kGzipInputBufferBytes;

// The text of the last box the module showed.
extern char GzipMessage[kGzipMessageChars];
// Printed before the colon of ReportGzipError's box. The setup leaves it null,
// and then the prefix is "gzip", naming the layer that failed; a tool may set
// its own name.
extern const char *GzipProgramName;

bool ExpandGzipFile(const char *outputPath, const char *inputPath);
// Closes both files on every path.
bool ExpandStream(gzFile input, FILE *output);

bool CompressFileToGzip(const char *inputPath, const char *outputPath);
// Closes both files on every path.
bool CompressStream(FILE *input, gzFile output);

void ReportGzipError(const char *message);
