#include "app/QuimbleView.h"

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/FillMessageTable.h"
#include "app/QuimbleDoc.h"
#include "app/QuimbleResource.h"
#include "app/ScreenLayout.h"
#include "controls/DIBMixer.h"
#include "controls/HoldControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "controls/ThumbStrip.h"
#include "platform/DC.h"
#include "platform/FirstPaintReport.h"
#include "platform/FullPath.h"
#include "platform/Screen.h"

#include <cstdio>
#include <new>
#include <utility>

namespace {
// Construction values of the screen's controls after their rectangles.
constexpr int cellMargin = 2;
constexpr std::uint32_t layerStripFlags = CTL_VERTICAL | CTL_LAYS_OUT_CHILDREN;
constexpr int layerStripM = 4, layerStripG = 3;
constexpr int thumbStripM = 2, thumbStripG = 3;

// A control of the view, made and handed to the view's manager; null when it could not be made or added.
template <class Control, class... Arguments> Control* Make(CQuimbleView* view, Arguments&&... arguments) {
    auto* control = new (std::nothrow) Control(view, view, std::forward<Arguments>(arguments)...);
    if (control && !view->AddControl(control)) {
        delete control;
        return nullptr;
    }
    return control;
}

CButtonControl* Button(const CControlManager& manager, int id) {
    return manager.FindControlAs<CButtonControl>(id);
}

// The screen says nothing when a picture is missing or unreadable, and the program goes on with what was
// built; the line on standard error tells whoever starts it which file to put back.
bool Missing(const std::string& path) {
    std::fprintf(stderr, "quimble: cannot load %s; the editor screen stops there\n", path.c_str());
    return false;
}

// Gives the control the picture at the relative path with load (its state or overlay picture).
template <class Control, class Load> bool Picture(Control* control, const char* relative, Load load) {
    const std::string path = MakeFullPath(relative);
    return (control->*load)(path.c_str()) || Missing(path);
}
} // namespace

CQuimbleView::CQuimbleView() : CControlView(GetLanguage()) {}

CQuimbleView::~CQuimbleView() {
    if (CQuimbleDoc* doc = GetDocument()) {
        doc->RemovePictureListener(this);
        doc->ForgetPicture();
    }
}

CQuimbleDoc* CQuimbleView::GetDocument() const {
    return dynamic_cast<CQuimbleDoc*>(CView::GetDocument());
}

bool CQuimbleView::OnControlEvent(int id, WPARAM data) {
    switch (id) {
    case ID_NEW_PICTURE:
        NewPicture();
        return true;
    case ID_ADD_PICTURES:
        AddPictures();
        return true;
    case ID_FILE_EXPORT:
        ExportPicture(nullptr);
        return true;
    case IDC_QUIT:
        Quit();
        return true;
    case IDC_BACKGROUNDS:
    case IDC_BALLOONS:
    case IDC_CHARACTERS:
    case IDC_PROPS:
        ShowContentFolder(id);
        return true;
    case IDC_MOVE:
        MoveModeChanged();
        return true;
    case IDC_TEXT:
        TextModeChanged();
        return true;
    case IDC_INFO:
        ShowInfo();
        return true;
    case IDC_THUMB_CELL1:
    case IDC_THUMB_CELL2:
    case IDC_THUMB_CELL3:
    case IDC_THUMB_CELL4:
        PickThumbnail(id);
        return true;
    case IDC_PICKED:
        PutPickedIntoLayer();
        return true;
    case IDC_LOAD:
        LoadPicture();
        return true;
    case IDC_SAVE:
        SavePicture(reinterpret_cast<const char*>(data));
        return true;
    case IDC_PRINT:
        PostCommand(ID_FILE_PRINT);
        return true;
    case IDC_UNDO:
    case ID_EDIT_UNDO:
        Undo();
        return true;
    case IDC_REDO:
    case ID_EDIT_REDO:
        Redo();
        return true;
    default:
        return false;
    }
}

bool CQuimbleView::OnControlValue(int id, double value) {
    std::printf("control %d, sent value %f\n", id, value);
    return false;
}

void CQuimbleView::RealizeViewPalette(CWnd* focusWnd) {
    if (focusWnd && (focusWnd == this || FindControlByWindow(focusWnd)))
        return;
    CPalette* palette = GetPalette();
    if (!palette)
        return;
    CDC* dc = GetDC();
    if (!dc)
        return;
    dc->SelectPalette(palette, FALSE);
    dc->RealizePalette();
    ReleaseDC(dc);
}

void CQuimbleView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    CheckDisplay();
    // The first paint lays the controls out and draws them: what they would draw while they are made
    // would be drawn again, on surfaces made at sizes soon left.
    SetDrawingEnabled(false);
    BuildEditorScreen();
    if (CQuimbleDoc* doc = GetDocument())
        doc->AddPictureListener(this);
    SetDrawingEnabled(true);
    DragAcceptFiles();
}

