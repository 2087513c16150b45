#include "support/ReplayContent.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {
struct Rgb {
    std::uint8_t r, g, b;
};
constexpr Rgb white{255, 255, 255};

using Pixels = std::function<Rgb(int x, int y)>;
using Coverage = std::function<int(int x, int y)>;

void Put16(std::string& s, std::uint16_t v) {
    s += char(v & 0xFF);
    s += char(v >> 8);
}
void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s += char((v >> (8 * i)) & 0xFF);
}

// A BMP file of width x height at bits 8 or 24: the table (8 bits) and rows as stored, bottom row first.
std::string Bmp(int width, int height, int bits, const std::vector<Rgb>& table, const std::string& rows) {
    const std::uint32_t info = 40 + 4 * std::uint32_t(table.size());
    std::string s = "BM";
    Put32(s, 14 + info + std::uint32_t(rows.size()));
    Put32(s, 0);
    Put32(s, 14 + info);
    Put32(s, 40);
    Put32(s, std::uint32_t(width));
    Put32(s, std::uint32_t(height));
    Put16(s, 1);
    Put16(s, std::uint16_t(bits));
    Put32(s, 0); // uncompressed
    Put32(s, std::uint32_t(rows.size()));
    Put32(s, 2835); // 72 dots per inch
    Put32(s, 2835);
    Put32(s, std::uint32_t(table.size()));
    Put32(s, 0);
    for (const Rgb& c : table)
        s += std::string{char(c.b), char(c.g), char(c.r), '\0'};
    return s + rows;
}

int Stride(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

std::string Picture(int width, int height, const Pixels& pixel) {
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        std::string row(std::size_t(Stride(width, 24)), '\0');
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            row[3 * x] = char(c.b), row[3 * x + 1] = char(c.g), row[3 * x + 2] = char(c.r);
        }
        rows += row;
    }
    return Bmp(width, height, 24, {}, rows);
}

// 8 bits a pixel through table; index gives each pixel's entry.
std::string Indexed(int width, int height, const std::vector<Rgb>& table, const Coverage& index) {
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        std::string row(std::size_t(Stride(width, 8)), '\0');
        for (int x = 0; x < width; ++x)
            row[x] = char(index(x, y));
        rows += row;
    }
    return Bmp(width, height, 8, table, rows);
}

