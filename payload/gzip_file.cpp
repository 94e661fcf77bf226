#include "payload/gzip_file.h"

#include "common/message_box.h"
#include "common/text.h"

char GzipMessage[kGzipMessageChars];
const char *GzipProgramName;

namespace {

// The file ExpandGzipFile is writing, so that a full disk is reported with
// the name of the file it stopped; null for a caller's own stream.
const char *ExpandingPath;

void ShowGzipMessage()
{
    ShowMessage(nullptr, GzipMessage, nullptr, kMbOk);
}

// A path longer than the box can hold is shortened in the text only; the
// precision keeps the longest path and the fixed words within the buffer.
void ShowPathMessage(const char *format, const char *path)
{
    FormatInto(GzipMessage, format, path);
    ShowGzipMessage();
}

} // namespace

void ReportGzipError(const char *message)
{
    FormatInto(GzipMessage, "%s: %.400s\n", GzipProgramName ? GzipProgramName : "gzip", message);
    ShowGzipMessage();
}

bool ExpandGzipFile(const char *outputPath, const char *inputPath)
{
    gzFile input = gzopen(inputPath, "rb");
    if (!input) {
        ShowPathMessage("Can't open file %.480s\n", inputPath);
        return false;
    }
    // zlib reads 8 KB at a time by default: tens of thousands of reads for the
    // side file, each dearer under Wine than the bytes it brings.
    gzbuffer(input, kGzipInputBufferBytes);
    FILE *output = fopen(outputPath, "wb");
    if (!output) {
        ShowPathMessage("Can't create file %.480s\n", outputPath);
        gzclose(input);
        return false;
    }
    ExpandingPath = outputPath;
    const bool expanded = ExpandStream(input, output);
    ExpandingPath = nullptr;
    return expanded;
}

namespace {

// The layer's own words first, then the file and the likely cause.
void ReportWriteFailure(const char *what)
{
    char text[kGzipMessageChars];
    if (ExpandingPath && FormatInto(text, "%s: %.300s (the disk may be full)", what, ExpandingPath))
        ReportGzipError(text);
    else
        ReportGzipError(what);
}

} // namespace

bool ExpandStream(gzFile input, FILE *output)
{
    // At twice zlib's buffer or more, zlib inflates straight into it. On the
    // stack: a static buffer would be carried, zero-filled, in the program file.
    char buffer[kGzipExpandBufferBytes];
    for (;;) {
        int count = gzread(input, buffer, sizeof buffer);
        if (count < 0) {
            int error;
            ReportGzipError(gzerror(input, &error));
            fclose(output);
            gzclose(input);
            return false;
        }
        if (count == 0)
            break;
        if (fwrite(buffer, 1, static_cast<size_t>(count), output) != static_cast<size_t>(count)) {
            ReportWriteFailure("failed fwrite");
            fclose(output);
            gzclose(input);
            return false;
        }
    }
    bool ok = true;
    // fclose flushes what is still buffered: a full disk may show only here.
    if (fclose(output) != 0) {
        ReportWriteFailure("failed fclose");
        ok = false;
    }
    // A truncated member or a wrong CRC or length in the trailer shows here.
    if (gzclose(input) != Z_OK) {
        ReportGzipError("failed gzclose");
        ok = false;
    }
    return ok;
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
    return CompressStream(input, output);
}

bool CompressStream(FILE *input, gzFile output)
{
    char buffer[kGzipCopyBufferBytes];
    for (;;) {
        size_t count = fread(buffer, 1, sizeof buffer, input);
        if (ferror(input)) {
            ShowMessage(nullptr, "Error, reading from file", nullptr, kMbOk);
            fclose(input);
            gzclose(output);
            return false;
        }
        if (count == 0)
            break;
        if (gzwrite(output, buffer, static_cast<unsigned>(count)) != static_cast<int>(count)) {
            int error;
            ReportGzipError(gzerror(output, &error));
            fclose(input);
            gzclose(output);
            return false;
        }
    }
    fclose(input);
    // The last deflate block and the trailer are written only now.
    if (gzclose(output) != Z_OK) {
        ShowMessage(nullptr, "Error, closing a file", nullptr, kMbOk);
        return false;
    }
    return true;
}
