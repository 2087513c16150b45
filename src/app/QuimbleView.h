#pragma once
// The editor's window and the control manager of its screen. Every command of the editor arrives at
// OnControlEvent, from its controls as well as from the menu, the application and the document.

#include "app/TextDialog.h"
#include "composition/LayerText.h"
#include "composition/PictureListener.h"
#include "composition/PictureObserver.h"
#include "controls/ControlView.h"
#include "platform/View.h"
#include <string>
#include <vector>

class CDIBMixer;
class CQuimbleDoc;
struct ScreenPlace;

class CQuimbleView : public CControlView<CView>, private CPictureObserver, private CPictureListener {
public:
    CQuimbleView();
    ~CQuimbleView() override;

    CQuimbleDoc* GetDocument() const;

    // The command dispatcher. Save (IDC_SAVE) takes the path as a const char* in data.
    bool OnControlEvent(int id, WPARAM data) override;
    // No control sends values; one that did is shown on standard output, for whoever debugs it.
    bool OnControlValue(int id, double value) override;
    // Realises the screen palette unless the window that changed the palette is this view or one of
    // its controls.
    void RealizeViewPalette(CWnd* focusWnd);

    // Builds the editor screen: the background and its palette, then every control of the screen
    // layout in its order, each linked to those it works with. FALSE when it stopped at a control or
    // picture it could not make; what was made by then stays.
    BOOL BuildEditorScreen();

    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

private:
    // The commands that compose the picture (QuimbleViewCommands.cpp). Each looks up the controls it
    // needs and does nothing when one is missing.
public:
    // Empties every layer.
    void ClearPicture();

private:
    // New and Quit go on only once the document's changes are saved or given up.
    void NewPicture();
    void Quit();
    void ShowContentFolder(int id);
    void MoveModeChanged();
    void TextModeChanged();
    void ShowInfo();
    void PickThumbnail(int id);
    void PutPickedIntoLayer();
    // What the Text dialog showed last, offered again the next time it opens on a layer without text.
    LayerText m_textSettings;

    // The user's own pictures (QuimbleViewPictures.cpp). Add Pictures asks for pictures and adds them to
    // the user's folder of the content the thumb strip shows; a drop on the thumb strip adds the
    // dropped files, and one on the picture area also puts the first picture into a layer.
    void AddPictures();
    bool CanDropFilesOn(CWnd* target) const override;
    void OnDropFiles(const std::vector<std::string>& paths, CWnd* target) override;
    // Adds each file in turn, telling the user of each that cannot be, and shows the last one added in
    // the thumb strip. Returns the path the first one is kept under, or empty.
    std::string AddPictureFiles(const std::vector<std::string>& paths);
    // Puts the picture at path into the selected layer when it is empty, else into the nearest empty one
    // (the selected one, asking first, when none is empty).
    void PutPictureIntoLayer(const std::string& path);

    // Makes the control of place and links it to the controls made before it; false to stop the build.
    bool BuildControl(const ScreenPlace& place);

    bool m_firstPaintDone = false;
    bool m_firstFolderShown = false;

    // Undo and redo (QuimbleViewHistory.cpp). Every composed change of the picture on the screen goes to
    // the document's picture, and becomes a step of its history; what the document changes of its picture
    // (undo, redo, a file read, a new picture) the screen shows.
private:
    // The document keeps the changed state and the autosave.
    void OnPictureChanged() override;
    void OnPictureComposed() override;
    void OnChangesDone(bool replaced) override;
    // Starts the steps anew from the picture on the screen.
    void ResetHistory();
    // Brings back the step before (after) the current one.
    void Undo();
    void Redo();
    // The undo and redo buttons and menu items are enabled exactly when there is a step to go to.
    void UpdateHistoryCommands();

    // While the screen's own change goes to the document, the document's news of it is not shown again.
    bool m_committing = false;

    // The file and print commands (QuimbleViewFiles.cpp).
public:
    // The picture area, or none when the screen has not got it.
    CDIBMixer* GetPictureArea() const;
    // Load: once the document's changes are saved or given up, reads the layered picture file path
    // (null: asks for one) into the layers. TRUE when it was read; then, with takePath, the document takes
    // its path; else the user is told.
    BOOL LoadPicture(const char* path = nullptr, BOOL takePath = TRUE);
    // The Save button: writes the picture under path (null: asks for a name) as a layered picture file
    // (".qmf"), which the document takes as its path, or exports it as a flat picture (".bmp" or ".png"),
    // which leaves the document as it was. TRUE when it was written, else the user is told and what the
    // path held stays as it was.
    BOOL SavePicture(const char* path);
    // Writes the picture under path as a layered picture file; only a name ending in ".qmf" takes one.
    // TRUE when it was written, else the user is told. The document is left to the caller.
    BOOL SaveLayeredPicture(const char* path);
    // Export: writes the picture under path (null: asks for a name) as a flat picture (".png" or ".bmp"),
    // leaving the document as it was. TRUE when it was written, else the user is told.
    BOOL ExportPicture(const char* path);
    // The printed page: the picture across the printable width, or, for a picture relatively taller than
    // the printable area, across its height, in the picture's proportions.
    void PrintPicture(CDC* dc);
    // Where on a page of printable size pageWidth x pageHeight (resolution dpiX x dpiY) a picture of
    // width x height pixels goes: centred on it, as large as fits, keeping its look.
    static RECT PrintDestination(int width, int height, int pageWidth, int pageHeight, int dpiX, int dpiY);

private:
    // done, after the message of failureKey when it is FALSE.
    BOOL Report(BOOL done, int failureKey, const std::string& path);
    // Shows the message of key (style MB_OK or a warning) with its %1 replaced by the name of the file
    // at path; nothing when the language has no such message.
    void ShowFileMessage(int key, const std::string& path, UINT style);

    // The names last chosen in the open, save and export dialogs, offered there again.
    std::string m_loadPath;
    std::string m_savePath;
    std::string m_exportPath;
    // The folder pictures were last added from, where Add Pictures opens next (with a "/" at its end).
    std::string m_addFolder;
};
