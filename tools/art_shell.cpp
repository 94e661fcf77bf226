// The shell's pictures: the setup's own icon.
#include "tools/art.h"

#include <cmath>

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

} // namespace

bool DrawShellArt(const std::string &folder)
{
    const std::string icon = folder + "/setup.ico";
    return WriteReported(WriteIcon(icon, {DrawSetupIcon(32), DrawSetupIcon(16)}), icon);
}
