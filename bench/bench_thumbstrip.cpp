// One step of the thumb strip over a folder of 1024 x 768 pictures with their alpha companions: the strip
// passes three pictures and thumbnails along and loads and scales the one that comes into view. The
// baseline, in the same run, makes the same steps by setting every cell from its file (one load, four
// scalings), which is what passing the thumbnails along saves. The last line gives the step's median and
// the ratio against the baseline.

#include "MedianReporter.h"
#include "controls/ControlManager.h"
#include "controls/HoldControl.h"
#include "controls/ThumbStrip.h"
#include "imaging/DIB.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
constexpr int width = 1024, height = 768, pictures = 8;

struct View : CWnd, CControlManager {
    View() : CControlManager(this) {
        Create("", WS_VISIBLE, {0, 0, DESIGN_WIDTH, DESIGN_HEIGHT}, nullptr, 0);
    }
};

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
        strip = new CThumbStrip(&view, &view, 100024, {160, 470, 496, 528}, 0, nullptr, nullptr, 2, 3);
        for (int i = 0; i < 4; ++i) {
            cells[i] = new CHoldControl(&view, &view, 100017 + i, {}, nullptr, CTL_KEEP_ASPECT, 0, 2, 2);
            view.AddControl(cells[i]);
            strip->AddControl(cells[i]);
        }
        view.AddControl(strip);
        view.SetBackground(nullptr);
        view.PaintBackground(nullptr);
        strip->SetFolder(dir.path().toStdString().c_str());
    }

    QTemporaryDir dir;
    View view;
    CHoldControl* cells[4];
    CThumbStrip* strip;
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
        forward ? Data().strip->ScrollForward() : Data().strip->ScrollBack();
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
            Data().strip->GetDirectory().GetFilePath(first + i, &path);
            Data().cells[i]->SetImageFromFile(path.c_str());
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
