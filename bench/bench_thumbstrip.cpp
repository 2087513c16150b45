// One step of the thumb strip over a folder of 1024 x 768 pictures with their alpha companions: the strip
// passes three pictures and thumbnails along and loads and scales the one that comes into view. The
// baseline, in the same run, makes the same steps by setting every cell from its file (one load, four
// scalings), which is what passing the thumbnails along saves. The last line gives the step's median and
// the ratio against the baseline.

#include "MedianReporter.h"
#include "ThumbStripScreen.h"
#include "imaging/DIB.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
constexpr int width = 1024, height = 768, pictures = 8;

// The editor's strip and cells over a folder of pictures, each of its own colours.
struct Fixture {
    Fixture() {
        for (int n = 0; n < pictures; ++n) {
            CDIB picture, alpha;
            picture.Create(width, height, 24);
            picture.BeginPixelAccess();
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    BYTE* p = picture.PixelAddress(x, y);
                    p[0] = BYTE(x + n * 30), p[1] = BYTE(y), p[2] = BYTE(x ^ y);
                }
            picture.EndPixelAccess();
            alpha.Create(width, height, 8);
            std::memset(alpha.GetBits(), 255, std::size_t(alpha.GetStride()) * height);
            const std::string name = std::to_string(n) + ".bmp";
            picture.Save(dir.filePath(QString::fromStdString("i" + name)).toStdString());
            alpha.Save(dir.filePath(QString::fromStdString("a" + name)).toStdString());
        }
        screen.strip->SetFolder(dir.path().toStdString().c_str());
    }

    QTemporaryDir dir;
    bench::ThumbStripScreen screen;
};

// Made once the application exists, and gone before it: the fixture holds windows.
std::unique_ptr<Fixture> fixture;

Fixture& Data() {
    return *fixture;
}

// Forward and back in turn: every step brings in a picture that the collection had let go.
void Step(benchmark::State& state) {
    bool forward = true;
    for (auto _ : state) {
        forward ? Data().screen.strip->ScrollForward() : Data().screen.strip->ScrollBack();
        forward = !forward;
    }
}

// The same steps done by setting every cell from its file: the collection still shares the three pictures
// that stay, but each cell scales its thumbnail again.
void EveryCellSetAnew(benchmark::State& state) {
    std::string path;
    int first = 1;
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i) {
            Data().screen.strip->GetDirectory().GetFilePath(first + i, &path);
            Data().screen.cells[i]->SetImageFromFile(path.c_str());
        }
        first = 1 - first;
    }
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    fixture = std::make_unique<Fixture>();
    using Measure = void (*)(benchmark::State&);
    for (auto [name, fn] : {std::pair<const char*, Measure>{"thumb strip step", Step},
                            std::pair<const char*, Measure>{"every cell set anew", EveryCellSetAnew}})
        RegisterMedian(name, fn);
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    const double step = reporter.Real("thumb strip step"), anew = reporter.Real("every cell set anew");
    if (step > 0 && anew > 0)
        std::printf("Thumb strip step, 1024x768 pictures: %.3f ms (%s 10 ms); ratio %.2f against every "
                    "cell set anew (%.3f ms)\n",
                    step, step < 10 ? "under" : "NOT under", step / anew, anew);
    fixture.reset();
    return 0;
}
