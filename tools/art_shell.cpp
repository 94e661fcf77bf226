// The shell's pictures: the setup's own icon and the picture behind the
// agreement, copy and shortcut pages.
#include "tools/art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The setup's own icon: an open book on a deep green tile.
Image DrawSetupIcon(int size)
{
    Image image(size, size);
    const double s = size / 32.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double fx = (x + 0.5) / s, fy = (y + 0.5) / s; // 32-unit design grid
            // Rounded tile.
            const double cx = std::fmin(std::fmax(fx, 5.0), 27.0), cy = std::fmin(std::fmax(fy, 5.0), 27.0);
            if (std::hypot(fx - cx, fy - cy) > 4.5)
                continue;
            Rgba c{20, 96, 56, 255};
            // Two pages rising from a spine at x = 16, with a gold edge.
            const double dx = std::fabs(fx - 16.0);
            const double top = 9.0 + dx * 0.25, bottom = 24.0 + dx * 0.12;
            if (dx < 11.0 && fy > top && fy < bottom) {
                c = (fy > bottom - 1.6 || dx > 9.6) ? Rgba{214, 170, 48, 255} : Rgba{250, 244, 222, 255};
                // Lines of text on each page.
                if (dx > 2.0 && dx < 9.0 && std::fmod(fy - top, 3.0) < 0.9 && fy < bottom - 3.0)
                    c = Rgba{120, 110, 90, 255};
            }
            if (dx < 0.6 && fy > top && fy < bottom)
                c = Rgba{150, 110, 30, 255};
            image.at(x, y) = c;
        }
    return image;
}

double Mix(double a, double b, double t) { return a + (b - a) * t; }

Rgba MixColour(Rgba a, Rgba b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return Rgba{uint8_t(Mix(a.r, b.r, t)), uint8_t(Mix(a.g, b.g, t)), uint8_t(Mix(a.b, b.b, t)), 255};
}

// Deterministic hash noise in [0, 1).
double Noise(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xFFFFFF) / double(0x1000000);
}

// A night over the dunes: dusk at the horizon, stars, a crescent moon, and a
// mosque with its domes and minarets in silhouette.
Image DrawPagePicture()
{
    const int w = 556, h = 384;
    Image image(w, h);
    const double horizon = 292;
    const Rgba zenith{8, 12, 48, 255}, middle{34, 40, 110, 255}, dusk{214, 120, 70, 255};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double t = y / horizon;
            Rgba c = t < 0.6 ? MixColour(zenith, middle, t / 0.6) : MixColour(middle, dusk, (t - 0.6) / 0.4);
            if (y < horizon - 40 && Noise(x, y, 1) > 0.9965)
                c = MixColour(c, Rgba{255, 255, 230, 255}, 0.5 + 0.5 * Noise(x, y, 2));
            image.at(x, y) = c;
        }
    // Crescent: a bright disc with a darker disc cut out of it.
    const double mx = 452, my = 70, mr = 30;
    for (int y = 30; y < 112; ++y)
        for (int x = 410; x < 495; ++x) {
            double d = std::hypot(x - mx, y - my), e = std::hypot(x - (mx + 13), y - (my - 7));
            if (d < mr && e > mr * 0.86)
                image.at(x, y) = MixColour(Rgba{255, 236, 170, 255}, Rgba{255, 250, 225, 255}, (mr - d) / mr);
            else if (d < mr + 14 && e > mr * 0.86)
                image.at(x, y) = MixColour(image.at(x, y), Rgba{120, 110, 150, 255}, 0.25 * (1 - (d - mr) / 14));
        }
    // Mosque silhouette on the horizon.
    const Rgba shadow{18, 14, 34, 255};
    auto fill = [&](int x0, int y0, int x1, int y1) {
        for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(w, x1); ++x)
                image.at(x, y) = shadow;
    };
    auto dome = [&](double cx, double baseY, double r) {
        for (int y = int(baseY - r * 1.35); y <= int(baseY); ++y)
            for (int x = int(cx - r); x <= int(cx + r); ++x) {
                double dy = (baseY - y) / 1.2, dx = x - cx;
                double pointed = r * (1.0 - std::pow(std::max(0.0, dy - r * 0.55) / (r * 0.6), 2.0) * 0.35);
                if (dx * dx + dy * dy <= pointed * pointed || (std::fabs(dx) < 1.5 && y > baseY - r * 1.35))
                    if (x >= 0 && x < w && y >= 0 && y < h)
                        image.at(x, y) = shadow;
            }
    };
    fill(150, 236, 406, 300);
    dome(278, 238, 52);
    fill(276, 160, 280, 180);
    dome(196, 240, 24);
    dome(360, 240, 24);
    for (int side : {0, 1}) {
        int x0 = side ? 424 : 118;
        fill(x0, 120, x0 + 14, 300);
        fill(x0 - 3, 160, x0 + 17, 166);
        fill(x0 - 3, 212, x0 + 17, 218);
        dome(x0 + 7, 122, 9);
    }
    // Lit arched windows.
    for (int k = 0; k < 7; ++k) {
        int x0 = 180 + k * 30;
        for (int y = 262; y < 288; ++y)
            for (int x = x0; x < x0 + 12; ++x) {
                double dx = x - (x0 + 5.5), dy = 268 - y;
                if (y >= 268 || dx * dx + dy * dy * 2 < 36)
                    image.at(x, y) = Rgba{240, 190, 90, 255};
            }
    }
    // Dunes in front.
    for (int x = 0; x < w; ++x) {
        double top1 = 300 + 14 * std::sin(x / 70.0) + 6 * std::sin(x / 23.0 + 1);
        double top2 = 330 + 18 * std::sin(x / 95.0 + 2.2) + 5 * std::sin(x / 31.0);
        for (int y = 0; y < h; ++y) {
            if (y >= top2)
                image.at(x, y) = MixColour(Rgba{120, 72, 46, 255}, Rgba{70, 40, 30, 255}, (y - top2) / 60.0);
            else if (y >= top1)
                image.at(x, y) = MixColour(Rgba{168, 104, 62, 255}, Rgba{110, 64, 44, 255}, (y - top1) / 40.0);
        }
    }
    return image;
}

