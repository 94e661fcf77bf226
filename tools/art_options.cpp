// The options page's pictures: the state boxes of the two lists, the
// loudspeaker, the language flags, and the folder icons of the browser.
// Colours are taken from the 16-colour VGA set where the picture ends up in
// a 16-colour image list (the folder icons), so nothing is lost on the way.
#include "tools/art.h"

#include <cmath>
#include <cstdlib>

namespace
{

const Rgba kBlack{0, 0, 0, 255};
const Rgba kWhite{255, 255, 255, 255};
const Rgba kRed{206, 17, 38, 255};
const Rgba kBlue{0, 56, 168, 255};
const Rgba kGreen{0, 122, 61, 255};
const Rgba kYellow{252, 209, 22, 255};

void Fill(Image &image, int x0, int y0, int x1, int y1, Rgba colour) // x1, y1 exclusive
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height)
                image.at(x, y) = colour;
}

void Put(Image &image, int x, int y, Rgba colour)
{
    Fill(image, x, y, x + 1, y + 1, colour);
}

void Disc(Image &image, double cx, double cy, double radius, Rgba colour)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
                image.at(x, y) = colour;
}

// A line `width` pixels thick between two pixel centres.
void Line(Image &image, double x0, double y0, double x1, double y1, double width, Rgba colour)
{
    const double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            double t = ((x - x0) * dx + (y - y0) * dy) / length2;
            t = std::fmin(1.0, std::fmax(0.0, t));
            if (std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2)
                image.at(x, y) = colour;
        }
}

// A filled five-pointed star.
void Star(Image &image, double cx, double cy, double radius, Rgba colour)
{
    const double kPi = 3.14159265358979;
    double px[10], py[10];
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? radius * 0.45 : radius, a = -kPi / 2 + i * kPi / 5;
        px[i] = cx + r * std::cos(a);
        py[i] = cy + r * std::sin(a);
    }
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            bool inside = false;
            const double sx = x + 0.5, sy = y + 0.5;
            for (int i = 0, j = 9; i < 10; j = i++)
                if ((py[i] > sy) != (py[j] > sy) &&
                    sx < (px[j] - px[i]) * (sy - py[i]) / (py[j] - py[i]) + px[i])
                    inside = !inside;
            if (inside)
                image.at(x, y) = colour;
        }
}

// Equal horizontal bands from the top.
Image Bands(std::initializer_list<Rgba> colours)
{
    Image flag(24, 16);
    int i = 0;
    const int n = int(colours.size());
    for (Rgba c : colours) {
        Fill(flag, 0, i * 16 / n, 24, (i + 1) * 16 / n, c);
        ++i;
    }
    return flag;
}

// Equal vertical bands from the left.
Image Columns(std::initializer_list<Rgba> colours)
{
    Image flag(24, 16);
    int i = 0;
    for (Rgba c : colours) {
        Fill(flag, i * 8, 0, (i + 1) * 8, 16, c);
        ++i;
    }
    return flag;
}

void Crescent(Image &flag, double cx, double cy, double radius, Rgba colour, Rgba background)
{
    Disc(flag, cx, cy, radius, colour);
    Disc(flag, cx + radius * 0.35, cy, radius * 0.8, background);
}

