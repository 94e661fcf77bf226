#include "payload/gzip_file.h"

#include "common/file_write.h"
#include "common/message_box.h"
#include "common/text.h"

#include <cstdio>

#include <zlib.h>

const char *GzipProgramName;

namespace
{

constexpr int kMessageChars = 512;

void ShowGzipMessage(const char *text)
{
    ShowMessage(nullptr, text, nullptr, kMbOk);
}

// A path longer than the box can hold is shortened in the text only; the
// precision keeps the longest path and the fixed words within the buffer.
void ShowPathMessage(const char *format, const char *path)
{
    char text[kMessageChars];
    FormatInto(text, format, path);
    ShowGzipMessage(text);
}

void ReportGzipError(const char *message)
{
    char text[kMessageChars];
    FormatInto(text, "%s: %.400s\n", GzipProgramName ? GzipProgramName : "gzip", message);
    ShowGzipMessage(text);
}

// The layer's own words first, then the file and the likely cause.
void ReportWriteFailure(const char *what, const char *path)
{
    char text[kMessageChars];
    if (FormatInto(text, "%s: %.300s (the disk may be full)", what, path))
        ReportGzipError(text);
    else
        ReportGzipError(what);
}

} // namespace

Expansion ExpandGzipFile(const char *outputPath, const char *inputPath, void (*betweenWrites)())
{
    gzFile input = gzopen(inputPath, "rb");
    if (!input) {
        ShowPathMessage("Can't open file %.480s\n", inputPath);
        return Expansion::Failed;
    }
    // zlib reads 8 KB at a time by default: tens of thousands of reads for the
    // side file, each dearer under Wine than the bytes it brings.
    gzbuffer(input, kGzipInputBufferBytes);
    FileReplacement output;
    if (BeginReplacement(&output, outputPath, betweenWrites) != FileWrite::Written) {
        ShowPathMessage("Can't create file %.480s\n", outputPath);
        gzclose(input);
        return Expansion::Failed;
    }
    // At twice zlib's buffer or more, zlib inflates straight into it. On the
    // stack: a static buffer would be carried, zero-filled, in the program file.
    char buffer[kGzipExpandBufferBytes];
    bool readFailed = false;
    const char *writeFailure = nullptr;
    for (;;) {
        const int count = gzread(input, buffer, sizeof buffer);
        if (count < 0) {
            int error;
            ReportGzipError(gzerror(input, &error));
            readFailed = true;
            break;
        }
        if (count == 0)
            break;
        if (fwrite(buffer, 1, static_cast<size_t>(count), output.File) != static_cast<size_t>(count)) {
            writeFailure = "failed fwrite";
            break;
        }
        if (betweenWrites)
            betweenWrites();
    }
    // A truncated member or a wrong CRC or length in the trailer shows here,
    // before the expanded file is put in place.
    const bool trailerSound = gzclose(input) == Z_OK;
    const bool expanded = !readFailed && !writeFailure && trailerSound;
    const bool whole = EndReplacement(&output, expanded, betweenWrites) == FileWrite::Written;
    if (expanded && !whole)
        writeFailure = "failed fclose";
    if (writeFailure)
        ReportWriteFailure(writeFailure, outputPath);
    const bool damaged = readFailed || (!trailerSound && !writeFailure);
    if (damaged && !readFailed)
        ReportGzipError("failed gzclose");
    return whole ? Expansion::Done : damaged ? Expansion::Damaged : Expansion::Failed;
}

bool CompressFileToGzip(const char *inputPath, const char *outputPath)
{
    FILE *input = fopen(inputPath, "rb");
    if (!input) {
        ShowPathMessage("Can't open file %.480s\n", inputPath);
        return false;
    }
    gzFile output = gzopen(outputPath, "wb9 ");
    if (!output) {
        ShowPathMessage("Can't create file %.480s\n", outputPath);
        fclose(input);
        return false;
    }
    char buffer[kGzipCopyBufferBytes];
    bool ok = true;
    for (;;) {
        const size_t count = fread(buffer, 1, sizeof buffer, input);
        if (ferror(input)) {
            ShowGzipMessage("Error, reading from file");
            ok = false;
            break;
        }
        if (count == 0)
            break;
        if (gzwrite(output, buffer, static_cast<unsigned>(count)) != static_cast<int>(count)) {
            int error;
            ReportGzipError(gzerror(output, &error));
            ok = false;
            break;
        }
    }
    fclose(input);
    // The last deflate block and the trailer are written only now.
    if (gzclose(output) != Z_OK && ok) {
        ShowGzipMessage("Error, closing a file");
        ok = false;
    }
    return ok;
}
