#pragma once
// The editor's window and the control manager of its screen. Every command of the editor arrives at
// OnControlEvent, from its controls as well as from the menu, the application and the document.

#include "app/TextDialog.h"
#include "controls/ControlManager.h"
#include "platform/View.h"
#include <string>

class CQuimbleDoc;
struct ScreenPlace;

class CQuimbleView : public CView, public CControlManager {
public:
    CQuimbleView();

    CQuimbleDoc* GetDocument() const;

    // The command dispatcher. Save (IDC_SAVE) takes the path as a const char* in data.
    bool OnControlEvent(int id, WPARAM data) override;
    // No control sends values; one that did is shown on standard output, for whoever debugs it.
    bool OnControlValue(int id, double value) override;
    // Saves the picture under path (null: the path used last). TRUE only when a file was written;
    // a failure is reported to the user here.
    BOOL SavePicture(const char* path);
    // Realises the screen palette unless the window that changed the palette is this view or one of
    // its controls.
    void RealizeViewPalette(CWnd* focusWnd);

    // Builds the editor screen: the background and its palette, then every control of the screen
    // layout in its order, each linked to those it works with. FALSE when it stopped at a control or
    // picture it could not make; what was made by then stays.
    BOOL BuildEditorScreen();

    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int width, int height) override;
    void OnMouseMove(UINT flags, POINT point) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

private:
    // The commands that compose the picture (QuimbleViewCommands.cpp). Each looks up the controls it
    // needs and does nothing when one is missing.
    void NewPicture();
    void Quit();
    void ShowContentFolder(int id);
    void MoveModeChanged();
    void TextModeChanged();
    void ShowInfo();
    void PickThumbnail(int id);
    void PutPickedIntoLayer();
    // What the Text dialog showed last, offered again the next time it opens.
    struct TextSettings {
        std::string text;
        LOGFONT font;
        COLORREF colour = CTextDialog::defaultColour;
        int centred = 0;
    } m_textSettings;

    // Makes the control of place and links it to the controls made before it; false to stop the build.
    bool BuildControl(const ScreenPlace& place);

    std::string m_savePath;
    bool m_firstPaintDone = false;
};
