#include "tools/image_file.h"

#include <cstdio>

namespace {

void Put16(std::vector<uint8_t> &out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t> &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutInfoHeader(std::vector<uint8_t> &out, int width, int height, int bits, uint32_t imageBytes,
                   uint32_t coloursUsed)
{
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, coloursUsed);
    Put32(out, 0);
}

bool Save(const std::string &path, const std::vector<uint8_t> &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

uint32_t RowBytes(int width, int bits) { return ((uint32_t(width) * bits + 31) / 32) * 4; }

void PutFileHeader(std::vector<uint8_t> &out, uint32_t fileBytes, uint32_t pixelOffset)
{
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);
}

} // namespace

bool WriteIcon(const std::string &path, const std::vector<Image> &images)
{
    std::vector<std::vector<uint8_t>> blobs;
    for (const Image &image : images) {
        std::vector<uint8_t> blob;
        const uint32_t maskRow = RowBytes(image.width, 1);
        PutInfoHeader(blob, image.width, image.height * 2, 32,
                      uint32_t(image.width) * image.height * 4 + maskRow * image.height, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x) {
                const Rgba &p = image.at(x, y);
                blob.insert(blob.end(), {p.b, p.g, p.r, p.a});
            }
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < image.width; ++x)
                if (image.at(x, y).a == 0)
                    row[x / 8] |= uint8_t(0x80 >> (x % 8));
            blob.insert(blob.end(), row.begin(), row.end());
        }
        blobs.push_back(std::move(blob));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width));
        out.push_back(uint8_t(images[i].height));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(blobs[i].size()));
        Put32(out, offset);
        offset += uint32_t(blobs[i].size());
    }
    for (const auto &blob : blobs)
        out.insert(out.end(), blob.begin(), blob.end());
    return Save(path, out);
}

bool WriteBitmap24(const std::string &path, const Image &image)
{
    const uint32_t row = RowBytes(image.width, 24);
    const uint32_t imageBytes = row * image.height;
    std::vector<uint8_t> out;
    PutFileHeader(out, 54 + imageBytes, 54);
    PutInfoHeader(out, image.width, image.height, 24, imageBytes, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgba &p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(start + row, 0);
    }
    return Save(path, out);
}

bool WriteBitmap8(const std::string &path, const Image &image, const std::vector<Rgba> &palette)
{
    const uint32_t row = RowBytes(image.width, 8);
    const uint32_t imageBytes = row * image.height;
    const uint32_t offset = 54 + 1024;
    std::vector<uint8_t> out;
    PutFileHeader(out, offset + imageBytes, offset);
    PutInfoHeader(out, image.width, image.height, 8, imageBytes, 256);
    for (int i = 0; i < 256; ++i) {
        Rgba c = i < int(palette.size()) ? palette[i] : Rgba{0, 0, 0, 0};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = image.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgba &p = image.at(x, y);
            int best = 0;
            long bestDistance = -1;
            for (size_t i = 0; i < palette.size() && i < 256; ++i) {
                long dr = long(p.r) - palette[i].r, dg = long(p.g) - palette[i].g,
                     db = long(p.b) - palette[i].b;
                long d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = int(i);
                }
            }
            out.push_back(uint8_t(best));
        }
        out.resize(start + row, 0);
    }
    return Save(path, out);
}