// A flag-like design for every language the catalogue names; ids are shared
// where several rows use the same language.
Image Flag(int id)
{
    switch (id) {
    case 2700: { // Albanian: a black eagle on red
        Image flag = Bands({kRed});
        Line(flag, 6, 5, 11, 8, 2.2, kBlack);
        Line(flag, 17, 5, 12, 8, 2.2, kBlack);
        Fill(flag, 10, 5, 14, 13, kBlack);
        return flag;
    }
    case 2701: { // Arabic: a white sword and script on green
        Image flag = Bands({Rgba{0, 108, 53, 255}});
        Line(flag, 6, 5, 18, 5, 1.5, kWhite);
        Line(flag, 8, 7, 16, 7, 1.2, kWhite);
        Line(flag, 5, 11, 19, 11, 1.2, kWhite);
        return flag;
    }
    case 2702: { // Azerbaijanian
        Image flag = Bands({Rgba{0, 181, 226, 255}, Rgba{239, 51, 64, 255}, Rgba{80, 158, 47, 255}});
        Crescent(flag, 11, 8, 2.6, kWhite, Rgba{239, 51, 64, 255});
        return flag;
    }
    case 2703: { // Bosnian: a yellow triangle and a line of stars on blue
        Image flag = Bands({Rgba{0, 35, 149, 255}});
        for (int y = 0; y < 16; ++y)
            Fill(flag, 8 + y / 2, y, 19, y + 1, kYellow);
        for (int i = 0; i < 6; ++i)
            Put(flag, 6 + i * 2, i * 3 + 1, kWhite);
        return flag;
    }
    case 2704: { // Brasilian: a blue globe on a yellow rhombus on green
        Image flag = Bands({Rgba{0, 156, 59, 255}});
        for (int y = 1; y < 15; ++y) {
            const int half = 10 - std::abs(2 * y - 15) * 10 / 14;
            Fill(flag, 12 - half, y, 12 + half, y + 1, Rgba{255, 223, 0, 255});
        }
        Disc(flag, 12, 8, 3.6, Rgba{0, 39, 118, 255});
        return flag;
    }
    case 2705: { // Chinesse: yellow stars on red
        Image flag = Bands({Rgba{222, 41, 16, 255}});
        Star(flag, 5, 5, 3.5, Rgba{255, 222, 0, 255});
        Put(flag, 10, 2, Rgba{255, 222, 0, 255});
        Put(flag, 11, 4, Rgba{255, 222, 0, 255});
        Put(flag, 11, 7, Rgba{255, 222, 0, 255});
        Put(flag, 10, 9, Rgba{255, 222, 0, 255});
        return flag;
    }
    case 2706: // Dutch
        return Bands({Rgba{174, 28, 40, 255}, kWhite, Rgba{33, 70, 139, 255}});
    case 2707: { // English: a red cross over white saltires on blue
        Image flag = Bands({Rgba{1, 33, 105, 255}});
        Line(flag, 0, 0, 23, 15, 3, kWhite);
        Line(flag, 23, 0, 0, 15, 3, kWhite);
        Line(flag, 0, 0, 23, 15, 1, Rgba{200, 16, 46, 255});
        Line(flag, 23, 0, 0, 15, 1, Rgba{200, 16, 46, 255});
        Fill(flag, 9, 0, 15, 16, kWhite);
        Fill(flag, 0, 5, 24, 11, kWhite);
        Fill(flag, 10, 0, 14, 16, Rgba{200, 16, 46, 255});
        Fill(flag, 0, 6, 24, 10, Rgba{200, 16, 46, 255});
        return flag;
    }
    case 2708: { // Finnish: a blue Nordic cross on white
        Image flag = Bands({kWhite});
        Fill(flag, 6, 0, 10, 16, Rgba{0, 47, 108, 255});
        Fill(flag, 0, 6, 24, 10, Rgba{0, 47, 108, 255});
        return flag;
    }
    case 2709: // French
        return Columns({Rgba{0, 35, 149, 255}, kWhite, Rgba{237, 41, 57, 255}});
    case 2710: // German
        return Bands({kBlack, Rgba{221, 0, 0, 255}, Rgba{255, 206, 0, 255}});
    case 2711: // Indonesian
        return Bands({kRed, kWhite});
    case 2712: // Italian
        return Columns({Rgba{0, 146, 70, 255}, kWhite, Rgba{206, 43, 55, 255}});
    case 2713: { // Japanese: a red disc on white
        Image flag = Bands({kWhite});
        Disc(flag, 12, 8, 4.8, Rgba{188, 0, 45, 255});
        return flag;
    }
    case 2714: { // Korean: a red and blue disc with black bars on white
        Image flag = Bands({kWhite});
        Disc(flag, 12, 8, 4.5, Rgba{0, 71, 160, 255});
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x)
                if (std::hypot(x + 0.5 - 12, y + 0.5 - 8) <= 4.5 && y + 0.5 < 8 + (x - 12) * 0.3)
                    flag.at(x, y) = Rgba{205, 46, 58, 255};
        Line(flag, 2, 3, 5, 1, 1.2, kBlack);
        Line(flag, 19, 1, 22, 3, 1.2, kBlack);
        Line(flag, 2, 12, 5, 14, 1.2, kBlack);
        Line(flag, 19, 14, 22, 12, 1.2, kBlack);
        return flag;
    }
    case 2715: { // Malaysian: red and white stripes, a blue canton with a crescent
        Image flag(24, 16);
        for (int y = 0; y < 16; ++y)
            Fill(flag, 0, y, 24, y + 1, (y / 2) % 2 ? kWhite : Rgba{204, 0, 1, 255});
        Fill(flag, 0, 0, 12, 8, Rgba{1, 0, 102, 255});
        Crescent(flag, 5, 4, 2.8, Rgba{255, 204, 0, 255}, Rgba{1, 0, 102, 255});
        Put(flag, 9, 4, Rgba{255, 204, 0, 255});
        return flag;
    }
    case 2716: { // Mexican: an eagle emblem on the middle band
        Image flag = Columns({Rgba{0, 104, 71, 255}, kWhite, Rgba{206, 17, 38, 255}});
        Disc(flag, 12, 8, 2.6, Rgba{140, 90, 40, 255});
        return flag;
    }
    case 2717: { // Persian: green, white and red with a red emblem
        Image flag = Bands({Rgba{35, 159, 64, 255}, kWhite, Rgba{218, 0, 0, 255}});
        Fill(flag, 11, 6, 13, 10, Rgba{218, 0, 0, 255});
        Put(flag, 10, 7, Rgba{218, 0, 0, 255});
        Put(flag, 13, 7, Rgba{218, 0, 0, 255});
        return flag;
    }
    case 2718: // Polish
        return Bands({kWhite, Rgba{220, 20, 60, 255}});
    case 2719: { // Portuguese: green and red with a yellow sphere
        Image flag = Bands({Rgba{255, 0, 0, 255}});
        Fill(flag, 0, 0, 10, 16, Rgba{0, 102, 0, 255});
        Disc(flag, 10, 8, 3.6, Rgba{255, 255, 0, 255});
        Disc(flag, 10, 8, 2.0, Rgba{255, 0, 0, 255});
        return flag;
    }
    case 2720: // Russian
        return Bands({kWhite, Rgba{0, 57, 166, 255}, Rgba{213, 43, 30, 255}});
    case 2721: { // Swahilli: green and blue split by a black band edged in yellow
        Image flag(24, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                const double d = (x * 16.0 / 24.0) + y - 16; // 0 on the diagonal
                flag.at(x, y) = std::fabs(d) < 2.5   ? kBlack
                                : std::fabs(d) < 3.8 ? Rgba{252, 209, 22, 255}
                                : d < 0              ? Rgba{30, 181, 58, 255}
                                                     : Rgba{0, 163, 221, 255};
            }
        return flag;
    }
    case 2722: { // Spanish: red, a wide yellow band, red
        Image flag = Bands({Rgba{170, 21, 27, 255}});
        Fill(flag, 0, 4, 24, 12, Rgba{241, 191, 0, 255});
        return flag;
    }
    case 2723: { // Tamil: saffron, white and green with a blue wheel
        Image flag = Bands({Rgba{255, 153, 51, 255}, kWhite, Rgba{19, 136, 8, 255}});
        Disc(flag, 12, 8, 2.2, Rgba{0, 0, 128, 255});
        Disc(flag, 12, 8, 1.0, kWhite);
        return flag;
    }
    case 2724: { // Thai: red, white, a double blue band, white, red
        Image flag = Bands({Rgba{165, 25, 49, 255}});
        Fill(flag, 0, 3, 24, 13, kWhite);
        Fill(flag, 0, 5, 24, 11, Rgba{45, 42, 74, 255});
        return flag;
    }
    case 2725: { // Turkish: a white crescent and star on red
        Image flag = Bands({Rgba{227, 10, 23, 255}});
        Crescent(flag, 9, 8, 4.2, kWhite, Rgba{227, 10, 23, 255});
        Star(flag, 15, 8, 2.6, kWhite);
        return flag;
    }
    case 2726: { // English (B, D): stripes and a starred blue canton
        Image flag(24, 16);
        for (int y = 0; y < 16; ++y)
            Fill(flag, 0, y, 24, y + 1, (y / 2) % 2 ? kWhite : Rgba{178, 34, 52, 255});
        Fill(flag, 0, 0, 11, 8, Rgba{60, 59, 110, 255});
        for (int y = 1; y < 8; y += 2)
            for (int x = 1 + (y / 2) % 2; x < 11; x += 2)
                Put(flag, x, y, kWhite);
        return flag;
    }
    case 2727: { // Croatian: red, white, blue with a chequered shield
        Image flag = Bands({Rgba{255, 0, 0, 255}, kWhite, Rgba{23, 23, 150, 255}});
        for (int y = 4; y < 12; ++y)
            for (int x = 9; x < 15; ++x)
                flag.at(x, y) = ((x / 2 + y / 2) % 2) ? kWhite : Rgba{255, 0, 0, 255};
        return flag;
    }
    case 2728: { // Serbian: red, blue, white with an emblem
        Image flag = Bands({Rgba{198, 54, 60, 255}, Rgba{12, 64, 118, 255}, kWhite});
        Fill(flag, 6, 4, 10, 11, Rgba{198, 54, 60, 255});
        Fill(flag, 7, 5, 9, 10, kWhite);
        return flag;
    }
    }
    return Image(24, 16, Rgba{128, 128, 128, 255});
}

