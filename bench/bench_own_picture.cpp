// Adding a 4000 x 3000 JPEG photograph as the user's own picture and showing it in the thumb strip: the
// picture reduced to 2048 px on its long side and written as PNG into the user's folder, then listed,
// read back into the program's picture and coverage, and scaled into its thumbnail. The baseline, in the
// same run, is the reduction alone as Qt does it (read, scale, encode as PNG in memory), which no adding
// can do without. The last line gives the median and the ratio against the baseline.

#include "MedianReporter.h"
#include "ThumbStripScreen.h"
#include "imaging/OwnPictures.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {
constexpr int width = 4000, height = 3000;

// A photograph-like JPEG, the editor's strip and cells, and a user's folder that is empty between runs.
struct Fixture {
    Fixture() {
        QImage photo(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < width; ++x)
                line[x] = qRgb((x * 255) / width, (y * 255) / height, (x ^ y) & 0xFF);
        }
        photo.save(QString::fromStdString(jpeg), "jpg", 90);
    }
    // The strip over an empty installed folder and an empty user's folder, its cells given back.
    void Empty() {
        std::filesystem::remove_all(own);
        screen.strip->SetFolder(installed.c_str(), own.c_str());
    }

    QTemporaryDir dir;
    std::string jpeg = dir.filePath("photo.jpg").toStdString();
    std::string installed = dir.filePath("installed").toStdString();
    std::string own = dir.filePath("own/chars").toStdString();
    bench::ThumbStripScreen screen;
};

std::unique_ptr<Fixture> fixture;

void AddAndShow(benchmark::State& state) {
    Fixture& f = *fixture;
    const COwnPictures pictures(f.own);
    for (auto _ : state) {
        state.PauseTiming();
        f.Empty();
        state.ResumeTiming();
        std::string added;
        if (pictures.Add(f.jpeg, &added) != COwnPictures::Result::added ||
            !f.screen.strip->ShowPicture(added))
            state.SkipWithError("the photograph was not added");
    }
}

void QtReduction(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader reader(QString::fromStdString(fixture->jpeg));
        const QImage reduced =
            reader.read().scaled(2048, 2048, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        reduced.save(&buffer, "png");
        benchmark::DoNotOptimize(bytes.size());
    }
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    fixture = std::make_unique<Fixture>();
    using Measure = void (*)(benchmark::State&);
    for (auto [name, fn] : {std::pair<const char*, Measure>{"add and show", AddAndShow},
                            std::pair<const char*, Measure>{"Qt reduction", QtReduction}})
        RegisterMedian(name, fn)->UseRealTime();
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    const double ours = reporter.Real("add and show"), qt = reporter.Real("Qt reduction");
    if (ours > 0 && qt > 0)
        std::printf(
            "Add and show a 4000x3000 JPEG: %.1f ms; ratio %.2f against Qt's reduction alone (%.1f ms)\n",
            ours, ours / qt, qt);
    fixture.reset();
    return 0;
}
