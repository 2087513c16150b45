// Picture work measured against the nearest Qt operation on the same picture, in the same run: loading a
// 1024 x 768 24-bit BMP, reducing it to 8 bits on a 256-entry palette, making a 100 x 75 thumbnail with
// and without a palette, and remapping an 8-bit picture onto another palette. The last lines give the
// ratio of the medians.

#include "MedianReporter.h"
#include "imaging/DIB.h"
#include "platform/Palette.h"

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {
constexpr int width = 1024, height = 768;

// A photo-like picture: smooth gradients with noise, so that it holds many thousands of colours.
struct Fixture {
    Fixture() {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> noise(-12, 12);
        auto clamp = [](int v) { return BYTE(std::clamp(v, 0, 255)); };
        photo.Create(width, height, 24);
        photo.BeginPixelAccess();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                BYTE* p = photo.PixelAddress(x, y);
                p[0] = clamp(x / 4 + noise(random));
                p[1] = clamp(y / 3 + noise(random));
                p[2] = clamp((x + y) / 7 + noise(random));
            }
        photo.EndPixelAccess();
        path = dir.filePath("photo.bmp").toStdString();
        photo.Save(path);
        qtPhoto.load(QString::fromStdString(path));

        // A 6 x 6 x 6 colour cube and 40 greys.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    colours.push_back(RGB(BYTE(r * 51), BYTE(g * 51), BYTE(b * 51)));
        for (int i = 0; i < 40; ++i)
            colours.push_back(RGB(BYTE(3 + i * 6), BYTE(3 + i * 6), BYTE(3 + i * 6)));
        for (COLORREF c : colours)
            qtTable.push_back(qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));

        // The 8-bit picture to remap, and the palette it goes onto: the same colours in another order.
        indexed = photo.Clone();
        indexed->ConvertTo8Bit(NewPalette(colours).get());
        std::vector<COLORREF> reversed(colours.rbegin(), colours.rend());
        remapColours = reversed;
        for (COLORREF c : remapColours)
            qtRemapTable.push_back(qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        qtIndexed = qtPhoto.convertToFormat(QImage::Format_Indexed8, qtTable);
    }

    static std::unique_ptr<CPalette> NewPalette(const std::vector<COLORREF>& entries) {
        std::vector<BYTE> memory(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = WORD(entries.size());
        PALETTEENTRY* e = lp->palPalEntry;
        for (std::size_t i = 0; i < entries.size(); ++i)
            e[i] = {GetRValue(entries[i]), GetGValue(entries[i]), GetBValue(entries[i]), 0};
        auto palette = std::make_unique<CPalette>();
        palette->CreatePalette(lp);
        return palette;
    }

    QTemporaryDir dir;
    std::string path;
    CDIB photo;
    QImage qtPhoto;
    std::vector<COLORREF> colours, remapColours;
    QList<QRgb> qtTable, qtRemapTable;
    std::unique_ptr<CDIB> indexed;
    QImage qtIndexed;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

// Palettes remember their answers; every measured run starts with a fresh one, as a picture loaded
// onto a new screen palette would.
void LoadQuimble(benchmark::State& state) {
    for (auto _ : state) {
        CDIB dib;
        benchmark::DoNotOptimize(dib.Load(Data().path));
    }
}
void LoadQt(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(QString::fromStdString(Data().path));
        benchmark::DoNotOptimize(image.bits());
    }
}

void To8BitQuimble(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = Data().photo.Clone();
        auto palette = Fixture::NewPalette(Data().colours);
        state.ResumeTiming();
        benchmark::DoNotOptimize(copy->ConvertTo8Bit(palette.get()));
    }
}
void To8BitQt(benchmark::State& state) {
    for (auto _ : state) {
        QImage image = Data().qtPhoto.convertToFormat(QImage::Format_Indexed8, Data().qtTable);
        benchmark::DoNotOptimize(image.bits());
    }
}

void ScaleQuimble(benchmark::State& state) {
    for (auto _ : state) {
        auto thumb = Data().photo.CreateScaled(100, 75, 0, nullptr);
        benchmark::DoNotOptimize(thumb->GetBits());
    }
}
void ScaleQt(benchmark::State& state) {
    for (auto _ : state) {
        QImage thumb = Data().qtPhoto.scaled(100, 75, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(thumb.bits());
    }
}

void ScalePaletteQuimble(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto palette = Fixture::NewPalette(Data().colours);
        state.ResumeTiming();
        auto thumb = Data().photo.CreateScaled(100, 75, 8, palette.get());
        benchmark::DoNotOptimize(thumb->GetBits());
    }
}
void ScalePaletteQt(benchmark::State& state) {
    for (auto _ : state) {
        QImage thumb = Data()
                           .qtPhoto.scaled(100, 75, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_Indexed8, Data().qtTable);
        benchmark::DoNotOptimize(thumb.bits());
    }
}

void MapQuimble(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = Data().indexed->Clone();
        auto palette = Fixture::NewPalette(Data().remapColours);
        state.ResumeTiming();
        benchmark::DoNotOptimize(copy->MapToPalette(palette.get()));
    }
}
// Qt has no remapping of an indexed picture onto another table; the nearest is converting it through
// true colour.
void MapQt(benchmark::State& state) {
    for (auto _ : state) {
        QImage image = Data()
                           .qtIndexed.convertToFormat(QImage::Format_RGB32)
                           .convertToFormat(QImage::Format_Indexed8, Data().qtRemapTable);
        benchmark::DoNotOptimize(image.bits());
    }
}

// Keeps the median time of every benchmark while the console shows the usual table.

struct Operation {
    const char* name;
    void (*quimble)(benchmark::State&);
    void (*qt)(benchmark::State&);
};
const Operation operations[] = {
    {"Load 1024x768 24-bit", LoadQuimble, LoadQt},
    {"ConvertTo8Bit 256 colours", To8BitQuimble, To8BitQt},
    {"CreateScaled 100x75", ScaleQuimble, ScaleQt},
    {"CreateScaled 100x75 palette", ScalePaletteQuimble, ScalePaletteQt},
    {"MapToPalette 8-bit", MapQuimble, MapQt},
};
} // namespace

int main(int argc, char** argv) {
    Data();
    for (const Operation& op : operations)
        for (auto [side, fn] : {std::pair{"quimble ", op.quimble}, std::pair{"qt ", op.qt}})
            RegisterMedian(side + std::string(op.name), fn);
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    for (const Operation& op : operations) {
        const double ours = reporter.Real("quimble " + std::string(op.name));
        const double theirs = reporter.Real("qt " + std::string(op.name));
        if (ours > 0 && theirs > 0)
            std::printf("%s: ratio %.2f (quimble %.3f ms, qt %.3f ms)\n", op.name, ours / theirs, ours,
                        theirs);
    }
    return 0;
}
