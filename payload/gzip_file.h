// File-to-file gzip: the setup expands its payload and the recitation side
// file with it; the packing tool compresses with it, so both sides of the
// format go through the same zlib calls. Portable: no <windows.h>.
//
// Every failure is shown in its own message box. The two file operations also
// return whether they succeeded, so a caller can stop instead of reading a
// half-written output as if it were whole.
#pragma once

constexpr unsigned kGzipCopyBufferBytes = 16384;
// Expanding: zlib's own input buffer, and the copy buffer, large enough for
// zlib to inflate into it directly; each write of the output is this size.
constexpr unsigned kGzipInputBufferBytes = 64 * 1024;
constexpr unsigned kGzipExpandBufferBytes = 2 * kGzipInputBufferBytes;

// Printed before the colon of the box that tells zlib's own error. The setup
// leaves it null, and then the prefix is "gzip", naming the layer that
// failed; a tool may set its own name.
extern const char *GzipProgramName;

// What became of an expansion: Damaged when the input itself is at fault
// (its data, or a trailer that disagrees with it), so only a new copy of it
// helps; Failed when it could not be opened or the output not be written.
enum class Expansion { Done, Damaged, Failed };

// `betweenWrites`, when given, is called after every write of the output, and
// while another program holds it, so that a caller with a window can keep it
// alive through a long expansion.
Expansion ExpandGzipFile(const char *outputPath, const char *inputPath, void (*betweenWrites)() = nullptr);

bool CompressFileToGzip(const char *inputPath, const char *outputPath);
