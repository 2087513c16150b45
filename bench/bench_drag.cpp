// One drag step of the selected layer with live update, timed as the picture area's mouse-move handler
// runs it: a 1920 x 1080 picture area (the editor window at 2659 x 1411) holding ten soft-edged layers of
// 1024 x 768 pixels, arranged over the picture; each step moves the layer by one design unit and back.
// Dragged: a layer of 300 x 250 design units, and the back-most one, which covers the whole picture.
// Beside them, the whole picture composed and painted: what a step would cost without gathering its
// area. The last lines give each step's time, its share of the 4 ms budget and its ratio to the whole.

#include "MedianReporter.h"
#include "TenLayerScreen.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
using bench::backLayer;
using bench::middleLayer;
using bench::TenLayerScreen;

TenLayerScreen* theScreen = nullptr;

// Steps of four pixels right and three down, then back: one design unit each way on both axes.
void DragStep(benchmark::State& state) {
    theScreen->Select(int(state.range(0)));
    CDIBMixer& mixer = *theScreen->mixer;
    const POINT from = theScreen->PressPoint(int(state.range(0)));
    mixer.OnLButtonDown(MK_LBUTTON, from);
    bool there = false;
    for (auto _ : state) {
        there = !there;
        mixer.OnMouseMove(MK_LBUTTON, there ? POINT{from.x + 4, from.y + 3} : from);
    }
    mixer.OnLButtonUp(0, there ? POINT{from.x + 4, from.y + 3} : from);
}

void WholePicture(benchmark::State& state) {
    CDIBMixer& mixer = *theScreen->mixer;
    for (auto _ : state) {
        mixer.ComposeCanvas(nullptr, TRUE, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
        mixer.Draw(nullptr);
    }
}
} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    TenLayerScreen screen;
    theScreen = &screen;
    for (int place : {middleLayer, backLayer})
        RegisterMedian("drag_step", DragStep)->Arg(place);
    RegisterMedian("whole_picture", WholePicture);
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    const double whole = reporter.Cpu("whole_picture");
    for (auto [place, name] :
         {std::pair{middleLayer, "a 300 x 250 layer"}, std::pair{backLayer, "the back-most layer"}}) {
        const double step = reporter.Cpu("drag_step/" + std::to_string(place));
        if (step > 0 && whole > 0)
            std::printf("drag step of %s, 1920x1080: %.2f ms, %.0f%% of the 4 ms budget, ratio %.2f to the "
                        "whole picture (%.2f ms)\n",
                        name, step, 100 * step / 4, step / whole, whole);
    }
    return 0;
}
