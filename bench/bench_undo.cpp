// One undo step and its redo with ten soft-edged layers of 1024 x 768 pixels in a 1920 x 1080 picture
// area (the screen of the drag bench): of a drag of the back-most layer, and of clearing it, which brings
// its picture back into the picture area. Beside them, the whole picture composed and painted. Then the
// peak resident memory after a hundred undoable steps, against the 150 MB target.

#include "MedianReporter.h"
#include "TenLayerScreen.h"
#include "composition/UndoHistory.h"
#include "platform/FirstPaintReport.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {
using bench::backLayer;
using bench::TenLayerScreen;

// Every composed change a step, as the editor keeps them.
struct Steps : CPictureObserver {
    explicit Steps(CDIBMixer* picture) : mixer(picture) {
        mixer->SetObserver(this);
        history.Reset(mixer->CaptureState());
    }
    ~Steps() { mixer->SetObserver(nullptr); }
    void OnPictureComposed() override { history.Commit(mixer->CaptureState()); }
    CDIBMixer* mixer;
    CUndoHistory history;
};

TenLayerScreen* theScreen = nullptr;
Steps* theSteps = nullptr;

void Drag(int place) {
    theScreen->Select(place);
    CDIBMixer& mixer = *theScreen->mixer;
    const POINT from = theScreen->PressPoint(place);
    mixer.OnLButtonDown(MK_LBUTTON, from);
    mixer.OnMouseMove(MK_LBUTTON, {from.x + 4, from.y + 3});
    mixer.OnLButtonUp(0, {from.x + 4, from.y + 3});
}

// Goes back and forth over the last step the setup made.
void UndoRedo(benchmark::State& state, void (*setup)()) {
    setup();
    bool back = false;
    for (auto _ : state) {
        back = !back;
        theScreen->mixer->RestoreState(back ? theSteps->history.Undo() : theSteps->history.Redo());
    }
    if (back)
        theScreen->mixer->RestoreState(theSteps->history.Redo());
}

void UndoDrag(benchmark::State& state) {
    UndoRedo(state, [] { Drag(backLayer); });
}

void UndoClear(benchmark::State& state) {
    UndoRedo(state, [] {
        theScreen->strip->Select(theScreen->Layer(backLayer));
        theScreen->strip->OnControlEvent(100016, 1); // the delete button, without its question
    });
}

void WholePicture(benchmark::State& state) {
    for (auto _ : state) {
        theScreen->mixer->ComposeCanvas(nullptr, TRUE, MIXER_KEY_COLOUR, MIXER_BACKGROUND);
        theScreen->mixer->Draw(nullptr);
    }
}
} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    double peak = 0;
    std::size_t steps = 0;
    MedianReporter reporter;
    {
        TenLayerScreen screen;
        Steps history(screen.mixer);
        theScreen = &screen;
        theSteps = &history;
        for (int step = 0; step < 100; ++step)
            Drag(step % 10);
        steps = history.history.GetCount() - 1;
        peak = PeakResidentMb();
        RegisterMedian("undo_drag", UndoDrag);
        RegisterMedian("undo_clear", UndoClear);
        RegisterMedian("whole_picture", WholePicture);
        RunBenchmarks(&argc, argv, reporter);
    }
    const double whole = reporter.Cpu("whole_picture");
    for (auto [name, what] :
         {std::pair{"undo_drag", "a drag"}, std::pair{"undo_clear", "clearing a layer"}}) {
        const double step = reporter.Cpu(name);
        if (step > 0 && whole > 0)
            std::printf("undo or redo of %s, ten 1024x768 layers at 1920x1080: %.2f ms, %.0f%% of the 20 ms "
                        "target, ratio %.2f to the whole picture (%.2f ms)\n",
                        what, step, 100 * step / 20, step / whole, whole);
    }
    std::printf(
        "peak resident after %zu undoable steps with ten layers: %.1f MB, %.0f%% of the 150 MB target\n",
        steps, peak, 100 * peak / 150);
    return 0;
}
