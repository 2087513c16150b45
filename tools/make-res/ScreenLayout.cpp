#include "ScreenLayout.h"

namespace layout {
namespace {
struct Look {
    int id;
    Icon icon;
    QRgb colour;
};

// Colours by group: red quit, four folder colours, blue file row, green mode row, violet layer row.
constexpr Look looks[] = {
    {IDC_QUIT, Icon::quit, 0xffe5484d},
    {IDC_BACKGROUNDS, Icon::backgrounds, 0xff3aa55d},
    {IDC_BALLOONS, Icon::balloons, 0xff2f8fd8},
    {IDC_CHARACTERS, Icon::characters, 0xfff08a24},
    {IDC_PROPS, Icon::props, 0xffa65fd6},
    {IDC_LOAD, Icon::load, 0xff2f7fd0},
    {IDC_SAVE, Icon::save, 0xff2f7fd0},
    {IDC_PRINT, Icon::print, 0xff2f7fd0},
    {IDC_MOVE, Icon::move, 0xff21a38f},
    {IDC_TEXT, Icon::text, 0xff21a38f},
    {IDC_INTERACTIVE_UPDATE, Icon::liveUpdate, 0xff21a38f},
    {IDC_HELP, Icon::help, 0xffe9a21a},
    {IDC_INFO, Icon::info, 0xff7b61d9},
    {IDC_GLUE, Icon::glue, 0xff7b61d9},
    {IDC_LAYER_UP, Icon::layerUp, 0xff7b61d9},
    {IDC_LAYER_DOWN, Icon::layerDown, 0xff7b61d9},
    {IDC_LAYER_DELETE, Icon::layerDelete, 0xffd9546b},
    {IDC_THUMB_BACK, Icon::back, 0xfff08a24},
    {IDC_THUMB_FORWARD, Icon::forward, 0xfff08a24},
    {IDC_UNDO, Icon::undo, 0xff2f7fd0},
    {IDC_REDO, Icon::redo, 0xff2f7fd0},
};
} // namespace

const std::vector<Button>& Buttons() {
    static const std::vector<Button> buttons = [] {
        std::vector<Button> all;
        for (const ScreenPlace& place : SCREEN_LAYOUT) {
            if (place.kind != ScreenKind::Button && place.kind != ScreenKind::Toggle)
                continue;
            for (const Look& look : looks)
                if (look.id == place.id)
                    all.push_back({ResName(place.picture), Place(place.id), look.icon, look.colour});
        }
        return all;
    }();
    return buttons;
}

} // namespace layout
