#pragma once
// The document holds no picture (the view's layers do): it names the file for the title and the recent
// files, knows whether the picture has changes to save and keeps its autosave, and passes the framework's
// saves on to the view.

#include "app/Autosave.h"
#include "platform/Document.h"
#include <string>

class CQuimbleDoc : public CDocument {
public:
    CQuimbleDoc();

    // An empty picture with no name and nothing to save.
    BOOL OnNewDocument() override;
    // The first view saves the picture under path as a layered picture file. TRUE only when it was
    // written, so that the framework never takes a path that holds nothing as the document's.
    BOOL OnSaveDocument(const char* path) override;

    // Every change of the picture arrives here, through the view: there is something to save, and the
    // autosave is due.
    void OnPictureChanged();
    BOOL DoSave(const char* path, BOOL replace = TRUE) override;

    // The picture is what the layered file path holds now (it was just loaded or saved there).
    void PictureIsFile(const std::string& path);
    // Undo or redo came back to the picture as it was last saved, loaded or begun.
    void PictureIsUnchanged();
    // Brings back the picture of the autosave at path that an earlier run left: untitled, changed, and
    // kept in this run's own autosave at once. False, after telling the user, when it cannot be read.
    bool RestoreAutosave(const std::string& path);
    CAutosave& GetAutosave() { return m_autosave; }

private:
    CAutosave m_autosave;
};
