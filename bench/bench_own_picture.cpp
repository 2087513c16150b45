// Adding a 4000 x 3000 JPEG photograph as the user's own picture and showing it in the thumb strip: the
// picture reduced to 2048 px on its long side and written as PNG into the user's folder, then listed,
// read back into the program's picture and coverage, and scaled into its thumbnail. The baseline, in the
// same run, is the reduction alone as Qt does it (read, scale, encode as PNG in memory), which no adding
// can do without. The last line gives the median and the ratio against the baseline.

#include "MedianReporter.h"
#include "controls/ControlManager.h"
#include "controls/HoldControl.h"
#include "controls/ThumbStrip.h"
#include "imaging/OwnPictures.h"
#include "platform/Wnd.h"

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

struct View : CWnd, CControlManager {
    View() : CControlManager(this) {
        Create("", WS_VISIBLE, {0, 0, DESIGN_WIDTH, DESIGN_HEIGHT}, nullptr, 0);
    }
};

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
        strip = new CThumbStrip(&view, &view, 100024, {160, 470, 496, 528}, 0, nullptr, nullptr, 2, 3);
        for (int i = 0; i < 4; ++i) {
            cells[i] = new CHoldControl(&view, &view, 100017 + i, {}, nullptr, CTL_KEEP_ASPECT, 0, 2, 2);
            view.AddControl(cells[i]);
            strip->AddControl(cells[i]);
        }
        view.AddControl(strip);
        view.SetBackground(nullptr);
        view.PaintBackground(nullptr);
    }
    // The strip over an empty installed folder and an empty user's folder, its cells given back.
    void Empty() {
        std::filesystem::remove_all(own);
        strip->SetFolder(installed.c_str(), own.c_str());
    }

    QTemporaryDir dir;
    std::string jpeg = dir.filePath("photo.jpg").toStdString();
    std::string installed = dir.filePath("installed").toStdString();
    std::string own = dir.filePath("own/chars").toStdString();
    View view;
    CHoldControl* cells[4];
    CThumbStrip* strip;
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
        if (pictures.Add(f.jpeg, &added) != COwnPictures::Result::added || !f.strip->ShowPicture(added))
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
