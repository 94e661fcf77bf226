#include "tools/sample_translation.h"

#include "options/catalogue.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// SZDD: the header, then groups of eight tokens led by a flag byte whose bits
// (lowest first) say literal (1) or match (0). A match is two bytes: the low
// eight bits of a 12-bit window position, then its high four bits and the
// length minus 3. The window starts filled with blanks, writing at 4096 - 16.
constexpr size_t kHeaderBytes = 14;
constexpr int kWindow = 4096;
constexpr int kWindowStart = kWindow - 16;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kMaxDistance = kWindow - kMaxMatch; // stays clear of the slot being written
constexpr int kHashBits = 15;
constexpr int kChainDepth = 64;

class SzddEncoder
{
  public:
    SzddEncoder() : head_(size_t(1) << kHashBits, -1) {}

    size_t Size() const { return kHeaderBytes + data_.size(); }
    size_t NextFlagCost() const { return tokens_ % 8 == 0 ? 1 : 0; }
    size_t Tokens() const { return tokens_; }
    const std::string &Plain() const { return plain_; }

    // Compresses text greedily, matching only what came before it.
    void Append(const std::string &text)
    {
        plain_ += text;
        while (position_ < plain_.size()) {
            int length = 0, source = 0;
            FindMatch(&source, &length);
            if (length >= kMinMatch) {
                EmitMatch(size_t(source), length);
                position_ += size_t(length);
            } else {
                EmitLiteral(plain_[position_]);
                ++position_;
            }
        }
    }

    void AppendLiteral(char c)
    {
        plain_ += c;
        EmitLiteral(c);
        ++position_;
    }

    // Repeats the last three bytes as one match token.
    void AppendRepeat()
    {
        const size_t source = plain_.size() - kMinMatch;
        plain_ += plain_.substr(source, kMinMatch);
        EmitMatch(source, kMinMatch);
        position_ += kMinMatch;
    }

    std::string File() const
    {
        const uint32_t length = uint32_t(plain_.size());
        std::string file("SZDD\x88\xF0\x27\x33\x41\x00", 10);
        file += {char(length), char(length >> 8), char(length >> 16), char(length >> 24)};
        return file + data_;
    }

  private:
    static unsigned Hash(const char *p)
    {
        unsigned value = (uint8_t(p[0]) << 16) | (uint8_t(p[1]) << 8) | uint8_t(p[2]);
        return (value * 2654435761u) >> (32 - kHashBits);
    }

    // Every position whose three bytes lie wholly before the current one is
    // a match candidate, so a match never overlaps the bytes it produces.
    void InsertUpTo(size_t end)
    {
        if (prev_.size() < plain_.size())
            prev_.resize(plain_.size(), -1);
        for (; inserted_ + kMinMatch <= end; ++inserted_) {
            unsigned hash = Hash(&plain_[inserted_]);
            prev_[inserted_] = head_[hash];
            head_[hash] = int(inserted_);
        }
    }

    void FindMatch(int *source, int *length)
    {
        *length = 0;
        InsertUpTo(position_);
        if (position_ + kMinMatch > plain_.size())
            return;
        const char *here = &plain_[position_];
        const size_t available = plain_.size() - position_;
        int candidate = head_[Hash(here)];
        for (int depth = 0; candidate >= 0 && depth < kChainDepth;
             ++depth, candidate = prev_[size_t(candidate)]) {
            const size_t distance = position_ - size_t(candidate);
            if (distance > size_t(kMaxDistance))
                break;
            size_t limit = std::min({size_t(kMaxMatch), distance, available});
            size_t n = 0;
            while (n < limit && plain_[size_t(candidate) + n] == here[n])
                ++n;
            if (int(n) > *length) {
                *length = int(n);
                *source = candidate;
                if (n == size_t(kMaxMatch))
                    break;
            }
        }
    }