// The state boxes share one frame so the rows line up.
Image Box(Rgba frame, Rgba inside)
{
    Image box(16, 16, Rgba{128, 128, 128, 255});
    Fill(box, 1, 1, 15, 15, frame);
    Fill(box, 3, 3, 13, 13, inside);
    return box;
}

void Tick(Image &image, Rgba colour)
{
    Line(image, 4, 8, 7, 11, 1.8, colour);
    Line(image, 7, 11, 12, 4, 1.8, colour);
}

Image InstallLoadBox() // 599: a green tick in a yellow frame
{
    Image box = Box(Rgba{255, 255, 0, 255}, kWhite);
    Tick(box, Rgba{0, 160, 0, 255});
    return box;
}

Image InstallBox() // 600: a black tick in a grey box
{
    Image box = Box(Rgba{192, 192, 192, 255}, kWhite);
    Tick(box, kBlack);
    return box;
}

Image DontInstallBox() // 601: an empty grey box
{
    return Box(Rgba{192, 192, 192, 255}, kWhite);
}

Image NotAvailableBox() // 603: a red cross
{
    Image box = Box(Rgba{192, 192, 192, 255}, kWhite);
    Line(box, 4, 4, 11, 11, 2, Rgba{220, 0, 0, 255});
    Line(box, 11, 4, 4, 11, 2, Rgba{220, 0, 0, 255});
    return box;
}

