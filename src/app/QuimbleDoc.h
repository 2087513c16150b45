#pragma once
// The document owns the picture: the layers, what they show and where, which the editor's screen shows
// and edits. It keeps the steps of undo and redo and the autosave of that picture, reads and writes it as
// a layered picture file, names the file for the title and the recent files, and knows whether the
// picture has changes to save.

#include "app/Autosave.h"
#include "composition/Picture.h"
#include "composition/UndoHistory.h"
#include "platform/Document.h"
#include <string>

class CDIBManager;

class CQuimbleDoc : public CDocument {
public:
    CQuimbleDoc();

    // An empty picture with no name and nothing to save.
    BOOL OnNewDocument() override;
    // Writes the picture under path as a layered picture file. TRUE only when it was written, so that the
    // framework never takes a path that holds nothing as the document's.
    BOOL OnSaveDocument(const char* path) override;
    BOOL DoSave(const char* path, BOOL replace = TRUE) override;

    const CPicture& GetPicture() const { return m_picture; }
    // Who shows the picture hears of each change the document makes to it (undo, redo, a file read, a new
    // picture); not owned.
    void AddPictureListener(CPictureListener* listener) { m_picture.AddListener(listener); }
    void RemovePictureListener(CPictureListener* listener) { m_picture.RemoveListener(listener); }

    // Every change of the picture on the screen arrives here: there is something to save, and the
    // autosave is due.
    void OnPictureChanged();
    // The screen's picture after a committed change (a drag only once released): the picture becomes it,
    // and a new step of the history when it differs from the current one (then true).
    bool PictureCommitted(const CPictureState& state);
    // Reads the layered picture file path into the picture, its pictures kept by store: the picture is
    // replaced and becomes a step, the one its file holds. False, with the picture as it was, for a file
    // that cannot be read (the caller tells the user).
    bool ReadPicture(const std::string& path, CDIBManager& store);

    // Undo and redo: the picture becomes the step before (after) the current one, and is unchanged when
    // that is the step its file holds. False when there is none.
    bool Undo();
    bool Redo();
    const CUndoHistory& GetHistory() const { return m_history; }
    // The screen whose store keeps the pictures goes: the picture and its steps, which share them, go first.
    void ForgetPicture();
    // Starts the steps anew from state, the picture on the screen, which is what its file holds (or a new
    // picture).
    void ResetHistory(const CPictureState& state);

    // The picture is what the layered file path holds now (it was just loaded or saved there).
    void PictureIsFile(const std::string& path);
    // Brings back the picture of the autosave at path that an earlier run left: untitled, changed, and
    // kept in this run's own autosave at once. False, after telling the user, when it cannot be read.
    bool RestoreAutosave(const std::string& path);
    CAutosave& GetAutosave() { return m_autosave; }

private:
    // Undo or redo came back to the picture as it was last saved, loaded or begun.
    void PictureIsUnchanged();
    bool GoTo(bool can, const CPictureState& (CUndoHistory::*step)());

    CPicture m_picture;
    CUndoHistory m_history;
    CAutosave m_autosave;
};