// Median cut: the 256 colours that best cover the picture, for its 8-bit form.
std::vector<Rgba> MakePalette(const Image &image)
{
    struct Box {
        std::vector<Rgba> colours;
    };
    std::vector<Box> boxes(1);
    boxes[0].colours = image.pixels;
    auto channel = [](const Rgba &c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; };
    while (boxes.size() < 256) {
        int best = -1, bestAxis = 0, bestRange = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2)
                continue;
            for (int k = 0; k < 3; ++k) {
                auto [lo, hi] = std::minmax_element(boxes[i].colours.begin(), boxes[i].colours.end(),
                                                    [&](const Rgba &a, const Rgba &b) {
                                                        return channel(a, k) < channel(b, k);
                                                    });
                int range = channel(*hi, k) - channel(*lo, k);
                if (range > bestRange) {
                    bestRange = range;
                    best = int(i);
                    bestAxis = k;
                }
            }
        }
        if (best < 0)
            break;
        auto &colours = boxes[best].colours;
        std::sort(colours.begin(), colours.end(),
                  [&](const Rgba &a, const Rgba &b) { return channel(a, bestAxis) < channel(b, bestAxis); });
        Box upper;
        upper.colours.assign(colours.begin() + colours.size() / 2, colours.end());
        colours.resize(colours.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgba> palette;
    for (const Box &box : boxes) {
        double r = 0, g = 0, b = 0;
        for (const Rgba &c : box.colours) {
            r += c.r;
            g += c.g;
            b += c.b;
        }
        const double n = double(std::max<size_t>(1, box.colours.size()));
        palette.push_back(Rgba{uint8_t(r / n + 0.5), uint8_t(g / n + 0.5), uint8_t(b / n + 0.5), 255});
    }
    return palette;
}

} // namespace

bool DrawShellArt(const std::string &folder)
{
    const std::string icon = folder + "/setup.ico";
    const std::string picture = folder + "/page.bmp";
    const Image page = DrawPagePicture();
    return WriteReported(WriteIcon(icon, {DrawSetupIcon(32), DrawSetupIcon(16)}), icon) &&
           WriteReported(WriteBitmap8(picture, page, MakePalette(page)), picture);
}
