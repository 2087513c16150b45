// What the end-to-end test needs to know from the program's own code, asked of an offscreen main window of
// the real one's size, W x H pixels (run it in the build folder, where res/ lies):
//   quimble-e2e-probe W H layout
//       "view <x> <y> <width> <height>", the view's place in the window; "scale <sx> <sy>", its factors
//       from design units to pixels; then one line "<id> <left> <top> <right> <bottom>" per control, its
//       rectangle in view pixels;
//   quimble-e2e-probe W H render <file.qmf> <out.bmp>
//       loads the layered file into the picture area and exports it as the Save command does, at the size
//       of the largest layer.

#include "app/ControlIds.h"
#include "composition/DIBMixer.h"
#include "support/ShellFixture.h"

#include <QApplication>
#include <QRect>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: quimble-e2e-probe W H layout | W H render <file.qmf> <out.bmp>\n");
    return 2;
}

void PrintLayout(const CQuimbleView& view, const QRect& place) {
    std::printf("view %d %d %d %d\n", place.x(), place.y(), place.width(), place.height());
    std::printf("scale %f %f\n", view.GetScaleX(), view.GetScaleY());
    for (int i = 0; i < view.GetControlCount(); ++i) {
        const CControl* control = view.GetControl(i);
        const RECT& r = control->m_rect;
        std::printf("%d %d %d %d %d\n", control->GetId(), int(r.left), int(r.top), int(r.right),
                    int(r.bottom));
    }
}

bool Render(const CQuimbleView& view, const char* qmf, const char* bmp) {
    auto* mixer = view.FindControlAs<CDIBMixer>(IDC_MIXER);
    if (!mixer || !mixer->LoadFromLayeredFile(qmf)) {
        std::fprintf(stderr, "quimble-e2e-probe: cannot load %s\n", qmf);
        return false;
    }
    int width = 0, height = 0;
    mixer->GetLargestSlotSize(&width, &height);
    const RECT target = {0, 0, width, height};
    return mixer->ExportBitmap(bmp, &target);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return Usage();
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const bool layout = std::strcmp(argv[3], "layout") == 0;
    if (width <= 0 || height <= 0 || !(layout || (std::strcmp(argv[3], "render") == 0 && argc == 6)))
        return Usage();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qapp(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // the scale is read back by a script
    ShellApp app;
    if (!app.Start()) {
        std::fprintf(stderr, "quimble-e2e-probe: the editor did not start\n");
        return 1;
    }
    app.Window()->resize(width, height);
    // The first paint fixes the design size; only then does the view follow its size.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    CQuimbleView* view = app.View();
    const QWidget* viewWidget = view->GetQWidget();
    const QRect place(viewWidget->mapTo(app.Window(), QPoint(0, 0)), viewWidget->size());
    view->Resize(place.width(), place.height());
    if (layout) {
        PrintLayout(*view, place);
        return 0;
    }
    return Render(*view, argv[4], argv[5]) ? 0 : 1;
}
