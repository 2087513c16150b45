// The peak resident memory with ten layers of 1024 x 768 pixels in a 1920 x 1080 picture area (the screen
// of the drag bench), read from VmHWM in /proc/self/status: after the application alone (the baseline),
// once the ten layers are composed, and after a hundred drag steps of the back-most layer with live
// update. The last line sets the peak against the 150 MB target.

#include "TenLayerScreen.h"
#include "platform/FirstPaintReport.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const double baseline = PeakResidentMb();
    double composed = 0, dragged = 0;
    {
        bench::TenLayerScreen screen;
        composed = PeakResidentMb();
        screen.Select(bench::backLayer);
        CDIBMixer& mixer = *screen.mixer;
        const POINT from = screen.PressPoint(bench::backLayer);
        mixer.OnLButtonDown(MK_LBUTTON, from);
        for (int step = 0; step < 100; ++step)
            mixer.OnMouseMove(MK_LBUTTON, step % 2 ? from : POINT{from.x + 4, from.y + 3});
        mixer.OnLButtonUp(0, from);
        dragged = PeakResidentMb();
    }
    std::printf("peak resident, the application alone: %.1f MB\n", baseline);
    std::printf("peak resident, ten 1024x768 layers composed at 1920x1080: %.1f MB\n", composed);
    std::printf("peak resident, after 100 drag steps with live update: %.1f MB\n", dragged);
    std::printf("peak resident with ten layers: %.1f MB, %.0f%% of the 150 MB target, %.2f times the "
                "application alone\n",
                dragged, 100 * dragged / 150, baseline > 0 ? dragged / baseline : 0.0);
    return 0;
}