Image Loudspeaker() // 602
{
    Image speaker(16, 16, Rgba{192, 192, 192, 255});
    Fill(speaker, 2, 6, 5, 10, kBlack);
    for (int x = 5; x < 9; ++x)
        Fill(speaker, x, 6 - (x - 4), x + 1, 10 + (x - 4), kBlack);
    Line(speaker, 11, 5, 12, 7, 1, Rgba{0, 0, 160, 255});
    Line(speaker, 12, 8, 11, 10, 1, Rgba{0, 0, 160, 255});
    Line(speaker, 13, 3, 14, 7, 1, Rgba{0, 0, 160, 255});
    Line(speaker, 14, 8, 13, 12, 1, Rgba{0, 0, 160, 255});
    return speaker;
}

// The folder shape of the browser's icons, in two VGA colours.
Image Folder(Rgba body, Rgba edge)
{
    Image icon(16, 16);
    Fill(icon, 1, 3, 7, 5, edge); // the tab
    Fill(icon, 2, 4, 6, 5, body);
    Fill(icon, 1, 5, 15, 14, edge);
    Fill(icon, 2, 6, 14, 13, body);
    Fill(icon, 2, 6, 14, 7, kWhite); // the light on the top edge
    return icon;
}

Image UpArrow() // 202
{
    Image icon(16, 16);
    for (int y = 2; y < 9; ++y)
        Fill(icon, 8 - (y - 1), y, 8 + (y - 1), y + 1, kBlack);
    Fill(icon, 6, 9, 10, 14, kBlack);
    return icon;
}

bool Bitmap(const std::string &folder, const std::string &name, const Image &image)
{
    const std::string path = folder + "/" + name;
    return WriteReported(WriteBitmap24(path, image), path);
}

bool Icon(const std::string &folder, const std::string &name, const Image &image)
{
    const std::string path = folder + "/" + name;
    return WriteReported(WriteIcon(path, {image}), path);
}

} // namespace

bool DrawOptionsArt(const std::string &folder)
{
    bool ok = Bitmap(folder, "state_install_load.bmp", InstallLoadBox()) &&
              Bitmap(folder, "state_install.bmp", InstallBox()) &&
              Bitmap(folder, "state_dont_install.bmp", DontInstallBox()) &&
              Bitmap(folder, "sound.bmp", Loudspeaker()) &&
              Bitmap(folder, "state_not_available.bmp", NotAvailableBox());
    for (int id = 2700; ok && id <= 2728; ++id)
        ok = Bitmap(folder, "flag" + std::to_string(id) + ".bmp", Flag(id));
    return ok && Icon(folder, "folder.ico", Folder(Rgba{255, 255, 0, 255}, Rgba{128, 128, 0, 255})) &&
           Icon(folder, "folder_up.ico", UpArrow()) &&
           Icon(folder, "folder_new.ico", Folder(Rgba{0, 255, 0, 255}, Rgba{0, 128, 0, 255}));
}