BOOL CQuimbleView::BuildEditorScreen() {
    FillMessageTable(GetMessageTable());
    const std::string background =
        MakeFullPath(TestDisplayFlag(DISPLAY_PALETTE) ? SCREEN_BACKGROUND_PALETTE : SCREEN_BACKGROUND);
    if (!SetBackground(background.c_str()))
        return Missing(background);
    SetPalette(GetBackground());
    for (const ScreenPlace& place : SCREEN_LAYOUT)
        if (!BuildControl(place))
            return FALSE;
    SetMinTrackSize(MIN_TRACK_WIDTH, MIN_TRACK_HEIGHT);
    if (CDIBMixer* mixer = GetPictureArea())
        mixer->SetObserver(this);
    ResetHistory();
    return TRUE;
}

bool CQuimbleView::BuildControl(const ScreenPlace& place) {
    const int id = place.id;
    switch (place.kind) {
    case ScreenKind::Button:
    case ScreenKind::Toggle: {
        const std::uint32_t flags = place.kind == ScreenKind::Toggle ? std::uint32_t(CTL_TOGGLE) : 0u;
        auto* button = Make<CButtonControl>(this, id, place.rect, nullptr, flags, 0);
        return button && Picture(button, place.picture, &CButtonControl::SetImageFromFile);
    }
    case ScreenKind::PictureArea: {
        auto* mixer = Make<CDIBMixer>(this, id, place.rect, 0);
        if (!mixer)
            return false;
        mixer->SetButtons(Button(*this, IDC_MOVE), Button(*this, IDC_TEXT),
                          Button(*this, IDC_INTERACTIVE_UPDATE), Button(*this, IDC_HELP));
        mixer->SetHelpPrefix(HelpPrefix(GetLanguage()));
        return true;
    }
    case ScreenKind::HoldCell: {
        auto* cell =
            Make<CHoldControl>(this, id, place.rect, nullptr, CTL_KEEP_ASPECT, 0, cellMargin, cellMargin);
        return cell && Picture(cell, place.picture, &CHoldControl::SetOverlayFromFile);
    }
    case ScreenKind::Layer: {
        auto* layer =
            Make<CLayerControl>(this, id, place.rect, nullptr, 0, MakeFullPath(HIDE_TOGGLE_PICTURE).c_str(),
                                id + 1, cellMargin, cellMargin);
        return layer && Picture(layer, place.picture, &CHoldControl::SetOverlayFromFile);
    }
    case ScreenKind::LayerStrip: {
        auto* strip = Make<CLayerStrip>(this, id, place.rect, layerStripFlags, layerStripM, layerStripG);
        if (!strip)
            return false;
        for (int k = 0; k < LAYER_COUNT; ++k)
            if (auto* layer = FindControlAs<CLayerControl>(IDC_LAYER1 + 2 * k))
                strip->AddControl(layer);
        strip->SetButtons(Button(*this, IDC_INFO), Button(*this, IDC_GLUE), Button(*this, IDC_LAYER_UP),
                          Button(*this, IDC_LAYER_DOWN), Button(*this, IDC_LAYER_DELETE));
        if (auto* mixer = GetPictureArea())
            strip->SetCompositor(mixer);
        return true;
    }
    case ScreenKind::ThumbStrip: {
        // Empty until the screen has shown: its first folder follows the first full paint.
        auto* strip = Make<CThumbStrip>(this, id, place.rect, 0, nullptr, nullptr, thumbStripM, thumbStripG);
        if (!strip)
            return false;
        for (int k = 0; k < THUMB_CELL_COUNT; ++k)
            if (auto* cell = FindControlAs<CHoldControl>(IDC_THUMB_CELL1 + k))
                strip->AddControl(cell);
        if (CControl* back = FindControl(IDC_THUMB_BACK))
            strip->SetBackButton(back);
        if (CControl* forward = FindControl(IDC_THUMB_FORWARD))
            strip->SetForwardButton(forward);
        return true;
    }
    }
    return false;
}

void CQuimbleView::OnDraw(CDC* dc) {
    if (dc->IsPrinting()) {
        PrintPicture(dc);
        return;
    }
    SetDrawingEnabled(true);
    if (!m_firstPaintDone) {
        m_firstPaintDone = true;
        Invalidate(TRUE);
        return;
    }
    ReportFirstPaint();
    if (!m_firstFolderShown) {
        m_firstFolderShown = true;
        // Listing the first folder and reading its first pictures for the thumbnails would hold the
        // screen back: the thumbnails follow it at once instead.
        PostCall([this] { ShowContentFolder(IDC_BACKGROUNDS); });
    }
}