    void StartToken(bool literal)
    {
        if (tokens_ % 8 == 0) {
            flagAt_ = data_.size();
            data_ += '\0';
        }
        if (literal)
            data_[flagAt_] = char(uint8_t(data_[flagAt_]) | (1u << (tokens_ % 8)));
        ++tokens_;
    }

    void EmitLiteral(char c)
    {
        StartToken(true);
        data_ += c;
    }

    void EmitMatch(size_t source, int length)
    {
        StartToken(false);
        const unsigned ring = unsigned(kWindowStart + source) % kWindow;
        data_ += char(ring & 0xFF);
        data_ += char(((ring >> 4) & 0xF0) | unsigned(length - kMinMatch));
    }

    std::string plain_, data_;
    size_t position_ = 0, inserted_ = 0, flagAt_ = 0, tokens_ = 0;
    std::vector<int> head_, prev_;
};

} // namespace

SampleTranslation CompressToSzdd(const std::string &body, uint32_t fileSize)
{
    SzddEncoder encoder;
    // Whole lines while even an incompressible line would leave room for the filler.
    for (size_t start = 0; start < body.size();) {
        size_t end = body.find('\n', start);
        end = end == std::string::npos ? body.size() : end + 1;
        const size_t length = end - start;
        if (encoder.Size() + length + length / 8 + 2 + 8 > fileSize)
            break;
        encoder.Append(body.substr(start, end - start));
        start = end;
    }
    if (encoder.Size() > fileSize)
        return {};
    // The filler: literals cost one byte, plus a flag byte at the start of each
    // group of eight. Where one byte would remain for a new group, a two-byte
    // match finishes instead.
    while (encoder.Size() < fileSize) {
        const size_t need = fileSize - encoder.Size();
        const size_t flag = encoder.NextFlagCost();
        const bool literalWouldStrand = need == flag + 2 && (encoder.Tokens() + 1) % 8 == 0;
        if (need < flag + 1 || (literalWouldStrand && encoder.Plain().size() < size_t(kMinMatch)))
            return {};
        if (literalWouldStrand)
            encoder.AppendRepeat();
        else
            encoder.AppendLiteral('=');
    }
    return {encoder.File(), encoder.Plain()};
}

SampleTranslation MakeSampleTranslation(int row)
{
    static const char *const kWords[] = {
        "the",       "light",    "of",      "mercy",     "and",    "who",   "believe", "said",
        "unto",      "them",     "heavens", "earth",     "signs",  "for",   "people",  "those",
        "guidance",  "is",       "a",       "book",      "in",     "which", "there",   "no",
        "doubt",     "patience", "we",      "sent",      "down",   "rain",  "from",    "sky",
        "gardens",   "rivers",   "night",   "day",       "sun",    "moon",  "stars",   "know",
        "not",       "remember", "lord",    "give",      "thanks", "truth", "path",    "upright",
        "mountains", "sea",      "ships",   "wind",      "seed",   "grain", "fruit",   "water",
        "life",      "death",    "return",  "forgiving", "wise",   "near",  "hear",    "see",
    };
    constexpr int kWordCount = int(sizeof kWords / sizeof kWords[0]);
    const ComponentEntry &entry = ComponentCatalogue[row];

    std::string body = "Dunvo sample translation: ";
    body += entry.DisplayName;
    body += " (";
    body += entry.FileName;
    body += "). Stand-in text for testing the setup, not a translation.\r\n";
    uint32_t seed = 2166136261u ^ uint32_t(row) * 16777619u;
    // Six times the file size is more text than the compressor can fit.
    char number[16];
    for (unsigned line = 1; body.size() < size_t(entry.FileSize) * 6; ++line) {
        snprintf(number, sizeof number, "%u", line);
        body += number;
        seed = seed * 1664525u + 1013904223u;
        const int words = 6 + int(seed >> 28);
        for (int w = 0; w < words; ++w) {
            seed = seed * 1664525u + 1013904223u;
            body += ' ';
            body += kWords[(seed >> 16) % kWordCount];
        }
        body += ".\r\n";
    }
    return CompressToSzdd(body, entry.FileSize);
}
