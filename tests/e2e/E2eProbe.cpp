// What the end-to-end test needs to know from the program's own code, asked of an offscreen main window of
// the real one's size, W x H pixels (run it in the build folder, where res/ lies):
//   quimble-e2e-probe W H layout
//       "view <x> <y> <width> <height>", the view's place in the window; "scale <sx> <sy>", its factors
//       from design units to pixels; then one line "<id> <left> <top> <right> <bottom>" per control, its
//       rectangle in view pixels;
//   quimble-e2e-probe W H render <file.qmf> <out.bmp>
//       loads the layered file into the picture area and exports it as the Save command does;
//   quimble-e2e-probe W H picture <out.qmf>
//       saves a layered picture of two layers, a soft-edged red one behind a blue one with a hole;
//   quimble-e2e-probe W H places <file.qmf>
//       loads the layered file and prints one line "<x> <y> <width> <height> <px> <py>" per layer, the
//       front-most first: its place in design units, and the point of the picture area (its own pixels)
//       nearest the layer's middle where a click takes that layer (-1 -1 where none does).

#include "app/ControlIds.h"
#include "composition/ContentKey.h"
#include "composition/PickSlotAt.h"
#include "controls/DIBMixer.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "support/Pictures.h"
#include "support/ShellFixture.h"
#include "support/ShownPictureFile.h"

#include <QApplication>
#include <QRect>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: quimble-e2e-probe W H layout | W H render <file.qmf> <out.bmp> | "
                         "W H picture <out.qmf> | W H places <file.qmf>\n");
    return 2;
}

void PrintLayout(const CQuimbleView& view, const QRect& place) {
    std::printf("view %d %d %d %d\n", place.x(), place.y(), place.width(), place.height());
    std::printf("scale %f %f\n", view.GetScaleX(), view.GetScaleY());
    for (int i = 0; i < view.GetControlCount(); ++i) {
        const CControl* control = view.GetControl(i);
        const RECT& r = control->GetRect();
        std::printf("%d %d %d %d %d\n", control->GetId(), int(r.left), int(r.top), int(r.right),
                    int(r.bottom));
    }
}

bool Render(const CQuimbleView& view, const char* qmf, const char* bmp) {
    auto* mixer = view.FindControlAs<CDIBMixer>(IDC_MIXER);
    if (!mixer || !ReadShownPicture(*mixer, qmf)) {
        std::fprintf(stderr, "quimble-e2e-probe: cannot load %s\n", qmf);
        return false;
    }
    const RECT target = mixer->GetFlatPictureTarget();
    return mixer->ExportBitmap(bmp, &target);
}

bool PrintPlaces(const CQuimbleView& view, const char* qmf) {
    auto* mixer = view.FindControlAs<CDIBMixer>(IDC_MIXER);
    if (!mixer || !ReadShownPicture(*mixer, qmf)) {
        std::fprintf(stderr, "quimble-e2e-probe: cannot load %s\n", qmf);
        return false;
    }
    const double sx = view.GetScaleX(), sy = view.GetScaleY();
    const int w = mixer->GetCanvas().GetWidth(), h = mixer->GetCanvas().GetHeight();
    for (const auto& slot : mixer->GetSlots()) {
        const double mx = (slot->m_x + slot->m_width / 2.0) * sx,
                     my = (slot->m_y + slot->m_height / 2.0) * sy;
        POINT best{-1, -1};
        double nearest = 1e300;
        for (int y = 0; y < h; y += 2)
            for (int x = 0; x < w; x += 2)
                if (const double d = (x - mx) * (x - mx) + (y - my) * (y - my);
                    d < nearest &&
                    PickSlotAt(mixer->GetSlots(), {x, y}, sx, sy, nullptr, MIXER_KEY_COLOUR) == slot.get())
                    best = {x, y}, nearest = d;
        std::printf("%d %d %d %d %d %d\n", int(slot->m_x), int(slot->m_y), int(slot->m_width),
                    int(slot->m_height), int(best.x), int(best.y));
    }
    return true;
}

// Layer k (0 = the top one) takes picture, placed at x, y.
bool Put(CQuimbleView& view, int k, std::unique_ptr<CDIB> picture, int x, int y) {
    auto* strip = view.FindControlAs<CLayerStrip>(IDC_LAYER_STRIP);
    auto* mixer = view.FindControlAs<CDIBMixer>(IDC_MIXER);
    CLayerControl* layer = strip ? strip->GetLayer(k) : nullptr;
    if (!mixer || !layer || !layer->PutContent(std::move(picture), NewContentKey(), {}))
        return false;
    strip->Refresh(0, TRUE);
    CDIBSlot* slot = mixer->FindDibSlot(layer->GetContentKey());
    if (!slot)
        return false;
    slot->m_x = x, slot->m_y = y;
    slot->m_changed = 1;
    RECT changed{};
    mixer->UpdateFromLayerStrip(&changed);
    return true;
}

bool SavePicture(CQuimbleView& view, const char* qmf) {
    auto back = SolidPicture(300, 200, RGB(200, 30, 20));
    auto alpha = SolidAlpha(300, 200, 255);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 60; ++x)
            alpha->GetBits()[std::size_t(y) * alpha->GetStride() + x] = BYTE(4 * x);
    back->SetAlpha(std::move(alpha));
    auto front = SolidPicture(120, 260, RGB(20, 40, 210));
    const RECT hole{30, 40, 90, 120};
    front->Fill(0xFFFFFF, &hole);
    auto* mixer = view.FindControlAs<CDIBMixer>(IDC_MIXER);
    return Put(view, 1, std::move(back), 40, 30) && Put(view, 0, std::move(front), 200, 90) &&
           WriteShownPicture(*mixer, qmf);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return Usage();
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const bool layout = std::strcmp(argv[3], "layout") == 0, picture = std::strcmp(argv[3], "picture") == 0,
               places = std::strcmp(argv[3], "places") == 0;
    if (width <= 0 || height <= 0 ||
        !(layout || ((picture || places) && argc == 5) || (std::strcmp(argv[3], "render") == 0 && argc == 6)))
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
    if (picture)
        return SavePicture(*view, argv[4]) ? 0 : 1;
    if (places)
        return PrintPlaces(*view, argv[4]) ? 0 : 1;
    return Render(*view, argv[4], argv[5]) ? 0 : 1;
}
