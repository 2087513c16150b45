// Writes the seed corpus of the fuzz targets: BMP files of each kind the reader takes (a gap before the
// pixels, run-length rows and bit fields among them), and layered files as the program writes them, with
// several pictures, one of them a text lying on another. Usage: fuzz_seeds <folder>; fills
// <folder>/bmp and <folder>/qmf.
#include "composition/LayeredFile.h"
#include "platform/File.h"
#include "support/BmpFixtures.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {
void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool WriteQmf(const fs::path& path, std::int32_t count,
              const std::vector<std::pair<LayeredRecord, CDIB*>>& entries,
              const std::vector<LayeredExtras>& extras = {}) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
        return false;
    CLayeredFile::WriteHeader(&file, count);
    for (const auto& [record, image] : entries)
        if (!CLayeredFile::WriteEntry(&file, record, image))
            return false;
    CLayeredExtensions::Write(&file, extras);
    file.Close();
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds <folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    fs::create_directories(root / "bmp");
    fs::create_directories(root / "qmf");
    const std::vector<RGBQUAD> two = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    WriteBytes(root / "bmp/24.bmp", MakeBmp({3, 2, 24, BI_RGB, 0, 40, {}, std::string(24, '\x40')}));
    WriteBytes(root / "bmp/8.bmp", MakeBmp({5, 3, 8, BI_RGB, 2, 40, two, std::string(24, '\x01')}));
    WriteBytes(root / "bmp/4-top-down.bmp",
               MakeBmp({4, -2, 4, BI_RGB, 16, 40, std::vector<RGBQUAD>(16), std::string(8, '\x12')}));
    WriteBytes(root / "bmp/1.bmp", MakeBmp({9, 2, 1, BI_RGB, 0, 40, two, std::string(8, '\x55')}));
    WriteBytes(root / "bmp/16.bmp", MakeBmp({2, 2, 16, BI_RGB, 0, 40, {}, std::string(8, '\x33')}));
    WriteBytes(root / "bmp/32-masks.bmp",
               MakeBmpWithGap({2, 1, 32, BI_BITFIELDS, 0, 40, {}, std::string(8, '\x66')},
                              std::string("\0\0\xff\0\0\xff\0\0\xff\0\0\0", 12)));
    const std::string runs("\x03\x01\0\x03\x01\x00\x01\0\0\0\x02\x01\x01\x02\x01\0\x01", 17);
    WriteBytes(root / "bmp/rle8.bmp", MakeBmp({4, 3, 8, BI_RLE8, 2, 40, two, runs}));
    WriteBytes(root / "bmp/rle4.bmp", MakeBmp({5, 2, 4, BI_RLE4, 2, 40, two, runs}));
    WriteBytes(root / "bmp/os2.bmp", MakeBmp({3, 2, 8, BI_RGB, 0, 12, two, std::string(8, '\x01')}));
    WriteBytes(root / "bmp/2.bmp",
               MakeBmp({5, -2, 2, BI_RGB, 0, 40, std::vector<RGBQUAD>(4), std::string(8, '\x1b')}));
    WriteBytes(
        root / "bmp/565.bmp",
        MakeBmp({3, 2, 16, BI_BITFIELDS, 0, 40, {}, std::string(16, '\x5a'), {0xF800, 0x07E0, 0x001F}}));
    WriteBytes(root / "bmp/alpha-v5.bmp", MakeBmp({2,
                                                   2,
                                                   32,
                                                   BI_BITFIELDS,
                                                   0,
                                                   124,
                                                   {},
                                                   std::string(16, '\x80'),
                                                   {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}));

    auto ramp = MakePalette(GreyRamp());
    CDIB picture, other;
    auto alpha = std::make_unique<CDIB>();
    if (!picture.Create(4, 3, 24) || !other.Create(3, 3, 24) || !alpha->Create(4, 3, 8, ramp.get()))
        return 1;
    picture.SetAlpha(std::move(alpha));
    LayeredRecord front;
    front.x = 10, front.y = 20, front.width = -30, front.height = 40, front.stretchMode = 3;
    front.mirrorHorizontal = front.visible = front.hasAlpha = true;
    front.imageName = "res/chars/ihouse.bmp";
    front.alphaName = "res/chars/ahouse.bmp";
    LayeredRecord none;
    none.noImage = true;
    LayeredRecord back;
    back.width = back.height = 5, back.stretchMode = 3;
    back.imageName = "res\\bckgnds\\isky.bmp";
    CDIB grown;
    if (!grown.Load((root / "bmp/rle8.bmp").string()))
        return 1;
    const bool written =
        WriteQmf(root / "qmf/three.qmf", 3, {{back, &other}, {none, nullptr}, {front, &picture}}) &&
        WriteQmf(root / "qmf/four.qmf", 4,
                 {{back, &other}, {back, &grown}, {front, &picture}, {back, &grown}}) &&
        WriteQmf(root / "qmf/empty.qmf", 0, {}) &&
        WriteQmf(root / "qmf/text.qmf", 2, {{back, &other}, {front, &picture}},
                 {{}, {LayerText{"Hello\nthere", {}, 0x123456, 1}, 0}});
    return written ? 0 : 1;
}
