// Minimal writers for the picture formats the setup's resources use: icons
// with an AND mask, and bottom-up device-independent bitmaps. Host only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels; // top-down, row-major

    Image(int w, int h, Rgba fill = {0, 0, 0, 0}) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    Rgba &at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Rgba &at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// One .ico holding every image given, 32 bits per pixel; alpha 0 is transparent
// in the AND mask as well, so old systems that ignore alpha see the same shape.
bool WriteIcon(const std::string &path, const std::vector<Image> &images);

// 24 bits per pixel, no colour table.
bool WriteBitmap24(const std::string &path, const Image &image);

// 8 bits per pixel with a 256-entry colour table: each pixel is mapped to the
// nearest palette entry.
bool WriteBitmap8(const std::string &path, const Image &image, const std::vector<Rgba> &palette);
