// Stand-in translation files for the sample payload: genuine SZDD files (the
// MS-DOS COMPRESS format the installed application expands) of exactly the
// size that the catalogue row gives, holding a numbered stand-in text.
#pragma once
#include <cstdint>
#include <string>

struct SampleTranslation {
    std::string File; // the SZDD bytes, exactly the row's FileSize
    std::string Text; // what an SZDD expander restores from File
};

// Deterministic: the same row gives the same bytes on every run. Empty File
// when the row's size is too small for a header and the notice line.
SampleTranslation MakeSampleTranslation(int row);

// The compressor itself, for any text and size. The text is the body; the
// result's Text is the body followed by the filler that brings the file to
// exactly fileSize. Empty File when the body alone does not fit.
SampleTranslation CompressToSzdd(const std::string &body, uint32_t fileSize);