std::vector<Rgb> GreyTable() {
    std::vector<Rgb> table;
    for (int i = 0; i < 256; ++i)
        table.push_back({std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    return table;
}

std::uint8_t Clamp(int v) {
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// How far x, y lies inside the ellipse of centre cx, cy and radii rx, ry, in 1/256 of the radius: 256
// at the centre, 0 on the edge, negative outside. Whole numbers only, so every machine draws the same.
int Inside(int x, int y, int cx, int cy, int rx, int ry) {
    const long long dx = x - cx, dy = y - cy;
    const long long d = (dx * dx * 65536) / (rx * rx) + (dy * dy * 65536) / (ry * ry);
    long long root = 0;
    while ((root + 1) * (root + 1) <= d)
        ++root;
    return int(256 - root);
}

// Coverage with an edge two pixels soft: edge gives the depth inside (in 1/256 of the radius) that counts
// as fully covered.
int Soft(int inside, int edge) {
    return inside <= 0 ? 0 : inside >= edge ? 255 : 255 * inside / edge;
}

struct Item {
    const char* folder;
    const char* name;
    std::string picture;
    std::string alpha; // empty: none
};

std::vector<Item> Items() {
    std::vector<Item> items;
    // Backgrounds: a sky over hills, and a night with a moon and stars.
    items.push_back({"bckgnds",
                     "Hills",
                     Picture(320, 240,
                             [](int x, int y) {
                                 const int wave = (x / 2) % 40 < 20 ? (x / 2) % 40 : 40 - (x / 2) % 40;
                                 if (y > 150 + wave)
                                     return Rgb{Clamp(40 + y / 4), Clamp(150 + wave), 50};
                                 return Rgb{Clamp(120 + y / 2), Clamp(170 + y / 3), 250};
                             }),
                     {}});
    items.push_back({"bckgnds",
                     "Night",
                     Picture(320, 240,
                             [](int x, int y) {
                                 if (Inside(x, y, 240, 60, 30, 30) > 0)
                                     return Rgb{250, 240, 160};
                                 if (((x * 7919 + y * 104729) % 211) == 0)
                                     return Rgb{255, 255, 220};
                                 return Rgb{10, 20, Clamp(60 + y / 3)};
                             }),
                     {}});
    // Balloons: a cloud with a soft coverage, and a shout on white that shows through.
    const auto cloud = [](int x, int y) { return Inside(x, y, 100, 60, 96, 56); };
    items.push_back({"textblbs", "Cloud",
                     Picture(200, 120,
                             [cloud](int x, int y) {
                                 return cloud(x, y) < 16 ? Rgb{30, 30, 30} : Rgb{250, 250, 245};
                             }),
                     Indexed(200, 120, GreyTable(), [cloud](int x, int y) { return Soft(cloud(x, y), 8); })});
    items.push_back({"textblbs",
                     "Shout",
                     Picture(180, 140,
                             [](int x, int y) {
                                 const int d = std::abs(x - 90) * 140 + std::abs(y - 70) * 180;
                                 if (d > 90 * 140)
                                     return white;
                                 return d > 80 * 140 ? Rgb{0, 0, 0} : Rgb{255, 230, 60};
                             }),
                     {}});
    // Characters: a cat with a soft coverage, a dog on white, a frog of 256 colours on white.
    const auto body = [](int x, int y) { return Inside(x, y, 60, 100, 50, 45); };
    const auto head = [](int x, int y) { return Inside(x, y, 60, 40, 34, 32); };
    items.push_back({"chars", "Cat",
                     Picture(120, 150,
                             [body, head](int x, int y) {
                                 if ((x == 48 || x == 72) && y >= 32 && y <= 38)
                                     return Rgb{20, 20, 20};
                                 if (head(x, y) > 0)
                                     return Rgb{240, 150, 40};
                                 return Rgb{Clamp(220 - y / 3), 120, 30};
                             }),
                     Indexed(120, 150, GreyTable(), [body, head](int x, int y) {
                         return std::max(Soft(body(x, y), 12), Soft(head(x, y), 16));
                     })});
    items.push_back({"chars",
                     "Dog",
                     Picture(100, 80,
                             [](int x, int y) {
                                 const bool trunk = x >= 20 && x < 80 && y >= 25 && y < 55;
                                 const bool legs =
                                     y >= 55 && y < 78 && ((x >= 24 && x < 32) || (x >= 68 && x < 76));
                                 const bool face = x >= 72 && x < 96 && y >= 8 && y < 32;
                                 if (!trunk && !legs && !face)
                                     return white;
                                 return face && x >= 86 && y < 14 ? Rgb{0, 0, 0} : Rgb{140, 90, 40};
                             }),
                     {}});
    std::vector<Rgb> greens;
    for (int i = 0; i < 255; ++i)
        greens.push_back({Clamp(i / 4), Clamp(90 + i / 2), Clamp(i / 3)});
    greens.push_back(white);
    items.push_back({"chars",
                     "Frog",
                     Indexed(96, 72, greens,
                             [](int x, int y) {
                                 const int in = Inside(x, y, 48, 42, 44, 28);
                                 if (in <= 0)
                                     return 255;
                                 return Inside(x, y, 30, 22, 8, 8) > 0 || Inside(x, y, 66, 22, 8, 8) > 0
                                            ? 0
                                            : in * 254 / 256;
                             }),
                     {}});
    // Props: a striped ball with a round coverage, and a tree on white.
    const auto ball = [](int x, int y) { return Inside(x, y, 32, 32, 31, 31); };
    items.push_back({"props", "Ball",
                     Picture(64, 64,
                             [](int x, int y) {
                                 return ((x + y) / 8) % 2 ? Rgb{220, 30, 40} : Rgb{250, 250, 250};
                             }),
                     Indexed(64, 64, GreyTable(), [ball](int x, int y) { return Soft(ball(x, y), 16); })});
    items.push_back({"props",
                     "Tree",
                     Picture(90, 120,
                             [](int x, int y) {
                                 if (y >= 90 && x >= 38 && x < 52)
                                     return Rgb{110, 70, 30};
                                 if (y < 90 && std::abs(x - 45) * 90 <= y * 45)
                                     return Rgb{30, Clamp(100 + y), 40};
                                 return white;
                             }),
                     {}});
    return items;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return bool(out);
}
} // namespace

bool WriteReplayContent(const std::string& res) {
    namespace fs = std::filesystem;
    bool ok = true;
    for (const Item& item : Items()) {
        const fs::path folder = fs::path(res) / item.folder;
        std::error_code error;
        fs::create_directories(folder, error);
        ok = WriteFile(folder / (std::string("i") + item.name + ".bmp"), item.picture) && ok;
        if (!item.alpha.empty())
            ok = WriteFile(folder / (std::string("a") + item.name + ".bmp"), item.alpha) && ok;
    }
    return ok;
}
